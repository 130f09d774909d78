#include "view_rows.h"

#include <algorithm>

#include "calendar_rules.h"
#include "cp932.h"

namespace {

constexpr int kMinYear = 1;
constexpr int kMaxYear = 9999;
constexpr int kMemoFrame = 8;
constexpr int kWheelSteps = 6;

std::string Rokuyo(int year, int month, int day, const INIT& settings) {
    if (settings.roku != 1) return std::string();
    std::string name;
    RokuyoName(year, month, day, name);
    return name.empty() ? std::string() : Sj("･") + name;
}

// Holiday and anniversary as the caption's tail: "H,A", either alone, or nothing.
std::string HolidayTail(const std::string& holiday, const std::string& anniversary) {
    if (!holiday.empty() && !anniversary.empty()) return holiday + "," + anniversary;
    return holiday.empty() ? anniversary : holiday;
}

std::string YearText(int year, int month, const INIT& settings) {
    if (settings.wareki != 1) return std::to_string(year);
    std::string text;
    EraYearText(year, month, 1, text);
    return text;
}

}  // namespace

DayRowHeader MakeDayRowHeader(int year, int month, int day, const YOTEI& entry,
                              const INIT& settings) {
    DayRowHeader out;
    std::string weekday;
    const int w = WeekdayOf(year, month, day, weekday);
    std::string extra = Rokuyo(year, month, day, settings);
    if (settings.syuuNoDsp == 1 && w == settings.StYoubiNo % 7) {
        const std::string week = Sj("第") +
                                 std::to_string(WeekOfYear(settings.StYoubiNo % 7 + 1, year,
                                                           month, day)) +
                                 Sj("週");
        extra = extra.empty() ? " " + week : extra + Sj("･") + week;
    }
    out.caption = std::to_string(month) + "/" + std::to_string(day) + "(" + weekday + extra + ")";
    out.color = settings.YoubiTitleCol[w];
    std::string holiday;
    if (HolidayName(year, month, day, holiday)) out.color = settings.HolidayMojiCol;
    out.caption += HolidayTail(holiday, entry.Anniversary);
    if (entry.UserHoliday == 1) out.color = settings.uhori_color;
    out.marked = entry.Mark != 0;
    return out;
}

int MemoHeight(int lines, int fontPx) { return std::max(lines, 1) * fontPx + kMemoFrame; }

int MemoHeightForEnter(int lines, int fontPx) {
    return (std::max(lines, 1) + 1) * fontPx + kMemoFrame;
}

std::string MonthViewCaption(int year, int month, const INIT& settings) {
    return YearText(year, month, settings) + Sj("年 ") + std::to_string(month) +
           Sj("月  月間予定表");
}

std::string YearViewCaption(int year, const INIT& settings) {
    return YearText(year, 1, settings) + Sj("年 年間予定表");
}

void StoreMemoText(const std::string& memoText, uint8_t& hasText, std::string& text) {
    const bool blank = memoText.find_first_not_of(" \r\n") == std::string::npos;
    if (blank) {
        hasText = 0;
        text.clear();
    } else {
        hasText = 1;
        text = memoText;
    }
}

bool PrevMonthOf(int& year, int& month) {
    if (month > 1) {
        --month;
        return true;
    }
    if (year <= kMinYear) return false;
    --year;
    month = 12;
    return true;
}

bool NextMonthOf(int& year, int& month) {
    if (month < 12) {
        ++month;
        return true;
    }
    if (year >= kMaxYear) return false;
    ++year;
    month = 1;
    return true;
}

int WheelUpPosition(int position, int range) {
    return std::max(position - range / kWheelSteps, 0);
}

int WheelDownPosition(int position, int range) {
    const int next = position + range / kWheelSteps;
    return next < range ? next : range - 1;
}

std::string DayDetailsHeading(int year, int month, int day, const std::string& anniversary,
                              const INIT& settings) {
    std::string weekday;
    WeekdayOf(year, month, day, weekday);
    std::string holiday;
    HolidayName(year, month, day, holiday);
    return std::to_string(month) + "/" + std::to_string(day) + "(" + weekday +
           Rokuyo(year, month, day, settings) + ")" + HolidayTail(holiday, anniversary) +
           Sj(" の予定");
}
