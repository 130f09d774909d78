#include "calendar_rules.h"

#include <cmath>
#include <cstdio>
#include <iterator>
#include <vector>

#include "cp932.h"

namespace foundation {

namespace {

const std::string& WeekdayKanji(int w) {
    static const std::vector<std::string> names = {Sj("日"), Sj("月"), Sj("火"), Sj("水"),
                                                   Sj("木"), Sj("金"), Sj("土")};
    return names[static_cast<size_t>(w)];
}

std::string Printf(const char* format, int value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

// "%.*d": at least `digits` digits, zero-padded.
std::string Number(int value, int digits) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.*d", digits, value);
    return buf;
}

struct Era {
    int year, month, day;
    const char* name;  // UTF-8
};

// Newest first, so the first era that began on or before a date is its era.
const Era kEras[] = {
    {2019, 5, 1, "令和"},  {1989, 1, 8, "平成"}, {1926, 12, 25, "昭和"},
    {1912, 7, 30, "大正"}, {1868, 1, 1, "明治"},
};

// The era of a date and the year within it; false before the first era.
bool FindEra(int year, int month, int day, std::string& name, int& eraYear) {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> v;
        for (const Era& e : kEras) v.push_back(Sj(e.name));
        return v;
    }();
    for (size_t i = 0; i < std::size(kEras); ++i) {
        const Era& e = kEras[i];
        const bool started = year != e.year     ? year > e.year
                             : month != e.month ? month > e.month
                                                : day >= e.day;
        if (!started) continue;
        name = names[i];
        eraYear = year - e.year + 1;
        return true;
    }
    return false;
}

// First character (one or two bytes) of a CP932 text.
std::string FirstChar(const std::string& text) {
    if (text.empty()) return text;
    const size_t len = platform::IsLeadByte(static_cast<unsigned char>(text[0])) ? 2 : 1;
    return text.substr(0, len);
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

class DateParser {
  public:
    explicit DateParser(const std::string& text) : s_(text) {}

    TDateTime Parse() {
        const int y = Num();
        Expect('/');
        const int m = Num();
        Expect('/');
        const int d = Num();
        TDateTime date = 0;
        if (!TryEncodeDate(y, m, d, date)) Fail();
        SkipBlanks();
        if (p_ == s_.size()) return date;
        const int h = Num();
        Expect(':');
        const int n = Num();
        int sec = 0;
        if (p_ < s_.size() && s_[p_] == ':') {
            ++p_;
            sec = Num();
        }
        SkipBlanks();
        if (p_ != s_.size() || h > 23 || n > 59 || sec > 59) Fail();
        const TDateTime time = EncodeTime(h, n, sec, 0);
        return date < 0 ? date - time : date + time;
    }

  private:
    [[noreturn]] void Fail() const {
        throw EConvertError("'" + s_ + "' is not a valid date and time");
    }
    void SkipBlanks() {
        while (p_ < s_.size() && s_[p_] == ' ') ++p_;
    }
    void Expect(char c) {
        if (p_ >= s_.size() || s_[p_] != c) Fail();
        ++p_;
    }
    // Blanks, then one or more digits.
    int Num() {
        SkipBlanks();
        const size_t start = p_;
        int value = 0;
        while (p_ < s_.size() && s_[p_] >= '0' && s_[p_] <= '9') {
            if (p_ - start >= 9) Fail();
            value = value * 10 + (s_[p_] - '0');
            ++p_;
        }
        if (p_ == start) Fail();
        return value;
    }

    const std::string& s_;
    size_t p_ = 0;
};

}  // namespace

int WeekdayOf(int year, int month, int day, std::string& name) {
    const int w = WeekdayOf(year, month, day);
    name = WeekdayKanji(w);
    return w;
}

int WeekdayOf(int year, int month, int day) {
    int y = year;
    int m = month;
    if (m < 3) {
        y -= 1;
        m += 12;
    }
    const int w = (day + y + y / 4 - y / 100 + y / 400 + (13 * m + 8) / 5) % 7;
    return w < 0 ? w + 7 : w;
}

int DaysInMonth(int year, int month) {
    switch (month) {
        case 4:
        case 6:
        case 9:
        case 11:
            return 30;
        case 2:
            return ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0) ? 29 : 28;
        default:
            return 31;
    }
}

int NthWeekday(int year, int month, int n, int weekday) {
    if (weekday >= 7) return -1;
    int first = 1;
    while (first < 7 && WeekdayOf(year, month, first) != weekday) ++first;
    const int day = first + 7 * (n - 1);
    return day > DaysInMonth(year, month) ? -2 : day;
}

int WeekOfYear(int weekStart, int year, int month, int day) {
    int c = day - 1;
    for (int m = 1; m < month; ++m) c += DaysInMonth(year, m);
    const int b = WeekdayOf(year, 1, 1) + 1;
    return (c + b - weekStart) / 7 + 1;
}

bool EraYearText(int year, int month, int day, std::string& text) {
    std::string era;
    int eraYear = 0;
    if (!IsValidDate(year, month, day) || !FindEra(year, month, day, era, eraYear)) {
        text = Printf("%d", year);
        return false;
    }
    text = era + std::to_string(eraYear);
    return true;
}

TDateTime StrToDateTimeStd(const std::string& text) { return DateParser(text).Parse(); }

void DateTimeStamp(std::string& text, TDateTime t) {
    int y, m, d, h, n, s, ms;
    DecodeDate(t, y, m, d);
    DecodeTime(t, h, n, s, ms);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%4d/%2d/%2d %2d:%.2d:%.2d", y, m, d, h, n, s);
    text = buf;
}

std::string FormatDateTime(const std::string& format, TDateTime t) {
    int year, month, day, hour, minute, second, msec;
    DecodeDate(t, year, month, day);
    DecodeTime(t, hour, minute, second, msec);
    std::string out;
    char lastToken = 0;  // the last letter seen, so "m" after "h" means minutes
    size_t i = 0;
    const size_t n = format.size();
    while (i < n) {
        const char c = format[i];
        if (platform::IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < n) {
            out.append(format, i, 2);
            i += 2;
            continue;
        }
        if (c == '"' || c == '\'') {
            size_t end = format.find(c, i + 1);
            if (end == std::string::npos) end = n;
            out.append(format, i + 1, end - i - 1);
            i = end < n ? end + 1 : n;
            continue;
        }
        if (!IsAsciiLetter(c)) {
            out += c;
            ++i;
            continue;
        }
        size_t run = 1;
        while (i + run < n && format[i + run] == c) ++run;
        const int count = static_cast<int>(run);
        char token = Upper(c);
        if (token == 'M' && lastToken == 'H') token = 'N';
        lastToken = token;
        switch (token) {
            case 'Y':
                out += count <= 2 ? Number(year % 100, 2) : Number(year, 4);
                break;
            case 'M':
                out += count <= 2 ? Number(month, count) : std::to_string(month) + Sj("月");
                break;
            case 'D':
                out += count <= 2 ? Number(day, count) : WeekdayKanji(WeekdayOf(year, month, day));
                break;
            case 'H':
                out += Number(hour, count > 2 ? 2 : count);
                break;
            case 'N':
                out += Number(minute, count > 2 ? 2 : count);
                break;
            case 'S':
                out += Number(second, count > 2 ? 2 : count);
                break;
            case 'Z':
                out += Number(msec, count > 3 ? 3 : count);
                break;
            case 'G':
            case 'E': {
                std::string era;
                int eraYear = year;
                const bool found = FindEra(year, month, day, era, eraYear);
                if (token == 'G') {
                    if (found) out += count == 1 ? FirstChar(era) : era;
                } else {
                    out += found ? Number(eraYear, count > 2 ? 2 : count) : std::to_string(year);
                }
                break;
            }
            default:
                out.append(format, i, run);
                break;
        }
        i += run;
    }
    return out;
}

void FormatDateTimeSafe(const std::string& format, std::string& text, TDateTime t) {
    int year, month, day;
    DecodeDate(t, year, month, day);
    if (year > 1900) {
        text = FormatDateTime(format, t);
        return;
    }
    std::string masked = format;
    size_t k = 0;
    for (size_t i = 0; i < masked.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(masked[i]);
        if (platform::IsLeadByte(c) && i + 1 < masked.size()) {
            ++i;  // a trail byte may look like "Y"
        } else if (c == 'y' || c == 'Y') {
            masked[i] = '!';
            ++k;
        }
    }
    text = FormatDateTime(masked, t);
    if (k == 0) return;
    std::string digits = Printf("%4d", year);
    if (digits.size() > k) digits = digits.substr(digits.size() - k);
    const size_t pos = text.find('!');
    if (pos == std::string::npos) return;
    for (size_t j = 0; j < digits.size() && pos + j < text.size(); ++j) text[pos + j] = digits[j];
}

void DecodeToday(uint16_t& year, uint16_t& month, uint16_t& day) {
    const platform::LocalDateTime now = platform::CurrentClock().Now();
    year = static_cast<uint16_t>(now.year);
    month = static_cast<uint16_t>(now.month);
    day = static_cast<uint16_t>(now.day);
}

void DecodeTomorrow(uint16_t& year, uint16_t& month, uint16_t& day) {
    int y, m, d;
    DecodeDate(Date() + 1, y, m, d);
    year = static_cast<uint16_t>(y);
    month = static_cast<uint16_t>(m);
    day = static_cast<uint16_t>(d);
}

uint32_t DayColor(int year, int month, int day, std::string& holidayName,
                  const uint32_t (&weekdayColors)[7], uint32_t holidayColor) {
    std::string name;
    if (HolidayName(year, month, day, name)) {
        holidayName = name;
        return holidayColor;
    }
    return weekdayColors[WeekdayOf(year, month, day)];
}

}  // namespace foundation
