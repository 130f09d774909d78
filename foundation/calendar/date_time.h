// Date-times as day counts since 1899-12-30 (the fraction is the time of day).
#pragma once

#include <cstdint>

#include "clock.h"

namespace foundation {

using TDateTime = double;

bool IsValidDate(int year, int month, int day);
// False when the date is not a real date (year 1-9999).
bool TryEncodeDate(int year, int month, int day, TDateTime& out);
TDateTime EncodeDate(int year, int month, int day);  // invalid dates give 0
TDateTime EncodeTime(int hour, int minute, int second, int msec);
void DecodeDate(TDateTime t, int& year, int& month, int& day);
void DecodeTime(TDateTime t, int& hour, int& minute, int& second, int& msec);
TDateTime ToDateTime(const platform::LocalDateTime& t);
platform::LocalDateTime FromDateTime(TDateTime t);
// Whole days from one local moment to another, truncated towards zero (exact, no rounding).
long long WholeDaysBetween(const platform::LocalDateTime& from, const platform::LocalDateTime& to);
// Now, from the clock port.
TDateTime Now();
TDateTime Date();

}  // namespace foundation
