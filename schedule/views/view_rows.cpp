#include "view_rows.h"

#include <algorithm>

#include "calendar_rules.h"
#include "cp932.h"

using namespace foundation;

namespace schedule {

namespace {

constexpr int kMinYear = 1;
constexpr int kMaxYear = 9999;
constexpr int kWheelSteps = 6;

std::string YearText(int year, int month, const INIT& settings) {
    if (settings.wareki != 1) return std::to_string(year);
    std::string text;
    EraYearText(year, month, 1, text);
    return text;
}

}  // namespace

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

int WheelUpPosition(int position, int range) { return std::max(position - range / kWheelSteps, 0); }

int WheelDownPosition(int position, int range) {
    const int next = position + range / kWheelSteps;
    return next < range ? next : range - 1;
}

}  // namespace schedule
