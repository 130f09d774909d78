// The to-do list without its window: the rows as the list shows them, their store, the
// changes a user makes, the sort, the deletion log and the alert's choice of rows.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "date_time.h"
#include "todo_store.h"

namespace accessories {

constexpr int kToDoColumns = 7;
// Widths of the list's columns in a new window, in pixels.
constexpr std::array<int, kToDoColumns> kToDoInitialWidths = {91, 217, 54, 82, 48, 100, 100};

// One row as the list shows it; all texts CP932.
struct ToDoRow {
    std::string importance;  // the row's caption (column 0)
    std::string content;     // column 1
    std::string status;      // column 2
    std::string date;        // column 3, "yyyy/mm/dd"
    std::string remain;      // column 4: "%4d" / "%5d" of the remaining days, or "----"
    std::string project;     // column 5
    std::string link;        // column 6

    int Icon() const { return foundation::ToDoIconIndex(importance, status); }
    const std::string& Cell(int column) const;
};

// What the entry dialog hands back, as its boxes hold it (CP932).
struct ToDoEntry {
    std::string importance, status;
    std::string year, month, day;  // month and day already two digits
    std::string content, project, link;
};

// Remaining days of a due date from today: whole days, truncated towards zero.
int RemainingDays(foundation::TDateTime due, foundation::TDateTime today);
// "----" for a done item, else the days right-aligned in width 4 (read rows) or 5 (rows just
// added, edited or given a status).
std::string RemainText(bool done, int days, int width);
// Drawn bold: a "-" followed by something other than "-" (a negative number).
bool RemainIsOverdue(const std::string& remain);

// The row of a stored item (remaining days in width 4).
ToDoRow RowFromItem(foundation::TTODO item, foundation::TDateTime today);
// The item a row stores. The date text of a row is always one the store reads.
foundation::TTODO ItemFromRow(const ToDoRow& row);
// Undone items whose remaining days are fewer than todozan (overdue ones included).
bool DueForAlert(const foundation::TTODO& item, foundation::TDateTime today, int todozan);

// The date of the entry boxes: a 4-digit year, a month 1-12 and a day 1-31; a day beyond the
// month's end becomes its last day. False when the texts are no such date.
bool EntryDate(const std::string& year, const std::string& month, const std::string& day,
               std::string& dateText);

// The sort of the list: Japanese collation of the texts, numbers for the remaining days
// ("----" = 32000); ascending unless descending. Equal keys give 0.
int CompareToDoItems(const ToDoRow& a, const ToDoRow& b, int column, bool descending);
// Stable: rows with equal keys keep their order. Gives the old index of each new row.
std::vector<size_t> SortToDoRows(std::vector<ToDoRow>& rows, int column, bool descending);

// The deletion log "todo_log.txt".
std::string ToDoLogHeader();
std::string ToDoLogLine(const ToDoRow& row, foundation::TDateTime today);
enum class LogResult { Ok, OpenFailed, WriteFailed };
// Appends the row's line, creating the file with its header; an existing log that cannot be
// read is left alone (OpenFailed).
LogResult AppendToDoLog(const std::string& path, const ToDoRow& row, foundation::TDateTime today);

// The warning of a store read only in part: how many items were read and the copy that keeps
// the file as it was (or, without one, that the file will not be saved over). CP932.
std::string ToDoDamageMessage(size_t itemsRead, const std::string& backup,
                              const std::string& storePath);

// The rows of one list window and their store.
class ToDoList {
  public:
    explicit ToDoList(std::string storePath) : store_(std::move(storePath)) {}

    bool alertMode = false;
    int todozan = 0;  // the alert's limit
    std::vector<ToDoRow> rows;

    // Appends the stored items (in alert mode only those due soon). Runs once per list. A
    // damaged store is told once a run (ToDoDamageMessage), an unreadable one too.
    void Load(foundation::TDateTime today);
    // Rewrites the store from the rows; nothing in alert mode. Shows "TODO が書き込めません。"
    // and returns false when the store could not be written (the rows stay).
    bool Save();
    // True when the rows differ from what the store holds (a sort, or a save that failed).
    bool Unsaved() const { return unsaved_; }

    // Each change saves at once; they return the save's result.
    bool Add(const ToDoEntry& entry, foundation::TDateTime today);
    bool Edit(size_t index, const ToDoEntry& entry, foundation::TDateTime today);
    bool SetImportance(size_t index, const std::string& importance);
    bool SetStatus(size_t index, const std::string& status, foundation::TDateTime today);
    bool Delete(size_t index);
    // Gives the old index of each new row.
    std::vector<size_t> Sort(int column);
    // The next sort of a column: false ascending, true descending.
    bool SortDescending(int column) const { return sortDesc_[column] != 0; }

  private:
    void Fill(ToDoRow& row, const ToDoEntry& entry, foundation::TDateTime today);
    bool Changed();

    foundation::ToDoStore store_;
    bool loaded_ = false;
    bool unsaved_ = false;
    std::array<uint8_t, kToDoColumns> sortDesc_{};
};

}  // namespace accessories
