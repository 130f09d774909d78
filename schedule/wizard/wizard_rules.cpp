#include "wizard_rules.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

#include "calendar_rules.h"
#include "cp932.h"
#include "date_time.h"
#include "text_helpers.h"

using namespace foundation;

namespace schedule {

namespace {

constexpr int kTooLarge = 1 << 30;

// The box's number; false when it holds no digit. A number too long for the rules saturates,
// so every range check refuses it.
bool Number(const std::string& text, int& value) {
    const std::string digits = DigitsOnly(text);
    if (digits.empty()) return false;
    long long v = 0;
    for (char c : digits) {
        v = v * 10 + (c - '0');
        if (v >= kTooLarge) {
            v = kTooLarge;
            break;
        }
    }
    value = static_cast<int>(v);
    return true;
}

int NumberOr(const std::string& text, int fallback) {
    int v = fallback;
    return Number(text, v) ? v : fallback;
}

std::string Printf(const char* format, int value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

std::string HourPart(const std::string& hh) {
    int h = 0;
    return Number(hh, h) ? Printf("%2d", h) : std::string("  ");
}

std::string MinutePart(const std::string& hh, const std::string& mi) {
    int m = 0;
    if (Number(mi, m)) return Printf(":%.2d", m);
    int h = 0;
    return Number(hh, h) ? std::string(":00") : std::string("   ");
}

bool InRange(int v, int low, int high) { return v >= low && v <= high; }

WizardDate AddDays(const WizardDate& d, int days) {
    WizardDate r;
    DecodeDate(EncodeDate(d.year, d.month, d.day) + days, r.year, r.month, r.day);
    return r;
}

}  // namespace

std::vector<int> WizardYears(int thisYear, int curYear) {
    std::vector<int> years;
    for (int y = thisYear - 1; y <= thisYear + 10; ++y) years.push_back(y);
    if (curYear < years.front())
        years.insert(years.begin(), curYear);
    else if (curYear > years.back())
        years.push_back(curYear);
    return years;
}

int WizardClearYear(int thisYear) { return thisYear + 10; }

std::vector<std::string> StartHourItems() {
    std::vector<std::string> items{"9"};
    for (int h = 10; h <= 23; ++h) items.push_back(std::to_string(h));
    for (int h = 0; h <= 8; ++h) items.push_back(" " + std::to_string(h));
    return items;
}

std::vector<std::string> HourItems() {
    std::vector<std::string> items = StartHourItems();
    items.front() = " 9";
    return items;
}

std::vector<std::string> MinuteItems() {
    std::vector<std::string> items;
    for (int m = 0; m < 60; m += 5) items.push_back(Printf("%2d", m));
    return items;
}

std::string DigitsOnly(const std::string& text) {
    std::string folded;
    NormalizeJText(text, folded);
    std::string digits;
    // Folded text may still hold double-byte characters; their trail bytes are no digits to keep.
    for (size_t i = 0; i < folded.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(folded[i]);
        if (platform::IsLeadByte(c) && i + 1 < folded.size()) {
            ++i;
            continue;
        }
        if (c >= '0' && c <= '9') digits += static_cast<char>(c);
    }
    return digits;
}

std::string CheckDailyInput(const DailyInput& in, const std::vector<int>& years) {
    std::string parts;
    int year = 0, month = 0, day = 0, v = 0;
    const bool hasYear = Number(in.yy, year);
    const bool yearOffered = hasYear && std::find(years.begin(), years.end(), year) != years.end();
    if (!hasYear) parts += "nen,";
    if (hasYear && !yearOffered) parts += Sj("年,");
    const bool monthOk = Number(in.mm, month) && InRange(month, 1, 12);
    if (!monthOk) parts += Sj("月,");
    // A day the month lacks (30 February) would land in a slot that no view shows.
    const int lastDay = yearOffered && monthOk ? DaysInMonth(year, month) : 31;
    if (!Number(in.dd, day) || !InRange(day, 1, lastDay)) parts += Sj("日,");
    if (Number(in.hh, v) && !InRange(v, 0, 23)) parts += Sj("時間,");
    if (Number(in.mi, v) && !InRange(v, 0, 59)) parts += Sj("分,");
    if (Number(in.hh2, v) && !InRange(v, 1, 23)) parts += Sj("時間,");
    if (Number(in.mi2, v) && !InRange(v, 0, 59)) parts += Sj("分,");
    if (DigitsOnly(in.n).empty()) parts += Sj("日間,");
    if (parts.empty()) return {};
    return parts + Sj(" が異常です。");
}

WizardDate DailyDate(const DailyInput& in) {
    return {NumberOr(in.yy, 0), NumberOr(in.mm, 0), NumberOr(in.dd, 0)};
}

int RepeatDays(const std::string& nText, bool& capped) {
    const int n = NumberOr(nText, 0);
    capped = n > 31;
    return capped ? 31 : n;
}

std::vector<WizardDate> RepeatDates(const WizardDate& first, int n) {
    std::vector<WizardDate> dates{first};
    for (int k = 1; k < n; ++k) dates.push_back(AddDays(first, k));
    return dates;
}

std::string DailyEntryLine(bool noTime, const std::string& hh, const std::string& mi,
                           const std::string& hh2, const std::string& mi2,
                           const std::string& subject, const std::string& place) {
    std::string line;
    if (!noTime) {
        line = HourPart(hh) + MinutePart(hh, mi) + "-" + HourPart(hh2) + MinutePart(hh2, mi2) + " ";
    }
    line += subject;
    if (!place.empty()) line += Sj(" 場所:") + place;
    return line + "\r\n";
}

std::string ProgramEventLine(const std::string& hh, const std::string& mi,
                             const std::string& program) {
    return "@" + hh + ":" + mi + " ^" + program;
}

std::string EventLine(const std::string& hh, const std::string& mi, const std::string& text) {
    return "@" + hh + ":" + mi + " " + text;
}

bool EventDate(const EventInput& in, WizardDate& date) {
    if (in.hh.empty() || in.mi.empty() || in.text.empty()) return false;
    int y = 0, m = 0, d = 0;
    if (!Number(in.yy, y) || !Number(in.mm, m) || !Number(in.dd, d)) return false;
    if (!InRange(y, 1, 9999) || !InRange(m, 1, 12) || d < 1) return false;
    date = {y, m, std::min(d, DaysInMonth(y, m))};
    return true;
}

bool MonthlyInputComplete(const MonthlyInput& in) {
    if (in.yy.empty() || in.mm.empty() || in.yy2.empty() || in.mm2.empty()) return false;
    if (in.nth && (in.dai.empty() || in.nthWeekday < 0)) return false;
    if (in.weekly && in.weekday < 0) return false;
    if (in.monthDay && in.tuki.empty()) return false;
    if (!in.nth && !in.weekly && !in.monthDay) return false;
    return !in.text.empty();
}

std::vector<WizardDate> MonthlyTargets(const MonthlyInput& in) {
    std::vector<WizardDate> out;
    int y1 = 0, m1 = 0, y2 = 0, m2 = 0;
    if (!Number(in.yy, y1) || !Number(in.mm, m1) || !Number(in.yy2, y2) || !Number(in.mm2, m2))
        return out;
    if (!InRange(y1, 1, 9999) || !InRange(y2, 1, 9999) || !InRange(m1, 1, 12) ||
        !InRange(m2, 1, 12))
        return out;
    // Only the years decide the order: an earlier end month in the same year gives no day.
    if (y2 < y1) {
        std::swap(y1, y2);
        std::swap(m1, m2);
    }
    const int n = NumberOr(in.dai, 0);
    const bool monthEnd = in.tuki == Sj("月末");
    const int chosenDay = NumberOr(in.tuki, 0);
    for (int y = y1, m = m1; std::tie(y, m) <= std::tie(y2, m2);) {
        const int length = DaysInMonth(y, m);
        const int target = monthEnd ? length : chosenDay;
        for (int d = 1; d <= length; ++d) {
            if (in.nth && d == 1 && n >= 1) {
                const int nd = NthWeekday(y, m, n, in.nthWeekday);
                if (nd > 0) out.push_back({y, m, nd});
            }
            if (in.weekly && WeekdayOf(y, m, d) == in.weekday) out.push_back({y, m, d});
            if (in.monthDay && d == target) out.push_back({y, m, d});
        }
        if (++m > 12) {
            m = 1;
            ++y;
        }
    }
    return out;
}

}  // namespace schedule
