// Adding a piece of text to one month of a year plan, shared by the day window and the month
// view.
#pragma once

#include <string>

#include "schedule_store.h"

namespace foundation {

// Appends text on a new line of month's plan text in the plan of year and saves the plan. An
// empty text or a month outside 1-12 does nothing. A plan that exists but cannot be read is
// left as it is, with the store's message. False when nothing was saved.
bool AppendToYearPlan(int year, int month, const std::string& text);

}  // namespace foundation
