// What the accessories' options hub opens of the schedule book: its editor of the user
// holidays of a year and of the anniversaries.
#pragma once

#include <cstdint>
#include <string>

class QWidget;

namespace schedule {

// Shows the editor of the list file (CP932 path) modally over parent: mode 0 edits the user
// holidays of year, 1 the anniversaries. True once O.K has written the file; the lists of
// MonthDays have then been read again.
bool EditHolidayList(QWidget* parent, const std::string& listFile, uint8_t mode, uint16_t year);

}  // namespace schedule
