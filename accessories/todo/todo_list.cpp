#include "todo_list.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <numeric>

#include "calendar_rules.h"
#include "cp932.h"
#include "file_io.h"
#include "paths.h"
#include "text_helpers.h"

using namespace foundation;

namespace accessories {

namespace {

const char kDoneRemain[] = "----";
constexpr int kDoneSortValue = 32000;

const QCollator& JapaneseCollator() {
    static const QCollator collator(QLocale(QLocale::Japanese, QLocale::Japan));
    return collator;
}

// A whole number with leading blanks; anything else reads as 0.
int LeadingNumber(const std::string& s) {
    size_t p = 0;
    while (p < s.size() && s[p] == ' ') ++p;
    bool negative = false;
    if (p < s.size() && (s[p] == '-' || s[p] == '+')) negative = s[p++] == '-';
    long long v = 0;
    for (; p < s.size() && s[p] >= '0' && s[p] <= '9' && v < 100000000; ++p)
        v = v * 10 + (s[p] - '0');
    return static_cast<int>(negative ? -v : v);
}

int RemainSortValue(const std::string& remain) {
    return remain == kDoneRemain ? kDoneSortValue : LeadingNumber(remain);
}

// The text key of a column; empty keys compare as one blank.
std::string TextKey(const ToDoRow& row, int column) {
    std::string key;
    if (column == 0)
        key = std::to_string(ImportanceCode(row.importance));
    else if (column == 2)
        key = std::to_string(StatusCode(row.status));
    else
        key = row.Cell(column);
    return key.empty() ? std::string(" ") : key;
}

// Digits only, at most max of them.
bool Digits(const std::string& s, size_t min, size_t max) {
    if (s.size() < min || s.size() > max) return false;
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string Trimmed(const std::string& s) {
    const size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return std::string();
    const size_t e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

}  // namespace

const std::string& ToDoRow::Cell(int column) const {
    switch (column) {
        case 0:
            return importance;
        case 1:
            return content;
        case 2:
            return status;
        case 3:
            return date;
        case 4:
            return remain;
        case 5:
            return project;
        default:
            return link;
    }
}

int RemainingDays(TDateTime due, TDateTime today) {
    return static_cast<int>(std::trunc(due - today));
}

std::string RemainText(bool done, int days, int width) {
    if (done) return kDoneRemain;
    // "%*d" without the formatter: it runs for every row of a list.
    char digits[16];
    const size_t n =
        static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, days).ptr - digits);
    const size_t w = width > 0 ? static_cast<size_t>(width) : 0;
    std::string text(n < w ? w - n : 0, ' ');
    text.append(digits, n);
    return text;
}

bool RemainIsOverdue(const std::string& remain) {
    for (size_t i = 0; i + 1 < remain.size(); ++i)
        if (remain[i] == '-' && remain[i + 1] != '-') return true;
    return false;
}

ToDoRow RowFromItem(TTODO item, TDateTime today) {
    ToDoRow row;
    row.importance = ImportanceText(item.Importance);
    row.content = std::move(item.Content);
    row.status = StatusText(item.Status);
    row.date = ToDoDateText(item.Due);
    row.remain = RemainText(item.Status == kStatusDone, RemainingDays(item.Due, today), 4);
    row.project = std::move(item.Project);
    row.link = std::move(item.Link);
    return row;
}

TTODO ItemFromRow(const ToDoRow& row) {
    TTODO item;
    try {
        item.Due = StrToDateTimeStd(row.date);
    } catch (const EConvertError&) {
        item.Due = 0;  // rows are only made from dates that read
    }
    item.Content = row.content;
    item.Status = static_cast<uint8_t>(StatusCode(row.status));
    item.Project = row.project;
    item.Importance = static_cast<uint8_t>(ImportanceCode(row.importance));
    item.Link = row.link;
    return item;
}

bool DueForAlert(const TTODO& item, TDateTime today, int todozan) {
    return item.Status != kStatusDone && RemainingDays(item.Due, today) < todozan;
}

bool EntryDate(const std::string& year, const std::string& month, const std::string& day,
               std::string& dateText) {
    const std::string y = Trimmed(year), m = Trimmed(month), d = Trimmed(day);
    if (!Digits(y, 4, 4) || !Digits(m, 1, 2) || !Digits(d, 1, 2)) return false;
    const int yy = std::stoi(y), mm = std::stoi(m), dd = std::stoi(d);
    if (yy < 1 || mm < 1 || mm > 12 || dd < 1 || dd > 31) return false;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.4d/%.2d/%.2d", yy, mm, std::min(dd, DaysInMonth(yy, mm)));
    dateText = buf;
    return true;
}

int CompareToDoItems(const ToDoRow& a, const ToDoRow& b, int column, bool descending) {
    int result;
    if (column == 4) {
        const int x = RemainSortValue(a.remain), y = RemainSortValue(b.remain);
        result = x > y ? 1 : x == y ? 0 : -1;
    } else {
        const int c = JapaneseCollator().compare(platform::FromCp932(TextKey(a, column)),
                                                 platform::FromCp932(TextKey(b, column)));
        result = c > 0 ? 1 : c < 0 ? -1 : 0;
    }
    return descending ? -result : result;
}

std::vector<size_t> SortToDoRows(std::vector<ToDoRow>& rows, int column, bool descending) {
    std::vector<size_t> order(rows.size());
    std::iota(order.begin(), order.end(), size_t{0});
    if (column == 4) {
        std::vector<int> keys;
        keys.reserve(rows.size());
        for (const ToDoRow& r : rows) keys.push_back(RemainSortValue(r.remain));
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
            return descending ? keys[a] > keys[b] : keys[a] < keys[b];
        });
    } else {
        // One key per row: the collation runs once per row, not once per comparison.
        std::vector<QCollatorSortKey> keys;
        keys.reserve(rows.size());
        for (const ToDoRow& r : rows)
            keys.push_back(JapaneseCollator().sortKey(platform::FromCp932(TextKey(r, column))));
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
            const int c = keys[a].compare(keys[b]);
            return descending ? c > 0 : c < 0;
        });
    }
    // In place, cycle by cycle: a second list of ten thousand rows is memory new to the program
    // at every click.
    std::vector<bool> placed(rows.size());
    for (size_t start = 0; start < rows.size(); ++start) {
        if (placed[start]) continue;
        ToDoRow first = std::move(rows[start]);
        size_t to = start;
        for (;;) {
            placed[to] = true;
            const size_t from = order[to];
            if (from == start) {
                rows[to] = std::move(first);
                break;
            }
            rows[to] = std::move(rows[from]);
            to = from;
        }
    }
    return order;
}

std::string ToDoLogHeader() {
    return Sj("重要度,内容,状態,目標完了日,残日数,ﾌﾟﾛｼﾞｪｸﾄ,関連情報,削除日");
}

std::string ToDoLogLine(const ToDoRow& row, TDateTime today) {
    std::string date;
    FormatDateTimeSafe("yyyy/mm/dd", date, today);
    return row.importance + "," + row.content + "," + row.status + "," + row.date + "," +
           row.remain + "," + row.project + "," + row.link + "," + date;
}

LogResult AppendToDoLog(const std::string& path, const ToDoRow& row, TDateTime today) {
    std::string bytes;
    const bool exists = platform::FileExists(path);
    if (exists) {
        if (!platform::ReadWholeFile(path, bytes)) return LogResult::OpenFailed;
    } else {
        bytes = ToDoLogHeader() + "\r\n";
    }
    bytes += ToDoLogLine(row, today) + "\r\n";
    if (platform::WriteFileAtomic(path, bytes)) return LogResult::Ok;
    // A log that could not be made is one that did not open.
    return exists ? LogResult::WriteFailed : LogResult::OpenFailed;
}

std::string ToDoDamageMessage(size_t itemsRead, const std::string& backup,
                              const std::string& storePath) {
    std::string text = Sj("ToDo のﾌｧｲﾙの一部が読み込めませんでした。\r\n読み込めた ToDo は ") +
                       std::to_string(itemsRead) + Sj(" 件です。\r\n");
    if (backup.empty())
        return text + Sj("元のﾌｧｲﾙのｺﾋﾟｰが作れないため、このﾌｧｲﾙには保存しません。\r\n") +
               storePath;
    return text + Sj("読み込めなかった部分は、元のﾌｧｲﾙのｺﾋﾟｰに残してあります。\r\n") + backup;
}

void ToDoList::Load(TDateTime today) {
    // Loading twice would double every item at the next save.
    if (loaded_) return;
    loaded_ = true;
    std::vector<TTODO> items;
    if (store_.Load(items) == ToDoRead::Damaged && store_.DamageIsNew())
        MsgBox(ToDoDamageMessage(items.size(), store_.Backup(), store_.Path()), 48, "");
    if (!alertMode) rows.reserve(rows.size() + items.size());
    for (TTODO& item : items)
        if (!alertMode || DueForAlert(item, today, todozan))
            rows.push_back(RowFromItem(std::move(item), today));
}

bool ToDoList::Save() {
    if (alertMode) return true;
    std::vector<TTODO> items;
    items.reserve(rows.size());
    for (const ToDoRow& row : rows) items.push_back(ItemFromRow(row));
    if (!store_.Save(items)) {
        unsaved_ = true;
        MsgBox(Sj("TODO が書き込めません。"), 48, "");
        return false;
    }
    unsaved_ = false;
    return true;
}

bool ToDoList::Changed() {
    unsaved_ = true;
    return Save();
}

void ToDoList::Fill(ToDoRow& row, const ToDoEntry& entry, TDateTime today) {
    row.importance = entry.importance;
    row.status = entry.status;
    if (!EntryDate(entry.year, entry.month, entry.day, row.date))
        row.date = entry.year + "/" + entry.month + "/" + entry.day;
    row.content = entry.content.empty() ? Sj("内容が設定されていません。") : entry.content;
    TDateTime due = 0;
    try {
        due = StrToDateTimeStd(row.date);
    } catch (const EConvertError&) {
    }
    row.remain = RemainText(StatusCode(row.status) == kStatusDone, RemainingDays(due, today), 5);
    row.project = entry.project;
    row.link = entry.link;
}

bool ToDoList::Add(const ToDoEntry& entry, TDateTime today) {
    ToDoRow row;
    Fill(row, entry, today);
    rows.push_back(std::move(row));
    return Changed();
}

bool ToDoList::Edit(size_t index, const ToDoEntry& entry, TDateTime today) {
    if (index >= rows.size()) return true;
    Fill(rows[index], entry, today);
    return Changed();
}

bool ToDoList::SetImportance(size_t index, const std::string& importance) {
    if (index >= rows.size()) return true;
    rows[index].importance = importance;
    return Changed();
}

bool ToDoList::SetStatus(size_t index, const std::string& status, TDateTime today) {
    if (index >= rows.size()) return true;
    ToDoRow& row = rows[index];
    row.status = status;
    TDateTime due = 0;
    try {
        due = StrToDateTimeStd(row.date);
    } catch (const EConvertError&) {
    }
    row.remain = RemainText(StatusCode(status) == kStatusDone, RemainingDays(due, today), 5);
    return Changed();
}

bool ToDoList::Delete(size_t index) {
    if (index >= rows.size()) return true;
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index));
    return Changed();
}

std::vector<size_t> ToDoList::Sort(int column) {
    if (column < 0 || column >= kToDoColumns) return {};
    std::vector<size_t> order = SortToDoRows(rows, column, sortDesc_[column] != 0);
    sortDesc_[column] = static_cast<uint8_t>(1 - sortDesc_[column]);
    // The order reaches the file at the next save (at the latest when the window closes).
    if (!alertMode && !rows.empty()) unsaved_ = true;
    return order;
}

}  // namespace accessories
