#include "schedule_store.h"

#include <cstdio>
#include <cstring>
#include <functional>

#include "cp932.h"
#include "file_io.h"
#include "globals.h"
#include "paths.h"
#include "text_file.h"
#include "text_helpers.h"
#include "unreadable_files.h"

namespace {

constexpr int kMonthSlots = 31;
constexpr int kYearSlots = 12;
constexpr int kPrgEntries = 20;

std::string Formatted(const char* format, int a, int b = 0) {
    char name[64];
    std::snprintf(name, sizeof name, format, a, b);
    return name;
}

// Every reader takes the whole file at once; missing, a folder or unreadable: nothing to read.
bool Open(const std::string& path, std::string& bytes) {
    return platform::ReadWholeFile(path, bytes);
}

// Decimal with leading blanks and an optional sign; whatever follows the digits is ignored.
// False when no number begins the text (or it does not fit in 32 bits).
bool ParseNumber(const std::string& text, long& value) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
    long long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > 2147483648LL) return false;
    }
    if (negative) v = -v;
    if (v > 2147483647LL) return false;
    value = static_cast<long>(v);
    return true;
}

// A holiday or anniversary list that is there but cannot be read is told once, as the other
// files are: the calendar would show none of its days without a word.
bool OpenList(const std::string& path, std::string& bytes) {
    return store::ReadForUpdate(path, bytes);
}

// The three ends of a holiday or anniversary list: an empty line (the end of the file too),
// "EOF", and "99" once it has been handled.
bool IsListEnd(const std::string& line) { return line.empty() || line == "EOF"; }

// Calls flag(day) for every day of the month listed in the user holiday file of the year.
void ForEachUserHoliday(const std::string& memoFolder, int year, int month,
                        const std::function<void(int)>& flag) {
    std::string bytes;
    if (!OpenList(UserHolidayFileName(memoFolder, year), bytes)) return;
    TextReader in(std::move(bytes));
    while (true) {
        std::string line = in.ReadLine();
        if (IsListEnd(line)) return;
        if (line.size() <= 2) {
            if (line == "99") return;
            continue;
        }
        std::string head, rest;
        SplitToken(line, ',', head, rest);
        long m;
        if (!ParseNumber(head, m)) return;
        if (m != month) continue;
        for (int field = 0; field < 31 && !rest.empty(); ++field) {
            std::string dayText, fields = rest;
            SplitToken(fields, ',', dayText, rest);
            long d;
            if (!ParseNumber(dayText, d)) return;
            if (d >= 1 && d <= 31) flag(static_cast<int>(d));
        }
    }
}

// Calls take(month, day, text) for every line of the anniversary list, in file order.
void ForEachAnniversary(const std::string& memoFolder,
                        const std::function<void(long, long, const std::string&)>& take) {
    std::string bytes;
    if (!OpenList(AnniversaryFileName(memoFolder), bytes)) return;
    TextReader in(std::move(bytes));
    while (true) {
        std::string line = in.ReadLine();
        if (IsListEnd(line)) return;
        if (line.size() <= 4) {
            if (line == "99") return;
            continue;
        }
        std::string monthText, afterMonth, dayText, afterDay, text, afterText;
        long m, d;
        SplitToken(line, ',', monthText, afterMonth);
        if (!ParseNumber(monthText, m)) return;
        SplitToken(afterMonth, ',', dayText, afterDay);
        if (!ParseNumber(dayText, d)) return;
        SplitToken(afterDay, ',', text, afterText);
        take(m, d, text);
    }
}

void ClearDay(YOTEI& day) { day = YOTEI(); }

// A launcher name with "|" or a line break, or a command with a line break, would not read
// back whole; such an entry is written as "S%|" with "%", "|", CR and LF as %25, %7C, %0D,
// %0A. Plain "S|" lines are never decoded, and older readers still find the name first.
// Characters are taken as the reader takes them: a lead byte pairs only with a trail byte.
size_t CharLength(const std::string& text, size_t i) {
    return platform::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() &&
                   platform::IsTrailByte(static_cast<unsigned char>(text[i + 1]))
               ? 2
               : 1;
}

bool IsLoneLeadByte(const std::string& text, size_t i) {
    return CharLength(text, i) == 1 && platform::IsLeadByte(static_cast<unsigned char>(text[i]));
}

bool HasByte(const std::string& text, const char* bytes) {
    for (size_t i = 0; i < text.size(); i += CharLength(text, i))
        if (CharLength(text, i) == 1 && text[i] != '\0' && std::strchr(bytes, text[i])) return true;
    return false;
}

// A name ending in a lone lead byte (damaged text) would take the "|" after it for its trail.
bool EndsInLoneLeadByte(const std::string& text) {
    size_t last = std::string::npos;
    for (size_t i = 0; i < text.size(); i += CharLength(text, i)) last = i;
    return last != std::string::npos && IsLoneLeadByte(text, last);
}

bool NeedsEscapes(const prg& entry) {
    return HasByte(entry.Name, "|\r\n") || EndsInLoneLeadByte(entry.Name) ||
           HasByte(entry.FileName, "\r\n");
}

std::string PercentEncoded(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); i += CharLength(text, i)) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (CharLength(text, i) == 2) {
            out += text.substr(i, 2);  // a trail byte is never one of the escaped bytes
        } else if (c == '%' || c == '|' || c == '\r' || c == '\n' || platform::IsLeadByte(c)) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string PercentDecoded(const std::string& text) {
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (CharLength(text, i) == 2) {
            out += text.substr(i++, 2);
            continue;
        }
        if (c == '%' && i + 2 < text.size() && digit(text[i + 1]) >= 0 && digit(text[i + 2]) >= 0) {
            out += static_cast<char>(digit(text[i + 1]) * 16 + digit(text[i + 2]));
            i += 2;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

void ShowWarning(const char* utf8) { MsgBox(Sj(utf8), 48, ""); }

}  // namespace

// ---- File names ----

std::string MonthFileName(const std::string& folder, int year, int month) {
    return platform::JoinPath(folder, Formatted("%.4d%.2d.yo2", year, month));
}
std::string MonthFileName(int year, int month) {
    return MonthFileName(Settings.dat_Path, year, month);
}
std::string MonthFileName() { return MonthFileName(CurYear, CurMonth); }
std::string MarkFileName(const std::string& folder, int year, int month) {
    return platform::JoinPath(folder, Formatted("%.4d%.2d.mkf", year, month));
}
std::string YearPlanFileName(const std::string& folder, int year) {
    return platform::JoinPath(folder, Formatted("%.4d.ne2", year));
}
std::string UserHolidayFileName(const std::string& memoFolder, int year) {
    return platform::JoinPath(memoFolder, Formatted("%d.hol", year));
}
std::string AnniversaryFileName(const std::string& memoFolder) {
    return platform::JoinPath(memoFolder, "ukinen.txt");
}
std::string PrgListFileName(const std::string& baseDir) {
    return platform::JoinPath(baseDir, "Kolvane32.prg");
}

// ---- On explicit folders ----

namespace store {

bool LoadMonth(const std::string& datFolder, const std::string& memoFolder, int year, int month,
               YOTEI days[32]) {
    for (int k = 1; k <= kMonthSlots; ++k) ClearDay(days[k]);
    // Without a memo folder there are no such lists (and none to read from the root).
    if (!memoFolder.empty()) {
        LoadUserHolidays(memoFolder, year, month, days);
        LoadAnniversaries(memoFolder, month, days);
    }
    const bool marksRead = ReadMarks(datFolder, year, month, days);
    std::string bytes;
    if (!ReadForUpdate(MonthFileName(datFolder, year, month), bytes)) return false;
    TextReader in(std::move(bytes));
    for (int k = 1; k <= kMonthSlots; ++k) ReadBlock(in, days[k].Text, &days[k].HasText);
    return marksRead;
}

bool SaveMonth(const std::string& datFolder, int year, int month, const YOTEI days[32]) {
    const std::string markPath = MarkFileName(datFolder, year, month);
    const std::string schedulePath = MonthFileName(datFolder, year, month);
    bool anyMark = false, anyText = false;
    for (int k = 1; k <= kMonthSlots; ++k) {
        anyMark = anyMark || days[k].Mark != 0;
        anyText = anyText || days[k].HasText == 1;
    }
    // A file that could not be read is left alone; with nothing in memory for it, nothing
    // is lost and the month counts as saved.
    const bool keepMarks = IsUnreadable(markPath);
    const bool keepSchedule = IsUnreadable(schedulePath);
    const bool marksSaved = keepMarks ? !anyMark : WriteMarks(datFolder, year, month, days);
    bool scheduleSaved = !anyText;
    if (!keepSchedule) {
        TextWriter out;
        for (int k = 1; k <= kMonthSlots; ++k) WriteBlock(out, days[k].HasText == 1, days[k].Text);
        scheduleSaved = out.SaveTo(schedulePath);
    }
    if (marksSaved && scheduleSaved) return true;
    if (keepSchedule && anyText)
        MsgBox(NotSavedOverMessage(schedulePath), 48, "");
    else if (keepMarks && anyMark)
        MsgBox(NotSavedOverMessage(markPath), 48, "");
    else
        ShowWarning("予定を格納するディレクトリが見つかりません。");
    return false;
}

bool ReadMarks(const std::string& datFolder, int year, int month, YOTEI days[32]) {
    for (int k = 1; k <= kMonthSlots; ++k) days[k].Mark = 0;
    std::string bytes;
    if (!ReadForUpdate(MarkFileName(datFolder, year, month), bytes)) return false;
    TextReader in(std::move(bytes));
    for (int k = 1; k <= kMonthSlots && !in.Eof(); ++k) {
        long value;
        if (!ParseNumber(in.ReadLine(), value)) return true;
        days[k].Mark = static_cast<uint8_t>(value);
    }
    return true;
}

bool WriteMarks(const std::string& datFolder, int year, int month, const YOTEI days[32]) {
    if (IsUnreadable(MarkFileName(datFolder, year, month))) return false;
    TextWriter out;
    for (int k = 1; k <= kMonthSlots; ++k) out.WriteLine(std::to_string(unsigned{days[k].Mark}));
    return out.SaveTo(MarkFileName(datFolder, year, month));
}

void LoadUserHolidays(const std::string& memoFolder, int year, int month, YOTEI days[32]) {
    ForEachUserHoliday(memoFolder, year, month, [&](int day) { days[day].UserHoliday = 1; });
}

void LoadAnniversaries(const std::string& memoFolder, int month, YOTEI days[32]) {
    ForEachAnniversary(memoFolder, [&](long m, long d, const std::string& text) {
        if (m == month && d >= 1 && d <= 31) days[d].Anniversary = text;
    });
}

void ReadUserHolidayFlags(const std::string& memoFolder, int year, int month, uint8_t flags[32]) {
    for (int k = 1; k <= kMonthSlots; ++k) flags[k] = 0;
    ForEachUserHoliday(memoFolder, year, month, [&](int day) { flags[day] = 1; });
}

void GetAnniversary(const std::string& memoFolder, int month, int day, std::string& text) {
    text.clear();
    ForEachAnniversary(memoFolder, [&](long m, long d, const std::string& found) {
        if (m == month && d == day) text = found;
    });
}

void ReadDay(const std::string& datFolder, int year, int month, int day, std::string& text) {
    text.clear();
    if (day < 1 || day > kMonthSlots) return;
    std::string bytes;
    if (!Open(MonthFileName(datFolder, year, month), bytes)) return;
    TextReader in(std::move(bytes));
    for (int k = 1; k <= day; ++k) ReadBlock(in, text);
}

bool ReadYear(const std::string& datFolder, int year, NEN_YOTEI months[13]) {
    for (int m = 1; m <= kYearSlots; ++m) months[m] = NEN_YOTEI();
    std::string bytes;
    if (!ReadForUpdate(YearPlanFileName(datFolder, year), bytes)) return false;
    TextReader in(std::move(bytes));
    for (int m = 1; m <= kYearSlots; ++m) ReadBlock(in, months[m].Text, &months[m].HasText);
    return true;
}

bool SaveYear(const std::string& datFolder, int year, const NEN_YOTEI months[13]) {
    const std::string path = YearPlanFileName(datFolder, year);
    if (IsUnreadable(path)) {
        bool anyText = false;
        for (int m = 1; m <= kYearSlots; ++m) anyText = anyText || months[m].HasText == 1;
        if (!anyText) return true;
        MsgBox(NotSavedOverMessage(path), 48, "");
        return false;
    }
    TextWriter out;
    for (int m = 1; m <= kYearSlots; ++m) WriteBlock(out, months[m].HasText == 1, months[m].Text);
    if (out.SaveTo(YearPlanFileName(datFolder, year))) return true;
    ShowWarning("年間予定を格納するディレクトリが見つかりません。");
    return false;
}

bool LoadPrgs(const std::string& baseDir, prg list[21]) {
    std::string bytes;
    const std::string path = PrgListFileName(baseDir);
    const bool readable = ReadForUpdate(path, bytes);
    if (!readable || platform::NothingToRead(path)) {
        list[1].Name = Sj("ライト");
        list[1].FileName = "write.exe";
        list[2].Name = Sj("メモ帳");
        list[2].FileName = "notepad.exe";
        return readable;
    }
    TextReader in(std::move(bytes));
    for (int k = 1; k <= kPrgEntries; ++k) {
        std::string line = in.ReadLine();
        if (line.empty()) return true;
        if (line[0] != 'S') continue;  // a free entry keeps what it held
        if (line == "S") {
            list[k] = prg();
            continue;
        }
        std::string head, rest;
        SplitToken(line, '|', head, rest);
        SplitToken(rest, '|', list[k].Name, list[k].FileName);
        if (head == "S%") {
            list[k].Name = PercentDecoded(list[k].Name);
            list[k].FileName = PercentDecoded(list[k].FileName);
        }
    }
    return true;
}

bool SavePrgs(const std::string& baseDir, const prg list[21]) {
    if (IsUnreadable(PrgListFileName(baseDir))) return false;
    TextWriter out;
    for (int k = 1; k <= kPrgEntries; ++k) {
        if (list[k].FileName.empty())
            out.WriteLine(" ");
        else if (NeedsEscapes(list[k]))
            out.WriteLine("S%|" + PercentEncoded(list[k].Name) + "|" +
                          PercentEncoded(list[k].FileName));
        else
            out.WriteLine("S|" + list[k].Name + "|" + list[k].FileName);
    }
    return out.SaveTo(PrgListFileName(baseDir));
}

}  // namespace store

// ---- On the globals ----

bool LoadMonthSchedule() {
    return store::LoadMonth(Settings.dat_Path, Settings.memo_path, CurYear, CurMonth, MonthDays);
}
bool SaveMonthSchedule() {
    return store::SaveMonth(Settings.dat_Path, CurYear, CurMonth, MonthDays);
}
void LoadMonthUserHolidays(int year, int month) {
    store::LoadUserHolidays(Settings.memo_path, year, month, MonthDays);
}
void LoadMonthAnniversaries(int month) {
    store::LoadAnniversaries(Settings.memo_path, month, MonthDays);
}
void ReadUserHolidays(int year, int month, uint8_t flags[32]) {
    store::ReadUserHolidayFlags(Settings.memo_path, year, month, flags);
}
void GetAnniversary(int month, int day, std::string& text) {
    store::GetAnniversary(Settings.memo_path, month, day, text);
}
void ReadDaySchedule(int year, int month, int day, std::string& text) {
    store::ReadDay(Settings.dat_Path, year, month, day, text);
}
bool ReadYearSchedule(int year, NEN_YOTEI months[13]) {
    return store::ReadYear(Settings.dat_Path, year, months);
}
bool SaveYearSchedule(int year, const NEN_YOTEI months[13]) {
    return store::SaveYear(Settings.dat_Path, year, months);
}
bool LoadPrgList() { return store::LoadPrgs(BaseDir, PrgList); }
bool MonthFilesUnreadable(int year, int month) {
    return store::IsUnreadable(MonthFileName(Settings.dat_Path, year, month)) ||
           store::IsUnreadable(MarkFileName(Settings.dat_Path, year, month));
}
bool YearPlanUnreadable(int year) {
    return store::IsUnreadable(YearPlanFileName(Settings.dat_Path, year));
}
bool SavePrgList() { return store::SavePrgs(BaseDir, PrgList); }
