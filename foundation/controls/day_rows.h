// The rows of a month's days as the month views, the month print and the viewer lay them out:
// the header of a day, the height of its text box, and the rows one below the other.
#pragma once

#include <cstdint>
#include <string>

#include "records.h"
#include "settings_record.h"

namespace foundation {

// Header of one day row of the month view.
struct DayRowHeader {
    std::string caption;  // CP932, e.g. "5/3(月･大安･第19週)憲法記念日"
    uint32_t color = 0;   // stored colour value of the text
    bool marked = false;  // on the mark colour
};
DayRowHeader MakeDayRowHeader(int year, int month, int day, const YOTEI& entry,
                              const INIT& settings);

// First line of the year view's day details: "5/3(月･大安)憲法記念日,結婚記念日 の予定",
// CP932, without the week number.
std::string DayDetailsHeading(int year, int month, int day, const std::string& anniversary,
                              const INIT& settings);

// Height of a memo that shows `lines` lines of `fontPx` pixels (an empty memo shows one).
int MemoHeight(int lines, int fontPx);
// Height while Enter is being pressed: one line more than the memo shows.
int MemoHeightForEnter(int lines, int fontPx);

// Shows the rows of days 1 to `days` one below the other, the first where it stands, and hides
// the rest of the 31. setRow(day, top) fills a row at top and returns its bottom; the bottom of
// the last row is returned.
template <class Header, class Memo, class SetRow>
int StackDayRows(Header* (&headers)[32], Memo* (&memos)[32], int days, SetRow setRow) {
    int bottom = memos[1]->y();
    for (int n = 1; n <= days; ++n) bottom = setRow(n, bottom);
    for (int n = days + 1; n <= 31; ++n) {
        headers[n]->hide();
        memos[n]->hide();
    }
    return bottom;
}

}  // namespace foundation
