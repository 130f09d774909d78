#include "day_rows.h"

#include <algorithm>

#include "calendar_rules.h"
#include "cp932.h"

namespace foundation {

namespace {

constexpr int kMemoFrame = 8;

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

}  // namespace

DayRowHeader MakeDayRowHeader(int year, int month, int day, const YOTEI& entry,
                              const INIT& settings) {
    DayRowHeader out;
    std::string weekday;
    const int w = WeekdayOf(year, month, day, weekday);
    std::string extra = Rokuyo(year, month, day, settings);
    if (settings.syuuNoDsp == 1 && w == settings.StYoubiNo % 7) {
        const std::string week =
            Sj("第") + std::to_string(WeekOfYear(settings.StYoubiNo % 7 + 1, year, month, day)) +
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

int MemoHeight(int lines, int fontPx) { return std::max(lines, 1) * fontPx + kMemoFrame; }

int MemoHeightForEnter(int lines, int fontPx) {
    return (std::max(lines, 1) + 1) * fontPx + kMemoFrame;
}

}  // namespace foundation
