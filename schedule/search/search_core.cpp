#include "search_core.h"

#include <cstdio>

#include "calendar_rules.h"
#include "cp932.h"

using namespace foundation;

namespace schedule {

namespace {

// A whole number as typed: blanks around it, an optional sign, ASCII digits.
bool WholeNumber(const std::string& text, int& value) {
    size_t i = 0, end = text.size();
    while (i < end && text[i] == ' ') ++i;
    while (end > i && text[end - 1] == ' ') --end;
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == end) return false;
    long long v = 0;
    for (; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        v = v * 10 + (text[i] - '0');
        if (v > 2147483647LL) return false;
    }
    value = static_cast<int>(negative ? -v : v);
    return true;
}

bool RealMonth(int year, int month) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12;
}

}  // namespace

bool ChooseWords(const std::string& ken, const std::string& ken2, SearchWords& words) {
    if (ken.empty() && ken2.empty()) return false;
    words.two = !ken.empty() && !ken2.empty();
    words.first = ken.empty() ? ken2 : ken;
    words.second = ken2.empty() ? ken : ken2;
    return true;
}

bool ParsePeriod(const std::string& yy, const std::string& mm, const std::string& yy2,
                 const std::string& mm2, SearchPeriod& period) {
    int y1, m1, y2, m2;
    if (!WholeNumber(yy, y1) || !WholeNumber(mm, m1) || !WholeNumber(yy2, y2) ||
        !WholeNumber(mm2, m2))
        return false;
    if (!RealMonth(y1, m1) || !RealMonth(y2, m2)) return false;
    if (y2 < y1)
        period = {y2, m2, y1, m1};
    else
        period = {y1, m1, y2, m2};
    return true;
}

std::string ResultCaption(const SearchWords& words) {
    if (words.two)
        return Sj("「") + words.first + Sj("」and「") + words.second + Sj("」の検索結果：");
    return Sj("「") + words.first + Sj("」の検索結果：");
}

std::string ScheduleHitLine(int year, int month, int day, const std::string& line) {
    char head[32];
    std::snprintf(head, sizeof head, "%4d/%2d/%2d :", year, month, day);
    return head + line;
}

std::string MemoLineHitLine(const std::string& name, const std::string& line) {
    return Sj("メモ【") + name + Sj("】:") + line;
}

std::string MemoNameHitLine(const std::string& name) { return Sj("メモ【") + name + Sj("】"); }

std::string ToDoHitLine(const std::string& content, const std::string& project,
                        const std::string& due) {
    return "ToDo : " + content + Sj("【") + project + Sj("】 ") + "<" + due + ">";
}

std::string ScheduleDetail(const SearchHit& hit, const std::string& dayText) {
    return Sj("【検索結果の詳細 (") + hit.line.substr(0, 10) + Sj("の予定)】") + "\r\n" + dayText;
}

std::string MemoDetail(const SearchHit& hit, const std::string& fileText) {
    return Sj("【検索結果の詳細 メモ:「") + hit.title + Sj("」】") + "\r\n\r\n" + fileText;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    ForEachLine(text, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

}  // namespace schedule
