#include "todo_store.h"

#include "calendar_rules.h"
#include "cp932.h"
#include "damaged_files.h"
#include "file_io.h"
#include "paths.h"
#include "text_file.h"
#include "unreadable_files.h"

namespace foundation {

namespace {

const char kStart[] = "#S#!";
const char kEnd[] = "#E#!";

const char* const kImportance[] = {"非常に重要", "重要", "普通", "あまり重要でない", "重要でない"};
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
bool ParseWhole(std::string_view s, int& value) {
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

std::string ToDoDateText(TDateTime due) {
    int year, month, day;
    DecodeDate(due, year, month, day);
    std::string text;
    // Ten thousand dates at every save: the common years without the general formatter.
    if (year <= 1900 || year > 9999) {
        FormatDateTimeSafe("yyyy/mm/dd", text, due);
        return text;
    }
    text = "0000/00/00";
    for (int i = 3; i >= 0; --i, year /= 10)
        text[static_cast<size_t>(i)] = static_cast<char>('0' + year % 10);
    text[5] = static_cast<char>('0' + month / 10);
    text[6] = static_cast<char>('0' + month % 10);
    text[8] = static_cast<char>('0' + day / 10);
    text[9] = static_cast<char>('0' + day % 10);
    return text;
}

namespace {

enum class Block { Whole, Kept, Broken };

// Reads the block whose "#S#!" is the line before the byte pos. A whole block leaves pos after
// its "#E#!". A broken one leaves pos at the first line of the pass that broke, where the search
// for the next block resumes: that pass may have swallowed the next block's "#S#!".
Block ReadBlock(std::string_view bytes, size_t& pos, TTODO& item, bool& odd) {
    size_t p = pos;
    // A line is missing when the file ends inside the block.
    auto next = [&](std::string_view& line) {
        if (p >= bytes.size()) return false;
        line = NextLine(bytes, p);
        return true;
    };
    auto startsBlock = [&](size_t at) { return NextLine(bytes, at) == kStart; };
    bool passDone = false;
    TTODO whole;
    for (;;) {
        const size_t passStart = p;
        const bool furtherPass = passDone;
        bool saved = false;  // whole holds what the passes before read
        std::string_view line;
        auto broken = [&] {
            pos = passStart;
            // A "#S#!" (or the file's end) where a further pass begins is the next block: this
            // one only lost its end marker, and what its last pass read is whole.
            if (furtherPass && (passStart >= bytes.size() || startsBlock(passStart))) {
                if (saved) item = whole;
                return Block::Kept;
            }
            return Block::Broken;
        };
        if (!next(line)) return broken();
        if (line == kEnd) break;
        if (furtherPass) {
            odd = true;  // a further pass overwrites the values read
            // Only now: a block that ends here, as nearly all do, needs no copy.
            whole = item;
            saved = true;
        }
        if (!next(line)) return broken();
        try {
            item.Due = StrToDateTimeStd(std::string(line));
        } catch (const EConvertError&) {
            return broken();
        }
        if (!next(line)) return broken();
        item.Content = line;
        int number = 0;
        if (!next(line) || !ParseWhole(line, number)) return broken();
        item.Status = static_cast<uint8_t>(number);
        passDone = true;
        if (!next(line)) return broken();
        if (line == kEnd) break;
        item.Project = line;
        if (!next(line)) return broken();
        if (line == kEnd) break;
        if (!ParseWhole(line, number)) return broken();
        item.Importance = static_cast<uint8_t>(number);
        if (!next(line)) return broken();
        if (line == kEnd) break;
        item.Link = line;
    }
    pos = p;
    return Block::Whole;
}

}  // namespace

ToDoRead ParseToDo(const std::string& bytes, std::vector<TTODO>& items) {
    // Room for every block at once: a list that grows copies the items already read.
    size_t starts = 0;
    for (size_t at = bytes.find(kStart); at != std::string::npos; at = bytes.find(kStart, at + 1))
        ++starts;
    items.reserve(items.size() + starts);
    // Lines are views into the bytes, read as they come: ten thousand items are ninety thousand
    // lines, and memory new to the program costs more than reading a line twice.
    bool damaged = false;
    size_t pos = 0;
    while (pos < bytes.size()) {
        const std::string_view head = NextLine(bytes, pos);
        if (head != kStart) {
            // Lines outside blocks are lost at the next save: the file is not ours whole.
            if (!head.empty()) damaged = true;
            continue;
        }
        TTODO item;
        const Block read = ReadBlock(bytes, pos, item, damaged);
        if (read != Block::Whole) damaged = true;
        // A broken block is left out; the blocks after it are read on.
        if (read != Block::Broken && !item.Content.empty()) items.push_back(std::move(item));
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
            out.WriteLine(" ");
            out.WriteLine(ToDoDateText(item.Due));
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
    backup_.clear();
    news_ = false;
    if (!platform::FileExists(path_)) return read_ = ToDoRead::Missing;
    std::string bytes;
    if (!store::ReadForUpdate(path_, bytes)) return read_ = ToDoRead::Unreadable;
    read_ = ParseToDo(bytes, items);
    if (read_ == ToDoRead::Damaged) {
        const store::DamagedFile kept = store::KeepDamagedFile(path_, bytes);
        backup_ = kept.backup;
        news_ = kept.isNew;
    }
    return read_;
}

bool ToDoStore::Save(const std::vector<TTODO>& items) {
    if (read_ == ToDoRead::Unreadable) return false;
    if (read_ == ToDoRead::Damaged && backup_.empty()) {
        backup_ = store::DamagedFileCopy(path_);
        if (backup_.empty()) return false;
    }
    return platform::WriteFileAtomic(path_, FormatToDo(items));
}

}  // namespace foundation
