// The period export without its dialog: the run of days, the aligned text and its HTML page.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace accessories {

// A whole decimal number with blanks around it and an optional sign; false for anything else.
bool ParseWholeNumber(const QString& text, long long& value);
// An option of 0-255 (indent, separator count); false for anything else, never wrapped.
bool ParseOptionByte(const QString& text, uint8_t& value);

struct Period {
    long start = 0;    // day number of the first day
    long n = 0;        // days asked for
    long length = 0;   // the run covers start .. start + length
    long end = 0;      // start + n: days without text are dated up to here
    long measure = 0;  // what the gauge measures against
};

// False when the texts are no numbers, the start is no real date, or the run goes past
// 9999-12-31.
bool MakePeriod(const QString& year, const QString& month, const QString& day, const QString& n,
                bool beyondPeriod, Period& period);

struct PeriodOptions {
    uint8_t ind = 0;
    std::string kiri_moji = "-";
    uint8_t kiri_n = 0;
    bool dateEmptyDays = true;  // days without schedule still get their date
    bool html = false;
};

// " 1月15日(月)  ": 14 columns, CP932.
std::string PeriodHeading(int month, int day, int weekday);
// The day's lines; a final line break adds no empty line.
std::vector<std::string> DayLines(const std::string& text);

// Walks the run through the loaded month (CurYear, CurMonth, MonthDays), loading every further
// month it enters and leaving CurYear/CurMonth/CurDay at the last one loaded. gauge gets
// 0-100 at each month change. Empty when no day gave a line.
std::string PeriodText(const Period& period, const PeriodOptions& options,
                       const std::function<void(int)>& gauge);

// The text in its minimal page, escaped.
std::string PeriodHtmlPage(const std::string& text);
// What the file holds: every line ended by CR LF.
std::string PeriodFileBytes(const std::string& text);

}  // namespace accessories
