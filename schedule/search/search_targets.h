// The three places a search looks in. Each appends its hits in the order they are listed and
// returns how many it appended; what cannot be read gives no hits and no message.
#pragma once

#include <string>
#include <vector>

#include "search_core.h"

// Text memos ("*.txt") of the memo folder, then of each category folder in list order, files
// by name. A line with either word is a hit; a file without such a line is one hit when its
// name holds either word.
int MemoKensaku(const std::string& memoFolder, const SearchWords& words,
                std::vector<SearchHit>& out);

// The to-do store: an item whose content holds both words, or whose project does. A damaged
// store gives the items read before the damage.
int ToDoKensaku(const std::string& todoPath, const SearchWords& words, std::vector<SearchHit>& out);

// The month files of the period, through MonthDays (CurYear, CurMonth, CurDay move along): a
// day holding both words lists each of its lines that holds either.
int SearchSchedules(const SearchPeriod& period, const SearchWords& words,
                    std::vector<SearchHit>& out);
