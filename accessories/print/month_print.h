// The plain month print: date stamp, title and one block per day (heading, text, rule),
// flowing down as many pages as it needs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "print_canvas.h"
#include "settings_record.h"

namespace accessories {

struct MonthPrintDay {
    std::string heading;        // CP932, as the month view's day header shows it
    uint32_t headingColor = 0;  // stored colour values
    bool marked = false;        // heading on the mark colour
    std::string text;           // CP932, lines joined by CR LF
    uint32_t textColor = 0;
};

struct MonthPrint {
    std::string stamp;  // CP932: "2004/6/1 現在"
    std::string title;  // CP932: "2004年 6月 月間予定表"
    uint32_t markColor = 0;
    std::vector<MonthPrintDay> days;
};

// "2004年 6月 月間予定表", with the era year when settings.wareki is 1 (CP932).
std::string MonthPrintTitle(int year, int month, const foundation::INIT& settings);

// The month in MonthDays (CurYear/CurMonth) as the month view shows it, with Settings and
// today's stamp.
MonthPrint BuildMonthPrint();

// Prints one document; false when it could not start (the user has been told).
bool PrintMonthDocument(platform::PrintCanvas& canvas, const MonthPrint& month);

}  // namespace accessories
