#include "append_day_text.h"

#include "cp932.h"
#include "file_io.h"
#include "globals.h"
#include "paths.h"
#include "schedule_store.h"
#include "text_helpers.h"

using namespace foundation;

namespace schedule {

namespace {

// A file that is there but cannot be read would come back empty, and the save would then
// replace the month (or its marks) with the one line appended.
bool Readable(const std::string& path) {
    std::string bytes;
    return !platform::FileExists(path) || platform::ReadWholeFile(path, bytes);
}

}  // namespace

bool AppendDayText(uint16_t year, uint16_t month, const std::string& text, uint16_t day) {
    if (day < 1 || day > 31) return false;
    if (!Readable(MonthFileName(Settings.dat_Path, year, month)) ||
        !Readable(MarkFileName(Settings.dat_Path, year, month))) {
        MsgBox(Sj("予定を格納するディレクトリが見つかりません。"), 48, "");
        return false;
    }
    const uint16_t keptYear = CurYear, keptMonth = CurMonth, keptDay = CurDay;
    CurYear = year;
    CurMonth = month;
    CurDay = day;
    LoadMonthSchedule();
    YOTEI& entry = MonthDays[day];
    if (!entry.Text.empty() && entry.Text.back() != '\n') entry.Text += "\r\n";
    entry.Text += text;
    entry.HasText = 1;
    const bool saved = SaveMonthSchedule();
    CurYear = keptYear;
    CurMonth = keptMonth;
    CurDay = keptDay;
    return saved;
}

bool AppendToDates(const std::vector<WizardDate>& dates, const std::string& text) {
    for (const WizardDate& d : dates) {
        if (!AppendDayText(static_cast<uint16_t>(d.year), static_cast<uint16_t>(d.month), text,
                           static_cast<uint16_t>(d.day)))
            return false;
    }
    return true;
}

}  // namespace schedule
