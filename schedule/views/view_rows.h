// Texts, colours and sizes of the month and year views, computed without widgets.
#pragma once

#include <cstdint>
#include <string>

#include "records.h"
#include "settings_record.h"

// Header of one day row of the month view.
struct DayRowHeader {
    std::string caption;  // CP932, e.g. "5/3(月･大安･第19週)憲法記念日"
    uint32_t color = 0;   // stored colour value of the text
    bool marked = false;  // on the mark colour
};
DayRowHeader MakeDayRowHeader(int year, int month, int day, const YOTEI& entry,
                              const INIT& settings);

// Height of a memo that shows `lines` lines of `fontPx` pixels (an empty memo shows one).
int MemoHeight(int lines, int fontPx);
// Height while Enter is being pressed: one line more than the memo shows.
int MemoHeightForEnter(int lines, int fontPx);

// Window captions, CP932: "2004年 5月  月間予定表", "2004年 年間予定表" (era years when
// settings.wareki is 1).
std::string MonthViewCaption(int year, int month, const INIT& settings);
std::string YearViewCaption(int year, const INIT& settings);

// What a memo stores: a text of blanks and line breaks only (what a cleared memo keeps to hold
// its height) is no text.
void StoreMemoText(const std::string& memoText, uint8_t& hasText, std::string& text);

// The neighbouring month; false (nothing changed) outside years 1-9999.
bool PrevMonthOf(int& year, int& month);
bool NextMonthOf(int& year, int& month);

// Mouse wheel over the rows: the new scroll position.
int WheelUpPosition(int position, int range);
int WheelDownPosition(int position, int range);

// First line of the year view's day details: "5/3(月･大安)憲法記念日,結婚記念日 の予定",
// CP932, without the week number.
std::string DayDetailsHeading(int year, int month, int day, const std::string& anniversary,
                              const INIT& settings);
