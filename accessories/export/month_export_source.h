// What the month view shows, gathered for the month exports: its caption, and for each day of
// the month the heading (text and colours) and the text box, found by their names.
#pragma once

#include "month_export.h"

class QWidget;

namespace accessories {

// Rows the view does not have take the day's text from MonthDays and an empty heading.
MonthExport CollectMonthExport(const QWidget* view);

// 0xRRGGBB of a stored colour value, system colours resolved.
uint32_t StoredColorRgb(uint32_t stored);

}  // namespace accessories
