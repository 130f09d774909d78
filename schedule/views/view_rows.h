// Captions, stored texts, month steps and scrolling of the month and year views, computed
// without widgets.
#pragma once

#include <cstdint>
#include <string>

#include "settings_record.h"

namespace schedule {

// Window captions, CP932: "2004年 5月  月間予定表", "2004年 年間予定表" (era years when
// settings.wareki is 1).
std::string MonthViewCaption(int year, int month, const foundation::INIT& settings);
std::string YearViewCaption(int year, const foundation::INIT& settings);

// What a memo stores: a text of blanks and line breaks only (what a cleared memo keeps to hold
// its height) is no text.
void StoreMemoText(const std::string& memoText, uint8_t& hasText, std::string& text);

// The neighbouring month; false (nothing changed) outside years 1-9999.
bool PrevMonthOf(int& year, int& month);
bool NextMonthOf(int& year, int& month);

// Mouse wheel over the rows: the new scroll position.
int WheelUpPosition(int position, int range);
int WheelDownPosition(int position, int range);

}  // namespace schedule
