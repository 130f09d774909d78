#include "date_caption.h"

#include "calendar_rules.h"
#include "cp932.h"
#include "globals.h"

using namespace foundation;

namespace schedule {

std::string DateCaptionText(int year, int month, int day, const std::string& weekdayKanji,
                            const INIT& settings, const std::string& anniversary) {
    std::string yearText;
    if (settings.wareki == 1) {
        EraYearText(year, month, day, yearText);
    } else {
        yearText = std::to_string(year);
    }

    const std::string dot = Sj("･");
    std::string rokuyo;
    if (settings.roku == 1) {
        std::string name;
        RokuyoName(year, month, day, name);
        if (!name.empty()) rokuyo = dot + name;
    }
    std::string week;
    if (settings.syuuNoDsp == 1) {
        int n = WeekOfYear(static_cast<int>(settings.StYoubiNo) + 1, year, month, day);
        week = Sj("第") + std::to_string(n) + Sj("週");
    }
    std::string extra = rokuyo;
    if (!rokuyo.empty() && !week.empty()) extra += dot;
    extra += week;

    std::string holiday;
    HolidayName(year, month, day, holiday);
    std::string tail = holiday;
    if (!holiday.empty() && !anniversary.empty()) tail += ",";
    tail += anniversary;

    return yearText + "/" + std::to_string(month) + "/" + std::to_string(day) + "(" + weekdayKanji +
           extra + ") " + tail;
}

std::string DateCaptionText(int year, int month, int day, const std::string& weekdayKanji) {
    std::string anniversary;
    if (day >= 1 && day <= 31) anniversary = MonthDays[day].Anniversary;
    return DateCaptionText(year, month, day, weekdayKanji, Settings, anniversary);
}

}  // namespace schedule
