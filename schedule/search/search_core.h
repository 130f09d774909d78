// What a search looks for and what it found, without widgets. Texts are CP932.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text_file.h"

namespace schedule {

enum class HitKind { Schedule, ToDo, Memo };

// One result line and what a click on it shows.
struct SearchHit {
    HitKind kind = HitKind::Schedule;
    int year = 0, month = 0, day = 0;  // schedule hits
    std::string path;                  // memo hits: the memo file
    std::string title;                 // memo hits: the name a line hit shows; empty for a name hit
    std::string line;                  // the result line, without line end
};

struct SearchWords {
    std::string first, second;
    bool two = false;  // both boxes held a word
};

// False when both boxes are empty. One filled box gives that word twice.
bool ChooseWords(const std::string& ken, const std::string& ken2, SearchWords& words);

// The months a schedule search visits, first to last.
struct SearchPeriod {
    int year = 0, month = 0, year2 = 0, month2 = 0;
};
// The four boxes as whole numbers; false when one is no number or no month of a real date.
// When the end year is before the start year the two ends change places; an end month before
// the start month in the same year visits nothing.
bool ParsePeriod(const std::string& yy, const std::string& mm, const std::string& yy2,
                 const std::string& mm2, SearchPeriod& period);

// "「w」の検索結果：" or "「w」and「v」の検索結果：".
std::string ResultCaption(const SearchWords& words);

// Result lines.
std::string ScheduleHitLine(int year, int month, int day, const std::string& line);
std::string MemoLineHitLine(const std::string& name, const std::string& line);
std::string MemoNameHitLine(const std::string& name);
std::string ToDoHitLine(const std::string& content, const std::string& project,
                        const std::string& due);

// The detail pane's text for a hit (schedule hits read MonthDays, which the caller loaded).
std::string ScheduleDetail(const SearchHit& hit, const std::string& dayText);
std::string MemoDetail(const SearchHit& hit, const std::string& fileText);

// The lines of text split at CR LF, CR or LF.
std::vector<std::string> SplitLines(const std::string& text);

// Calls take(line) for each line of SplitLines(text), in order, without copying them.
template <class Take>
void ForEachLine(std::string_view text, Take take) {
    size_t start = 0;
    while (true) {
        const size_t end = foundation::FindLineEnd(text, start);
        if (end == std::string_view::npos) {
            take(text.substr(start));
            return;
        }
        take(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
}

}  // namespace schedule
