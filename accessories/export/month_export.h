// The month on show as a CSV file or as an HTML calendar table: bytes in CP932, CR LF.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace accessories {

struct MonthExportDay {
    std::string caption;  // the day's heading, CP932
    std::string text;     // the day's lines joined by CR LF, CP932
    // 0xRRGGBB of the heading's text; none for the window-text colour or black.
    std::optional<uint32_t> textRgb;
    uint32_t backgroundRgb = 0xFFFFFF;  // white unless the heading is coloured (a marked day)
};

struct MonthExport {
    std::string caption;               // the month view's caption, CP932
    int firstWeekday = 0;              // weekday of the 1st, 0 = Sunday
    uint32_t weekdayRgb[7] = {};       // heads Sunday .. Saturday, 0xRRGGBB
    std::vector<MonthExportDay> days;  // day 1 first
};

// "&", "<" and ">" as entities, so no day text can break the page or run script.
std::string HtmlEscape(const std::string& text);
// Six uppercase hex digits, red first.
std::string HexRgb(uint32_t rgb);
// What the HTML cell shows after the day number: the holiday and anniversary names, with the
// rokuyo and week number in parentheses before them when the heading has them.
std::string HeadingExtra(const std::string& caption);

std::string MonthCsv(const MonthExport& month);
std::string MonthHtml(const MonthExport& month);

}  // namespace accessories
