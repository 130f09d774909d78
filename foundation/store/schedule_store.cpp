#include "schedule_store.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <vector>

#include "cp932.h"
#include "damaged_files.h"
#include "file_io.h"
#include "globals.h"
#include "paths.h"
#include "text_file.h"
#include "text_helpers.h"
#include "unreadable_files.h"

namespace foundation {

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

std::string MonthImage(const YOTEI days[32]) {
    TextWriter out;
    for (int k = 1; k <= kMonthSlots; ++k) WriteBlock(out, days[k].HasText == 1, days[k].Text);
    return out.Bytes();
}

std::string MarksImage(const YOTEI days[32]) {
    TextWriter out;
    for (int k = 1; k <= kMonthSlots; ++k) out.WriteLine(std::to_string(unsigned{days[k].Mark}));
    return out.Bytes();
}

std::string YearImage(const NEN_YOTEI months[13]) {
    TextWriter out;
    for (int m = 1; m <= kYearSlots; ++m) WriteBlock(out, months[m].HasText == 1, months[m].Text);
    return out.Bytes();
}

const std::string& EmptyImage(const std::string& path) {
    static const std::string month = MonthImage(std::array<YOTEI, 32>().data());
    static const std::string marks = MarksImage(std::array<YOTEI, 32>().data());
    static const std::string year = YearImage(std::array<NEN_YOTEI, 13>().data());
    if (path.ends_with(".mkf")) return marks;
    return path.ends_with(".ne2") ? year : month;
}

// Per path of a file whose last read was damaged: what the store would write for what that
// read gave. Saving the same writes nothing, so the file stays as it is until an edit.
std::map<std::string, std::string>& DamagedAsRead() {
    static std::map<std::string, std::string> images;
    return images;
}

// What a damaged file was found to hold, for the message.
struct Damage {
    std::string whatUtf8;  // names the file for the user: "2004年5月の予定"
    const char* unitUtf8;  // counts its slots: "日"
    int firstUnplaced = 0;
    std::vector<int> oddBytes;
};

std::string DamagedMessage(const Damage& damage, const std::string& backup,
                           const std::string& path) {
    const std::string unit = damage.unitUtf8;
    std::string text = damage.whatUtf8 + "のﾌｧｲﾙの一部が読み込めませんでした。\r\n";
    // The days to mend by hand: their texts keep these bytes until they are edited.
    for (size_t i = 0; i < damage.oddBytes.size(); ++i)
        text += (i > 0 ? "、" : "") + std::to_string(damage.oddBytes[i]) + unit;
    if (!damage.oddBytes.empty()) text += "に、文字として読めないﾊﾞｲﾄがあります。\r\n";
    if (damage.firstUnplaced > 0)
        text += std::to_string(damage.firstUnplaced) + unit + "から後は、どの" + unit +
                "のものか分からないため読み込んでいません。\r\n";
    if (backup.empty())
        return Sj(text + "元のﾌｧｲﾙのｺﾋﾟｰが作れないため、このﾌｧｲﾙには保存しません。\r\n") + path;
    return Sj(text + "元のﾌｧｲﾙは、そのままｺﾋﾟｰして残してあります。\r\n") + backup;
}

// After the read of a file that is written back: a damaged one is copied and told once.
void NoteRead(const std::string& path, const std::string& bytes, bool clean, std::string asRead,
              const Damage& damage) {
    if (clean) {
        DamagedAsRead().erase(path);
        return;
    }
    DamagedAsRead()[path] = std::move(asRead);
    if (!store::TellingUnreadableFiles())
        return;  // a viewer of another user's files writes nothing
    const store::DamagedFile kept = store::KeepDamagedFile(path, bytes);
    if (kept.isNew) MsgBox(DamagedMessage(damage, kept.backup, path), 48, "");
}

std::string MonthWhat(int year, int month, const char* whatUtf8) {
    return std::to_string(year) + "年" + std::to_string(month) + "月の" + whatUtf8;
}

enum class Stored { Written, Unchanged, Failed, Refused };

// Writes the image over the file unless that would change nothing: the same bytes are on
// disk, or there is no file and nothing to store, or a damaged file holds what was read from
// it. A damaged file is replaced only once its copy exists. error: the cause of a failure.
Stored StoreFile(const std::string& folder, const std::string& path, const std::string& image,
                 int& error) {
    const auto damaged = DamagedAsRead().find(path);
    if (damaged != DamagedAsRead().end()) {
        if (damaged->second == image) return Stored::Unchanged;
        if (store::DamagedFileCopy(path).empty()) return Stored::Refused;
    } else {
        std::string disk;
        switch (platform::ReadFile(path, disk)) {
            case platform::ReadResult::Read:
                if (disk == image || (StartsWithUtf8Bom(disk) && disk.substr(3) == image))
                    return Stored::Unchanged;
                break;
            case platform::ReadResult::Missing:
                // The folder is looked at all the same: a missing one is told at every save.
                if (image == EmptyImage(path) && platform::IsFolder(folder))
                    return Stored::Unchanged;
                break;
            case platform::ReadResult::Unreadable:
                break;
        }
    }
    if (!platform::WriteFileAtomic(path, image)) {
        error = platform::LastWriteError();
        return Stored::Failed;
    }
    if (damaged != DamagedAsRead().end()) {
        // Bytes kept as read (a NUL, no CP932 character) are not told again this run.
        store::DamagedFileRewritten(path, image);
        DamagedAsRead().erase(damaged);
    }
    return Stored::Written;
}

// The warning of a failed save, by its cause. whatUtf8: "予定" or "年間予定".
std::string SaveFailureMessage(const char* whatUtf8, int error, const std::string& path) {
    const std::string what = whatUtf8;
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return Sj(what + "を格納するディレクトリが見つかりません。");
        case ENOSPC:
        case EDQUOT:
            return Sj(what + "を格納するディスクに空きがありません。\r\n") + path;
        case EACCES:
        case EPERM:
            return Sj(what + "を格納する権限がありません。\r\n") + path;
        case EROFS:
            return Sj(what + "を格納するディスクは読み取り専用です。\r\n") + path;
        default:
            return Sj(what + "を格納できませんでした。\r\n") + path;
    }
}

std::string NoCopyMessage(const std::string& path) {
    return Sj("一部が読み込めなかったﾌｧｲﾙのｺﾋﾟｰが作れないため、保存できません。\r\n") + path;
}

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
    return ReadSchedule(datFolder, year, month, days) && marksRead;
}

bool ReadSchedule(const std::string& datFolder, int year, int month, YOTEI days[32]) {
    for (int k = 1; k <= kMonthSlots; ++k) {
        days[k].HasText = 0;
        days[k].Text.clear();
    }
    const std::string path = MonthFileName(datFolder, year, month);
    std::string bytes;
    if (!ReadForUpdate(path, bytes)) return false;
    BlockSlots read = ReadBlockSlots(bytes, kMonthSlots);
    for (int k = 1; k <= kMonthSlots; ++k) {
        days[k].HasText = read.hasText[static_cast<size_t>(k - 1)];
        days[k].Text = std::move(read.text[static_cast<size_t>(k - 1)]);
    }
    NoteRead(path, bytes, read.clean, read.clean ? std::string() : MonthImage(days),
             {MonthWhat(year, month, "予定"), "日", read.firstUnplaced, read.oddBytes});
    return true;
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
    int markError = 0, scheduleError = 0;
    const Stored marks = keepMarks ? (anyMark ? Stored::Refused : Stored::Unchanged)
                                   : StoreFile(datFolder, markPath, MarksImage(days), markError);
    const Stored schedule =
        keepSchedule ? (anyText ? Stored::Refused : Stored::Unchanged)
                     : StoreFile(datFolder, schedulePath, MonthImage(days), scheduleError);
    auto saved = [](Stored s) { return s == Stored::Written || s == Stored::Unchanged; };
    if (saved(marks) && saved(schedule)) return true;
    if (keepSchedule && schedule == Stored::Refused)
        MsgBox(NotSavedOverMessage(schedulePath), 48, "");
    else if (keepMarks && marks == Stored::Refused)
        MsgBox(NotSavedOverMessage(markPath), 48, "");
    else if (schedule == Stored::Refused)
        MsgBox(NoCopyMessage(schedulePath), 48, "");
    else if (marks == Stored::Refused)
        MsgBox(NoCopyMessage(markPath), 48, "");
    else if (schedule == Stored::Failed)
        MsgBox(SaveFailureMessage("予定", scheduleError, schedulePath), 48, "");
    else
        MsgBox(SaveFailureMessage("予定", markError, markPath), 48, "");
    return false;
}

namespace {

// A mark line as the writer makes it: blanks allowed in front, a byte's digits, nothing after.
bool CleanMark(std::string_view line) {
    size_t i = 0;
    while (i < line.size() && line[i] == ' ') ++i;
    if (i == line.size() || line.size() - i > 3) return false;
    for (size_t j = i; j < line.size(); ++j)
        if (line[j] < '0' || line[j] > '9') return false;
    return std::stoi(std::string(line.substr(i))) <= 255;
}

}  // namespace

bool ReadMarks(const std::string& datFolder, int year, int month, YOTEI days[32]) {
    for (int k = 1; k <= kMonthSlots; ++k) days[k].Mark = 0;
    const std::string path = MarkFileName(datFolder, year, month);
    std::string bytes;
    if (!ReadForUpdate(path, bytes)) return false;
    std::string_view rest(bytes);
    if (StartsWithUtf8Bom(rest)) rest.remove_prefix(3);
    std::vector<std::string> lines;
    for (size_t pos = 0; pos < rest.size();) lines.emplace_back(NextLine(rest, pos));
    // Line k is the mark of day k. A line that is no number holds no mark, and its day keeps
    // its place while the count of lines (or of numbers) is right; otherwise only the days
    // before it are certain.
    std::vector<long> numbers;
    bool clean = lines.empty() || lines.size() == static_cast<size_t>(kMonthSlots);
    size_t firstBad = lines.size();
    for (size_t i = 0; i < lines.size(); ++i) {
        long value = 0;
        if (ParseNumber(lines[i], value))
            numbers.push_back(value);
        else
            firstBad = std::min(firstBad, i);
        clean = clean && CleanMark(lines[i]);
    }
    int firstUnplaced = 0;
    auto put = [&](int day, long value) { days[day].Mark = static_cast<uint8_t>(value); };
    if (lines.size() == static_cast<size_t>(kMonthSlots)) {
        for (int k = 1; k <= kMonthSlots; ++k) {
            long value = 0;
            if (ParseNumber(lines[static_cast<size_t>(k - 1)], value)) put(k, value);
        }
    } else if (firstBad < lines.size() && numbers.size() == static_cast<size_t>(kMonthSlots)) {
        for (int k = 1; k <= kMonthSlots; ++k) put(k, numbers[static_cast<size_t>(k - 1)]);
    } else {
        const size_t placed = std::min(firstBad, static_cast<size_t>(kMonthSlots));
        for (size_t i = 0; i < placed; ++i) put(static_cast<int>(i) + 1, numbers[i]);
        if (firstBad < lines.size() && placed < static_cast<size_t>(kMonthSlots))
            firstUnplaced = static_cast<int>(placed) + 1;
    }
    NoteRead(path, bytes, clean, clean ? std::string() : MarksImage(days),
             {MonthWhat(year, month, "ﾏｰｸ"), "日", firstUnplaced, {}});
    return true;
}

bool WriteMarks(const std::string& datFolder, int year, int month, const YOTEI days[32]) {
    const std::string path = MarkFileName(datFolder, year, month);
    if (IsUnreadable(path)) return false;
    int error = 0;
    const Stored stored = StoreFile(datFolder, path, MarksImage(days), error);
    return stored == Stored::Written || stored == Stored::Unchanged;
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
    text = std::move(ReadBlockSlots(bytes, kMonthSlots).text[static_cast<size_t>(day - 1)]);
}

bool ReadYear(const std::string& datFolder, int year, NEN_YOTEI months[13]) {
    for (int m = 1; m <= kYearSlots; ++m) months[m] = NEN_YOTEI();
    const std::string path = YearPlanFileName(datFolder, year);
    std::string bytes;
    if (!ReadForUpdate(path, bytes)) return false;
    BlockSlots read = ReadBlockSlots(bytes, kYearSlots);
    for (int m = 1; m <= kYearSlots; ++m) {
        months[m].HasText = read.hasText[static_cast<size_t>(m - 1)];
        months[m].Text = std::move(read.text[static_cast<size_t>(m - 1)]);
    }
    NoteRead(path, bytes, read.clean, read.clean ? std::string() : YearImage(months),
             {std::to_string(year) + "年の年間予定", "月", read.firstUnplaced, read.oddBytes});
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
    int error = 0;
    switch (StoreFile(datFolder, path, YearImage(months), error)) {
        case Stored::Written:
        case Stored::Unchanged:
            return true;
        case Stored::Refused:
            MsgBox(NoCopyMessage(path), 48, "");
            return false;
        case Stored::Failed:
            break;
    }
    MsgBox(SaveFailureMessage("年間予定", error, path), 48, "");
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

}  // namespace foundation
