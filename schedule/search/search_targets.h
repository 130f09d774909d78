// The three places a search looks in. Each appends its hits in the order they are listed and
// returns how many it appended; what cannot be read gives no hits and no message.
#pragma once

#include <string>
#include <vector>

#include "search_core.h"

namespace schedule {

// Text memos ("*.txt") of the memo folder, then of each category folder in list order, files
// by name. A line with either word is a hit; a file without such a line is one hit when its
// name holds either word.
int MemoKensaku(const std::string& memoFolder, const SearchWords& words,
                std::vector<SearchHit>& out);

// The to-do store: an item whose content holds both words, or whose project does. A damaged
// store gives the items read before the damage.
int ToDoKensaku(const std::string& todoPath, const SearchWords& words, std::vector<SearchHit>& out);

// The month files of the period: a day holding both words lists each of its lines that holds
// either. Leaves the period's last month loaded (CurYear, CurMonth, CurDay 1 and MonthDays).
int SearchSchedules(const SearchPeriod& period, const SearchWords& words,
                    std::vector<SearchHit>& out);

// The same searches a piece at a time.

// The memo folder, then its category folders in list order.
std::vector<std::string> MemoFolders(const std::string& memoFolder);

struct TextMemo {
    std::string path, fileName, name;  // full path, name with and without its extension
};
// The text memos of one folder, by name.
std::vector<TextMemo> TextMemos(const std::string& folder);
int SearchMemo(const TextMemo& memo, const SearchWords& words, std::vector<SearchHit>& out);

// One month of Settings.dat_Path, read as LoadMonthSchedule reads it (its marks too, so an
// unreadable file is told the same way) but without touching MonthDays.
int SearchMonth(int year, int month, const SearchWords& words, std::vector<SearchHit>& out);
// Makes (year, month) the loaded month, as a search leaves it.
void LoadSearchedMonth(int year, int month);

}  // namespace schedule
