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

namespace {

bool EitherWord(const std::string& text, const SearchWords& words) {
    return ContainsWord(text, words.first) || ContainsWord(text, words.second);
}

bool BothWords(const std::string& text, const SearchWords& words) {
    return ContainsWord(text, words.first) && ContainsWord(text, words.second);
}

bool IsTextMemo(const QString& name) {
    return name.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive);
}

int SearchMemoFolder(const std::string& folder, const SearchWords& words,
                     std::vector<SearchHit>& out) {
    int count = 0;
    // Only files: a folder named like a memo is no memo.
    const QFileInfoList files =
        QDir(platform::DiskPath(folder))
            .entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo& file : files) {
        if (!IsTextMemo(file.fileName())) continue;
        std::string bytes;
        const std::string path = platform::FromDiskPath(file.filePath());
        if (!platform::ReadWholeFile(path, bytes)) continue;
        const std::string fileName = platform::ToCp932(file.fileName());
        const std::string name = platform::ToCp932(file.completeBaseName());
        bool lineHit = false;
        for (const std::string& line : SplitLines(bytes)) {
            if (!EitherWord(line, words)) continue;
            lineHit = true;
            out.push_back({HitKind::Memo, 0, 0, 0, path, name, MemoLineHitLine(name, line)});
            ++count;
        }
        if (!lineHit && EitherWord(fileName, words)) {
            out.push_back({HitKind::Memo, 0, 0, 0, path, std::string(), MemoNameHitLine(name)});
            ++count;
        }
    }
    return count;
}

}  // namespace

int MemoKensaku(const std::string& memoFolder, const SearchWords& words,
                std::vector<SearchHit>& out) {
    int count = SearchMemoFolder(memoFolder, words, out);
    std::string list;
    MemoFolderList(memoFolder, list);
    std::vector<std::string> categories = SplitLines(list);
    for (size_t i = 1; i < categories.size(); ++i) {
        if (categories[i].empty()) continue;
        count += SearchMemoFolder(platform::JoinPath(memoFolder, categories[i]), words, out);
    }
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

int SearchSchedules(const SearchPeriod& period, const SearchWords& words,
                    std::vector<SearchHit>& out) {
    int count = 0;
    for (int y = period.year, m = period.month;
         std::tie(y, m) <= std::tie(period.year2, period.month2);) {
        CurYear = static_cast<uint16_t>(y);
        CurMonth = static_cast<uint16_t>(m);
        CurDay = 1;
        LoadMonthSchedule();
        const int length = DaysInMonth(y, m);
        for (int d = 1; d <= length; ++d) {
            const std::string& text = MonthDays[d].Text;
            if (!BothWords(text, words)) continue;
            for (const std::string& line : SplitLines(text)) {
                if (!EitherWord(line, words)) continue;
                SearchHit hit;
                hit.kind = HitKind::Schedule;
                hit.year = y;
                hit.month = m;
                hit.day = d;
                hit.line = ScheduleHitLine(y, m, d, line);
                out.push_back(std::move(hit));
                ++count;
            }
        }
        if (++m > 12) {
            m = 1;
            ++y;
        }
    }
    return count;
}
