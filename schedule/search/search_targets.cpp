#include "search_targets.h"

#include <QDir>
#include <QFileInfo>
#include <tuple>

#include "calendar_rules.h"
#include "cp932.h"
#include "file_io.h"
#include "folders.h"
#include "globals.h"
#include "paths.h"
#include "schedule_store.h"
#include "search_matcher.h"
#include "todo_store.h"

using namespace foundation;

namespace schedule {

namespace {

bool EitherWord(std::string_view text, const SearchWords& words) {
    return ContainsWord(text, words.first) || ContainsWord(text, words.second);
}

bool BothWords(std::string_view text, const SearchWords& words) {
    return ContainsWord(text, words.first) && ContainsWord(text, words.second);
}

// A word is found in a whole text exactly when it is found in one of its lines, as long as it
// holds no line end itself.
bool NoLineEnd(const SearchWords& words) {
    return FindLineEnd(words.first, 0) == std::string::npos &&
           FindLineEnd(words.second, 0) == std::string::npos;
}

bool IsTextMemo(const QString& name) {
    return name.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive);
}

}  // namespace

std::vector<std::string> MemoFolders(const std::string& memoFolder) {
    std::vector<std::string> folders{memoFolder};
    std::string list;
    MemoFolderList(memoFolder, list);
    std::vector<std::string> categories = SplitLines(list);
    for (size_t i = 1; i < categories.size(); ++i)
        if (!categories[i].empty())
            folders.push_back(platform::JoinPath(memoFolder, categories[i]));
    return folders;
}

std::vector<TextMemo> TextMemos(const std::string& folder) {
    std::vector<TextMemo> memos;
    // Only files: a folder named like a memo is no memo.
    const QFileInfoList files =
        QDir(platform::DiskPath(folder))
            .entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo& file : files) {
        if (!IsTextMemo(file.fileName())) continue;
        std::string fileName = platform::ToCp932(file.fileName());
        std::string name = fileName.substr(0, fileName.size() - 4);  // without ".txt"
        memos.push_back(
            {platform::FromDiskPath(file.filePath()), std::move(fileName), std::move(name)});
    }
    return memos;
}

int SearchMemo(const TextMemo& memo, const SearchWords& words, std::vector<SearchHit>& out) {
    std::string bytes;
    if (!platform::ReadWholeFile(memo.path, bytes)) return 0;
    int count = 0;
    // Most memos hold neither word: one look at the whole text passes them.
    if (!NoLineEnd(words) || EitherWord(bytes, words))
        ForEachLine(bytes, [&](std::string_view line) {
            if (!EitherWord(line, words)) return;
            out.push_back({HitKind::Memo, 0, 0, 0, memo.path, memo.name,
                           MemoLineHitLine(memo.name, std::string(line))});
            ++count;
        });
    if (count == 0 && EitherWord(memo.fileName, words)) {
        out.push_back(
            {HitKind::Memo, 0, 0, 0, memo.path, std::string(), MemoNameHitLine(memo.name)});
        ++count;
    }
    return count;
}

int MemoKensaku(const std::string& memoFolder, const SearchWords& words,
                std::vector<SearchHit>& out) {
    int count = 0;
    for (const std::string& folder : MemoFolders(memoFolder))
        for (const TextMemo& memo : TextMemos(folder)) count += SearchMemo(memo, words, out);
    return count;
}

int ToDoKensaku(const std::string& todoPath, const SearchWords& words,
                std::vector<SearchHit>& out) {
    std::vector<TTODO> items;
    ReadToDoFile(todoPath, items);
    int count = 0;
    for (const TTODO& item : items) {
        if (item.Content.empty()) continue;
        if (!BothWords(item.Content, words) && !BothWords(item.Project, words)) continue;
        SearchHit hit;
        hit.kind = HitKind::ToDo;
        hit.line = ToDoHitLine(item.Content, item.Project, FormatDateTime("yyyy/mm/dd", item.Due));
        out.push_back(std::move(hit));
        ++count;
    }
    return count;
}

int SearchMonth(int year, int month, const SearchWords& words, std::vector<SearchHit>& out) {
    // The marks are not searched; they are read for what the loading of the month tells
    // about a file that cannot be read or is damaged.
    YOTEI days[32];
    store::ReadMarks(Settings.dat_Path, year, month, days);
    if (!store::ReadSchedule(Settings.dat_Path, year, month, days)) return 0;
    int count = 0;
    const int length = DaysInMonth(year, month);
    for (int d = 1; d <= length; ++d) {
        const std::string& text = days[d].Text;
        if (!BothWords(text, words)) continue;
        ForEachLine(text, [&](std::string_view line) {
            if (!EitherWord(line, words)) return;
            SearchHit hit;
            hit.kind = HitKind::Schedule;
            hit.year = year;
            hit.month = month;
            hit.day = d;
            hit.line = ScheduleHitLine(year, month, d, std::string(line));
            out.push_back(std::move(hit));
            ++count;
        });
    }
    return count;
}

void LoadSearchedMonth(int year, int month) {
    CurYear = static_cast<uint16_t>(year);
    CurMonth = static_cast<uint16_t>(month);
    CurDay = 1;
    LoadMonthSchedule();
}

int SearchSchedules(const SearchPeriod& period, const SearchWords& words,
                    std::vector<SearchHit>& out) {
    int count = 0;
    int lastYear = 0, lastMonth = 0;
    for (int y = period.year, m = period.month;
         std::tie(y, m) <= std::tie(period.year2, period.month2);) {
        count += SearchMonth(y, m, words, out);
        lastYear = y;
        lastMonth = m;
        if (++m > 12) {
            m = 1;
            ++y;
        }
    }
    if (lastYear != 0) LoadSearchedMonth(lastYear, lastMonth);
    return count;
}

}  // namespace schedule
