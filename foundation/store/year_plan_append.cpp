#include "year_plan_append.h"

#include "cp932.h"
#include "file_io.h"
#include "globals.h"
#include "paths.h"
#include "schedule_store.h"
#include "text_helpers.h"

namespace foundation {

bool AppendToYearPlan(int year, int month, const std::string& text) {
    if (text.empty() || month < 1 || month > 12) return false;
    // A plan that is there but cannot be read is never replaced; the store tells the user.
    NEN_YOTEI months[13];
    if (!ReadYearSchedule(year, months)) return false;
    NEN_YOTEI& entry = months[month];
    if (!entry.Text.empty() && entry.Text.back() != '\n') entry.Text += "\r\n";
    entry.HasText = 1;
    entry.Text += text;
    return SaveYearSchedule(year, months);
}

}  // namespace foundation
