// National holidays of Japan as the law has fixed them since 20 July 1948.
#include <cmath>

#include "calendar_rules.h"
#include "cp932.h"

namespace foundation {

namespace {

struct Names {
    std::string ganjitsu = Sj("元日");
    std::string seijin = Sj("成人の日");
    std::string kenkoku = Sj("建国記念の日");
    std::string tennou = Sj("天皇誕生日");
    std::string shunbun = Sj("春分の日");
    std::string midori = Sj("みどりの日");
    std::string showa = Sj("昭和の日");
    std::string kenpou = Sj("憲法記念日");
    std::string kodomo = Sj("こどもの日");
    std::string umi = Sj("海の日");
    std::string yama = Sj("山の日");
    std::string keirou = Sj("敬老の日");
    std::string shuubun = Sj("秋分の日");
    std::string taiiku = Sj("体育の日");
    std::string sports = Sj("スポーツの日");
    std::string bunka = Sj("文化の日");
    std::string kinrou = Sj("勤労感謝の日");
    std::string kekkon = Sj("結婚の儀");
    std::string taisou = Sj("大喪の礼");
    std::string sokuiseiden = Sj("即位礼正殿の儀");
    std::string sokui = Sj("即位の日");
    std::string kokumin = Sj("国民の休日");
    std::string furikae = Sj("振替休日");
};

const Names& N() {
    static const Names names;
    return names;
}

int T(double x) { return static_cast<int>(std::trunc(x)); }

int VernalEquinoxDay(int y) {
    if (y < 1900 || y > 2099) return 0;
    if (y < 1980) return T(20.8357 + 0.242194 * (y - 1980) - T((y - 1983) / 4.0));
    return T(20.8431 + 0.242194 * (y - 1980) - T((y - 1980) / 4.0));
}

int AutumnalEquinoxDay(int y) {
    if (y < 1900 || y > 2099) return 0;
    if (y < 1980) return T(23.2588 + 0.242194 * (y - 1980) - T((y - 1983) / 4.0));
    return T(23.2488 + 0.242194 * (y - 1980) - T((y - 1980) / 4.0));
}

bool IsMonday(int y, int m, int d, int n) { return d == NthWeekday(y, m, n, 1); }

bool Between(int y, int from, int to) { return y >= from && y <= to; }

constexpr long long Key(int y, int m, int d) { return y * 10000LL + m * 100 + d; }

// A holiday of its own name (neither "国民の休日" nor "振替休日"); nullptr when none.
const std::string* Named(int y, int m, int d) {
    if (Key(y, m, d) < Key(1948, 7, 20)) return nullptr;
    const Names& n = N();
    switch (Key(y, m, d)) {
        case Key(1959, 4, 10):
        case Key(1993, 6, 9):
            return &n.kekkon;
        case Key(1989, 2, 24):
            return &n.taisou;
        case Key(1990, 11, 12):
        case Key(2019, 10, 22):
            return &n.sokuiseiden;
        case Key(2019, 5, 1):
            return &n.sokui;
        default:
            break;
    }
    switch (m) {
        case 1:
            if (d == 1) return &n.ganjitsu;
            if (y < 2000 ? d == 15 : IsMonday(y, 1, d, 2)) return &n.seijin;
            break;
        case 2:
            if (d == 11 && y >= 1967) return &n.kenkoku;
            if (d == 23 && y >= 2020) return &n.tennou;
            break;
        case 3:
            if (d == VernalEquinoxDay(y)) return &n.shunbun;
            break;
        case 4:
            if (d == 29) return y <= 1988 ? &n.tennou : y <= 2006 ? &n.midori : &n.showa;
            break;
        case 5:
            if (d == 3) return &n.kenpou;
            if (d == 4 && y >= 2007) return &n.midori;
            if (d == 5) return &n.kodomo;
            break;
        case 7:
            if (y == 2020) return d == 23 ? &n.umi : d == 24 ? &n.sports : nullptr;
            if (y == 2021) return d == 22 ? &n.umi : d == 23 ? &n.sports : nullptr;
            if (Between(y, 1996, 2002) && d == 20) return &n.umi;
            if (y >= 2003 && IsMonday(y, 7, d, 3)) return &n.umi;
            break;
        case 8:
            if (y == 2020) return d == 10 ? &n.yama : nullptr;
            if (y == 2021) return d == 8 ? &n.yama : nullptr;
            if (y >= 2016 && d == 11) return &n.yama;
            break;
        case 9: {
            const bool keirou =
                Between(y, 1966, 2002) ? d == 15 : y >= 2003 && IsMonday(y, 9, d, 3);
            if (keirou) return &n.keirou;
            if (d == AutumnalEquinoxDay(y)) return &n.shuubun;
            break;
        }
        case 10:
            if (Between(y, 1966, 1999) && d == 10) return &n.taiiku;
            if (Between(y, 2000, 2019) && IsMonday(y, 10, d, 2)) return &n.taiiku;
            if (y >= 2022 && IsMonday(y, 10, d, 2)) return &n.sports;
            break;
        case 11:
            if (d == 3) return &n.bunka;
            if (d == 23) return &n.kinrou;
            break;
        case 12:
            if (d == 23 && Between(y, 1989, 2018)) return &n.tennou;
            break;
        default:
            break;
    }
    return nullptr;
}

struct Day {
    int y, m, d;
};

Day Shift(const Day& day, int delta) {
    Day r{};
    DecodeDate(EncodeDate(day.y, day.m, day.d) + delta, r.y, r.m, r.d);
    return r;
}

bool IsNamed(const Day& day) { return Named(day.y, day.m, day.d) != nullptr; }

bool IsSunday(const Day& day) { return WeekdayOf(day.y, day.m, day.d) == 0; }

// A day of no holiday of its own that substitutes for a Sunday holiday.
bool IsSubstitute(const Day& day) {
    if (Key(day.y, day.m, day.d) < Key(1973, 4, 12) || IsNamed(day)) return false;
    if (day.y <= 2006) {
        return WeekdayOf(day.y, day.m, day.d) == 1 && IsNamed(Shift(day, -1));
    }
    // From 2007 the first free day after the Sunday holiday and the holidays following it.
    for (Day p = Shift(day, -1); IsNamed(p); p = Shift(p, -1)) {
        if (IsSunday(p)) return true;
    }
    return false;
}

// A weekday squeezed between two named holidays.
bool IsPeoplesHoliday(const Day& day) {
    return Key(day.y, day.m, day.d) >= Key(1985, 12, 27) && !IsSunday(day) && !IsNamed(day) &&
           !IsSubstitute(day) && IsNamed(Shift(day, -1)) && IsNamed(Shift(day, 1));
}

}  // namespace

bool NationalHoliday(int year, int month, int day, std::string& name) {
    if (IsValidDate(year, month, day)) {
        if (const std::string* named = Named(year, month, day)) {
            name = *named;
            return true;
        }
        if (IsPeoplesHoliday(Day{year, month, day})) {
            name = N().kokumin;
            return true;
        }
    }
    if (month == 9 || (month == 5 && day == 4)) name.clear();
    return false;
}

bool HolidayName(int year, int month, int day, std::string& name) {
    name.clear();
    if (NationalHoliday(year, month, day, name)) return true;
    if (IsValidDate(year, month, day) && IsSubstitute(Day{year, month, day})) {
        name = N().furikae;
        return true;
    }
    return false;
}

}  // namespace foundation
