// The input wizard's rules without widgets: the items of its boxes, the checks of its fields,
// the lines it writes and the days it writes them on. Texts are CP932.
#pragma once

#include <string>
#include <vector>

namespace schedule {

struct WizardDate {
    int year = 0, month = 0, day = 0;
    bool operator==(const WizardDate&) const = default;
};

// Twelve years from last year on, plus curYear (in its place) when it lies outside them.
std::vector<int> WizardYears(int thisYear, int curYear);
// The year a cleared box shows: the last of the twelve years.
int WizardClearYear(int thisYear);
// Start hour "9", "10".."23", " 0".." 8"; other hours " 9", "10".."23", " 0".." 8".
std::vector<std::string> StartHourItems();
std::vector<std::string> HourItems();
// " 0", " 5", "10" .. "55".
std::vector<std::string> MinuteItems();

// The digits "0".."9" of the text in order, after full-width forms are folded to half-width.
std::string DigitsOnly(const std::string& text);

// The texts of the first page's boxes, as shown.
struct DailyInput {
    std::string yy, mm, dd, n, hh, mi, hh2, mi2;
};
// Empty when the fields are sound, else the message naming every bad field
// ("年,時間, が異常です。"). years: what the year box offers.
std::string CheckDailyInput(const DailyInput& in, const std::vector<int>& years);
// The chosen date of a checked first page.
WizardDate DailyDate(const DailyInput& in);
// Repeat days of the page; above 31 capped (the caller says so).
int RepeatDays(const std::string& nText, bool& capped);
// The chosen date and the n - 1 calendar days after it; 0 and 1 give the date alone.
std::vector<WizardDate> RepeatDates(const WizardDate& first, int n);

// " 9:00-10:30 subject 場所:place" + CR LF; the time part is left out when noTime.
std::string DailyEntryLine(bool noTime, const std::string& hh, const std::string& mi,
                           const std::string& hh2, const std::string& mi2,
                           const std::string& subject, const std::string& place);
// "@" hour ":" minutes " ^" program, the box texts as they stand; no line end.
std::string ProgramEventLine(const std::string& hh, const std::string& mi,
                             const std::string& program);
// "@" hour ":" minutes " " text; no line end.
std::string EventLine(const std::string& hh, const std::string& mi, const std::string& text);

// The program and notice pages: every box must be chosen and the text given; a day past the
// month's end becomes its last day. False when something is missing.
struct EventInput {
    std::string yy, mm, dd, hh, mi, text;
};
bool EventDate(const EventInput& in, WizardDate& date);

// The monthly rules page. Weekdays 0 = Sunday .. 6; -1 = nothing chosen. day 0 = month end.
struct MonthlyInput {
    std::string yy, mm, yy2, mm2;
    bool nth = false;
    std::string dai;  // "1".."5" or ""
    int nthWeekday = -1;
    bool weekly = false;
    int weekday = -1;
    bool monthDay = false;
    std::string tuki;  // "1".."31", the month-end item, or ""
    std::string text;
};
// False when a needed choice is missing, no rule is ticked or there is no text.
bool MonthlyInputComplete(const MonthlyInput& in);
// The days the text goes to, in the order of writing: each day of the range in turn, and on it
// the n-th weekday rule (on a month's first day, for the whole month), the weekly rule and
// the month-day rule. An end year before the start year swaps the two ends; an end month before
// the start month in the same year gives no day.
std::vector<WizardDate> MonthlyTargets(const MonthlyInput& in);

}  // namespace schedule
