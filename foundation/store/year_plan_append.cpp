#include "year_plan_append.h"

#include "cp932.h"
#include "file_io.h"
#include "globals.h"
#include "paths.h"
#include "schedule_store.h"
#include "text_helpers.h"

bool AppendToYearPlan(int year, int month, const std::string& text) {
    if (text.empty() || month < 1 || month > 12) return false;
    if (YearPlanUnreadable(year)) {
        MsgBox(Sj("年間予定を格納するディレクトリが見つかりません。"), 48, "");
        return false;
    }
    NEN_YOTEI months[13];
    ReadYearSchedule(year, months);
    NEN_YOTEI& entry = months[month];
    if (!entry.Text.empty() && entry.Text.back() != '\n') entry.Text += "\r\n";
    entry.HasText = 1;
    entry.Text += text;
    return SaveYearSchedule(year, months);
}
