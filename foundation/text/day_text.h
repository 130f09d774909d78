// Meaning carried by single lines of a day's text: time heads for sorting, event heads for the
// alarm, private lines; and the small time arithmetic of the alarm tick. Text is CP932 bytes.
#pragma once

#include <string>

#include "date_time.h"

namespace foundation {

// True when the line starts (after an optional "@") with an hour of one or two characters and
// ":"; key is then the line's sort key (see SortTextByTime).
bool NormalizeTimeHead(const std::string& line, std::string& key);
// Lines with a time head first, ordered by time as text ignoring case; the other lines after
// them in their old order. Every line of the result ends in CR LF; an empty text stays empty.
std::string SortTextByTime(const std::string& text);
// True when the line is NOT a well-formed event line "@h:mm text". On success a blank directly
// after "@" or after the ":" is rewritten to "0"; a malformed line is left as it was.
bool CheckAlarmLine(std::string& line);
// hour:minute minus lead minutes as a time of day, wrapping across midnight.
void AlarmLeadTime(int hour, int minute, int lead, int& outHour, int& outMinute);
// True when the current local hour and minute equal them (seconds ignored).
bool IsNowHourMinute(int hour, int minute);
// Absolute distance between now and t, in minutes with fractions.
double MinutesFromNow(TDateTime t);
// True when the line's last character is the single-byte "S".
bool IsPrivateLine(const std::string& line);

}  // namespace foundation
