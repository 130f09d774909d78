// Date computations: weekdays, months, week numbers, eras, holidays, rokuyo, fixed texts.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "date_time.h"

namespace foundation {

// Raised by StrToDateTimeStd on text that is no date.
class EConvertError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Weekday 0 = Sunday .. 6 = Saturday; name is its kanji (CP932).
int WeekdayOf(int year, int month, int day, std::string& name);
int WeekdayOf(int year, int month, int day);
int DaysInMonth(int year, int month);
// -1: weekday 7 or more; -2: the n-th weekday lies past the month's end.
int NthWeekday(int year, int month, int n, int weekday);
// weekStart 1 = Sunday .. 7 = Saturday.
int WeekOfYear(int weekStart, int year, int month, int day);
bool EraYearText(int year, int month, int day, std::string& text);
TDateTime StrToDateTimeStd(const std::string& text);
void DateTimeStamp(std::string& text, TDateTime t);
// Class-library style date formatting (y m d h n s z, quoted literals), safe for early years.
void FormatDateTimeSafe(const std::string& format, std::string& text, TDateTime t);
std::string FormatDateTime(const std::string& format, TDateTime t);
bool NationalHoliday(int year, int month, int day, std::string& name);
bool HolidayName(int year, int month, int day, std::string& name);
void DecodeToday(uint16_t& year, uint16_t& month, uint16_t& day);
void DecodeTomorrow(uint16_t& year, uint16_t& month, uint16_t& day);
// Stored colour value of the day's text: its weekday's (0 = Sunday) or, on a national or
// substitute holiday, the holiday colour. The caller hands in the user's colours, so the
// calendar rules stay below the settings.
uint32_t DayColor(int year, int month, int day, std::string& holidayName,
                  const uint32_t (&weekdayColors)[7], uint32_t holidayColor);
// 0-5, or 255 (and an empty name) outside the table.
int RokuyoName(int year, int month, int day, std::string& name);

}  // namespace foundation
