// Appending one piece of text to one day of a month file, as the input wizard writes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "wizard_rules.h"

namespace schedule {

// Loads the month into MonthDays, appends the text to the day (after a line break when the
// day's text does not end in one), saves the month and puts CurYear/CurMonth/CurDay back;
// MonthDays keeps the month written. False, after the message, when the month could not be
// read or saved: a month whose files are there but unreadable is never written.
bool AppendDayText(uint16_t year, uint16_t month, const std::string& text, uint16_t day);

// AppendDayText on every date in order; stops at the first date that fails.
bool AppendToDates(const std::vector<WizardDate>& dates, const std::string& text);

}  // namespace schedule
