#include "date_time.h"

#include <cmath>

namespace foundation {

namespace {

constexpr long long kMsPerDay = 86400000LL;

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int MonthLength(int y, int m) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return (m == 2 && IsLeap(y)) ? 29 : kDays[m - 1];
}

// Days of the proleptic Gregorian calendar counted from 1970-01-01.
constexpr long long DaysFromCivil(long long y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

constexpr long long kEpochOffset = DaysFromCivil(1899, 12, 30);

// Before the epoch the whole part is the day and the fraction counts the time backwards.
TDateTime Compose(TDateTime date, TDateTime time) { return date < 0 ? date - time : date + time; }

}  // namespace

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= MonthLength(year, month);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& out) {
    if (!IsValidDate(year, month, day)) return false;
    out = static_cast<TDateTime>(DaysFromCivil(year, month, day) - kEpochOffset);
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime t = 0;
    return TryEncodeDate(year, month, day, t) ? t : 0;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
    const long long ms = hour * 3600000LL + minute * 60000LL + second * 1000LL + msec;
    return static_cast<TDateTime>(ms) / static_cast<TDateTime>(kMsPerDay);
}

void DecodeDate(TDateTime t, int& year, int& month, int& day) {
    CivilFromDays(static_cast<long long>(std::trunc(t)) + kEpochOffset, year, month, day);
}

void DecodeTime(TDateTime t, int& hour, int& minute, int& second, int& msec) {
    long long ms = std::llround(std::fabs(t - std::trunc(t)) * static_cast<double>(kMsPerDay));
    // Rounding just below midnight must not give the hour 24.
    if (ms >= kMsPerDay) ms = kMsPerDay - 1;
    hour = static_cast<int>(ms / 3600000);
    minute = static_cast<int>(ms / 60000 % 60);
    second = static_cast<int>(ms / 1000 % 60);
    msec = static_cast<int>(ms % 1000);
}

TDateTime ToDateTime(const platform::LocalDateTime& t) {
    return Compose(EncodeDate(t.year, t.month, t.day),
                   EncodeTime(t.hour, t.minute, t.second, t.msec));
}

platform::LocalDateTime FromDateTime(TDateTime t) {
    platform::LocalDateTime r;
    DecodeDate(t, r.year, r.month, r.day);
    DecodeTime(t, r.hour, r.minute, r.second, r.msec);
    return r;
}

TDateTime Now() { return ToDateTime(platform::CurrentClock().Now()); }

TDateTime Date() {
    const platform::LocalDateTime now = platform::CurrentClock().Now();
    return EncodeDate(now.year, now.month, now.day);
}

long long WholeDaysBetween(const platform::LocalDateTime& from, const platform::LocalDateTime& to) {
    auto ms = [](const platform::LocalDateTime& t) {
        return DaysFromCivil(t.year, t.month, t.day) * kMsPerDay +
               ((t.hour * 60LL + t.minute) * 60LL + t.second) * 1000LL + t.msec;
    };
    return (ms(to) - ms(from)) / kMsPerDay;
}

}  // namespace foundation
