// The one-line caption of the selected date: calendar box and day window label.
#pragma once

#include <string>

#include "settings_record.h"

namespace schedule {

// Y'/M/D(W R) H in CP932, with the options of `settings` (wareki, roku, syuuNoDsp, StYoubiNo)
// and the day's anniversary text.
std::string DateCaptionText(int year, int month, int day, const std::string& weekdayKanji,
                            const foundation::INIT& settings, const std::string& anniversary);
// The same with Settings and the anniversary of `day` in MonthDays.
std::string DateCaptionText(int year, int month, int day, const std::string& weekdayKanji);

}  // namespace schedule
