#include "todo_store.h"

#include "calendar_rules.h"
#include "cp932.h"
#include "file_io.h"
#include "paths.h"
#include "text_file.h"

namespace {

const char kStart[] = "#S#!";
const char kEnd[] = "#E#!";

const char* const kImportance[] = {"非常に重要", "重要", "普通", "あまり重要でない",
                                   "重要でない"};
const char* const kStatus[] = {"未着手", "進行中", "完了", "保留中"};

const std::vector<std::string>& Table(const char* const* utf8, size_t n,
                                      std::vector<std::string>& cache) {
    if (cache.empty())
        for (size_t i = 0; i < n; ++i) cache.push_back(Sj(utf8[i]));
    return cache;
}

const std::vector<std::string>& ImportanceTexts() {
    static std::vector<std::string> cache;
    return Table(kImportance, std::size(kImportance), cache);
}

const std::vector<std::string>& StatusTexts() {
    static std::vector<std::string> cache;
    return Table(kStatus, std::size(kStatus), cache);
}

// A whole number as the class library reads one: leading blanks, a sign, decimal digits or
// "$" and hex digits, nothing after them.
bool ParseWhole(const std::string& s, int& value) {
    size_t p = 0;
    while (p < s.size() && s[p] == ' ') ++p;
    bool negative = false;
    if (p < s.size() && (s[p] == '-' || s[p] == '+')) negative = s[p++] == '-';
    int base = 10;
    if (p < s.size() && s[p] == '$') {
        base = 16;
        ++p;
    }
    const size_t start = p;
    long long v = 0;
    for (; p < s.size(); ++p) {
        const char c = s[p];
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        v = v * base + d;
        if (v > 0xFFFFFFFFLL) return false;
    }
    if (p == start) return false;
    value = static_cast<int>(negative ? -v : v);
    return true;
}

// One text line of a block: line breaks become blanks; the end marker gets a blank.
std::string BlockLine(const std::string& text) {
    std::string line = text;
    for (char& c : line)
        if (c == '\r' || c == '\n') c = ' ';
    if (line == kEnd) line.push_back(' ');
    return line;
}

}  // namespace

std::string ImportanceText(int code) {
    const auto& t = ImportanceTexts();
    return code >= 0 && code < static_cast<int>(t.size()) ? t[code] : t[2];
}

int ImportanceCode(const std::string& text) {
    const auto& t = ImportanceTexts();
    for (size_t i = 0; i < t.size(); ++i)
        if (t[i] == text) return static_cast<int>(i);
    return 2;
}

std::string StatusText(int code) {
    const auto& t = StatusTexts();
    return code >= 0 && code < static_cast<int>(t.size()) ? t[code] : t[0];
}

int StatusCode(const std::string& text) {
    const auto& t = StatusTexts();
    for (size_t i = 0; i < t.size(); ++i)
        if (t[i] == text) return static_cast<int>(i);
    return 0;
}

int ToDoIconIndex(const std::string& importanceText, const std::string& statusText) {
    return ImportanceCode(importanceText) + 5 * StatusCode(statusText);
}

ToDoRead ParseToDo(const std::string& bytes, std::vector<TTODO>& items) {
    TextReader in(bytes);
    bool damaged = false;
    while (!in.Eof()) {
        const std::string head = in.ReadLine();
        if (head != kStart) {
            // Lines outside blocks are lost at the next save: the file is not ours whole.
            if (!head.empty()) damaged = true;
            continue;
        }
        TTODO item;
        bool ended = false;
        bool passDone = false;
        // A line is missing when the file ends inside the block.
        auto next = [&in](std::string& line) {
            if (in.Eof()) return false;
            line = in.ReadLine();
            return true;
        };
        std::string line;
        while (!ended) {
            if (!next(line)) return ToDoRead::Damaged;
            if (line == kEnd) break;
            if (passDone) damaged = true;  // a further pass overwrites the values read
            if (!next(line)) return ToDoRead::Damaged;
            try {
                item.Due = StrToDateTimeStd(line);
            } catch (const EConvertError&) {
                return ToDoRead::Damaged;
            }
            if (!next(line)) return ToDoRead::Damaged;
            item.Content = line;
            int number = 0;
            if (!next(line) || !ParseWhole(line, number)) return ToDoRead::Damaged;
            item.Status = static_cast<uint8_t>(number);
            passDone = true;
            if (!next(line)) return ToDoRead::Damaged;
            if (line == kEnd) break;
            item.Project = line;
            if (!next(line)) return ToDoRead::Damaged;
            if (line == kEnd) break;
            if (!ParseWhole(line, number)) return ToDoRead::Damaged;
            item.Importance = static_cast<uint8_t>(number);
            if (!next(line)) return ToDoRead::Damaged;
            if (line == kEnd) break;
            item.Link = line;
        }
        if (!item.Content.empty()) items.push_back(std::move(item));
    }
    return damaged ? ToDoRead::Damaged : ToDoRead::Complete;
}

ToDoRead ReadToDoFile(const std::string& path, std::vector<TTODO>& items) {
    if (!platform::FileExists(path)) return ToDoRead::Missing;
    std::string bytes;
    if (!platform::ReadWholeFile(path, bytes)) return ToDoRead::Unreadable;
    return ParseToDo(bytes, items);
}

std::string FormatToDo(const std::vector<TTODO>& items) {
    TextWriter out;
    for (const TTODO& item : items) {
        out.WriteLine(kStart);
        if (!item.Content.empty()) {
            std::string date;
            FormatDateTimeSafe("yyyy/mm/dd", date, item.Due);
            out.WriteLine(" ");
            out.WriteLine(date);
            out.WriteLine(BlockLine(item.Content));
            out.WriteLine(std::to_string(StatusCode(StatusText(item.Status))));
            out.WriteLine(BlockLine(item.Project));
            out.WriteLine(std::to_string(ImportanceCode(ImportanceText(item.Importance))));
            out.WriteLine(BlockLine(item.Link));
        }
        out.WriteLine(kEnd);
    }
    return out.Bytes();
}

ToDoRead ToDoStore::Load(std::vector<TTODO>& items) {
    damagedBytes_.clear();
    backupDone_ = false;
    if (!platform::FileExists(path_)) return read_ = ToDoRead::Missing;
    std::string bytes;
    if (!platform::ReadWholeFile(path_, bytes)) return read_ = ToDoRead::Unreadable;
    read_ = ParseToDo(bytes, items);
    if (read_ == ToDoRead::Damaged) damagedBytes_ = std::move(bytes);
    return read_;
}

bool ToDoStore::Save(const std::vector<TTODO>& items) {
    if (read_ == ToDoRead::Unreadable) return false;
    if (read_ == ToDoRead::Damaged && !backupDone_) {
        if (!platform::WriteFileAtomic(BackupPath(), damagedBytes_)) return false;
        backupDone_ = true;
        damagedBytes_.clear();
    }
    return platform::WriteFileAtomic(path_, FormatToDo(items));
}
