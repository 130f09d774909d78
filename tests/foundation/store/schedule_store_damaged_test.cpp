// Damaged and hostile files: no reader may crash, hang or write; each keeps what it read.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <cstring>
#include <map>
#include <random>

#include "cp932.h"
#include "fake_clock.h"
#include "fake_messages.h"
#include "file_faults.h"
#include "schedule_store.h"
#include "temp_folder.h"

using namespace foundation;

namespace {

const char* const kFiles[] = {"200405.yo2", "200405.mkf", "2004.ne2",
                              "2004.hol",   "ukinen.txt", "Kolvane32.prg"};

// Every entry of the folder with its bytes (folders as "<dir>"); the copies of damaged files
// ("<name>.bak-...") apart.
std::map<std::string, std::string> Snapshot(const TempFolder& dir, bool copies = false) {
    std::map<std::string, std::string> all;
    QDir d(platform::DiskPath(dir.Path()));
    for (const QFileInfo& info :
         d.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        std::string name = platform::FromDiskPath(info.fileName());
        if ((name.find(".bak-") != std::string::npos) != copies) continue;
        all[name] = info.isDir() ? "<dir>" : dir.Read(name);
    }
    return all;
}

// Each copy holds the bytes of the file it is named after, as they are still on disk.
void ExpectCopiesOfOriginals(const TempFolder& dir) {
    const auto originals = Snapshot(dir);
    for (const auto& [name, bytes] : Snapshot(dir, true)) {
        const auto of = originals.find(name.substr(0, name.find(".bak-")));
        ASSERT_NE(of, originals.end()) << name;
        EXPECT_EQ(bytes, of->second) << name;
    }
}

struct Loaded {
    YOTEI days[32];
    uint8_t flags[32];
    NEN_YOTEI months[13];
    prg list[21];
    std::string anniversary, day;
};

// Runs every reader on the folder (schedule and memo files in the same place).
void ReadEverything(const TempFolder& dir, Loaded& out) {
    const std::string p = dir.Path();
    store::LoadMonth(p, p, 2004, 5, out.days);
    store::ReadUserHolidayFlags(p, 2004, 5, out.flags);
    store::GetAnniversary(p, 5, 5, out.anniversary);
    store::ReadDay(p, 2004, 5, 31, out.day);
    store::ReadYear(p, 2004, out.months);
    store::LoadPrgs(p, out.list);
}

void ExpectSane(const Loaded& l) {
    for (int k = 1; k <= 31; ++k) {
        EXPECT_LE(l.days[k].HasText, 1);
        if (!l.days[k].HasText) {
            EXPECT_TRUE(l.days[k].Text.empty());
        }
        EXPECT_LE(l.days[k].UserHoliday, 1);
        EXPECT_LE(l.flags[k], 1);
    }
    for (int m = 1; m <= 12; ++m) {
        if (!l.months[m].HasText) {
            EXPECT_TRUE(l.months[m].Text.empty());
        }
    }
}

// Random bytes salted with the markers and separators the readers look for.
std::string Garbage(std::mt19937& rng, size_t size) {
    static const char* const pieces[] = {"#S#!", "#E#!", "\r\n", "\r", "\n", ",",    "|",    "S",
                                         "99",   "EOF",  "5",    "31", " ",  "\x83", "\xFF", ""};
    std::string s;
    std::uniform_int_distribution<int> byte(0, 255), kind(0, 3), piece(0, 15);
    while (s.size() < size) {
        if (kind(rng) == 0)
            s.push_back(static_cast<char>(byte(rng)));
        else if (int i = piece(rng); i == 15)
            s.push_back('\0');
        else
            s.append(pieces[i]);
    }
    return s;
}

TEST(DamagedFiles, RandomBytesInEveryFile) {
    std::mt19937 rng(20040505);
    for (int round = 0; round < 200; ++round) {
        TempFolder dir;
        std::uniform_int_distribution<size_t> size(0, 3000);
        for (const char* name : kFiles) ASSERT_TRUE(dir.Write(name, Garbage(rng, size(rng))));
        auto before = Snapshot(dir);
        FakeMessages messages;
        Loaded loaded;
        ReadEverything(dir, loaded);
        ExpectSane(loaded);
        EXPECT_EQ(Snapshot(dir), before) << round;
        ExpectCopiesOfOriginals(dir);
        // The month, its marks and the year plan are told, each once, with their copies.
        EXPECT_LE(messages.shown.size(), 3u);
        EXPECT_EQ(messages.shown.size(), Snapshot(dir, true).size());
    }
}

TEST(DamagedFiles, InvalidShiftJisIsKeptByteForByte) {
    TempFolder dir;
    FakeMessages messages;
    const std::string odd = "\x83\r\n\xFF\xFE\x80\x81";  // lone lead bytes, bytes of no character
    ASSERT_TRUE(dir.Write("200405.yo2", "#S#!\r\n" + odd + "\r\n#E#!\r\n"));
    ASSERT_TRUE(dir.Write("ukinen.txt", "5,5,\x83\xFF,\r\n"));
    ASSERT_TRUE(dir.Write("Kolvane32.prg", "S|\xFF\xFE|\x80\r\n"));
    Loaded l;
    ReadEverything(dir, l);
    EXPECT_EQ(l.days[1].Text, odd);
    EXPECT_EQ(l.anniversary, "\x83\xFF");
    EXPECT_EQ(l.list[1].Name, "\xFF\xFE");
    EXPECT_EQ(l.list[1].FileName, "\x80");
}

TEST(DamagedFiles, FileCutInsideABlock) {
    TempFolder dir;
    FakeMessages messages;
    ASSERT_TRUE(dir.Write("200405.yo2", "#S#!\r\none\r\n#E#!\r\n#S#!\r\ntwo\r\n#S#!\r\nthree"));
    ASSERT_TRUE(dir.Write("2004.ne2", "#S#!\r\njan\r\n#E#!\r\n#S#!\r\nfeb"));
    Loaded l;
    ReadEverything(dir, l);
    EXPECT_EQ(l.days[1].Text, "one");
    EXPECT_EQ(l.days[2].Text, "two\r\n#S#!\r\nthree");
    for (int k = 3; k <= 31; ++k) EXPECT_EQ(l.days[k].HasText, 0) << k;
    EXPECT_EQ(l.months[1].Text, "jan");
    EXPECT_EQ(l.months[2].Text, "feb");
    for (int m = 3; m <= 12; ++m) EXPECT_EQ(l.months[m].HasText, 0) << m;
}

TEST(DamagedFiles, LinesOfMegabytes) {
    TempFolder dir;
    FakeMessages messages;
    const std::string huge(3 << 20, 'x');
    const std::string digits(3 << 20, '1');
    std::string commas = "5,";
    for (int i = 0; i < (1 << 20); ++i) commas += "3,";
    ASSERT_TRUE(dir.Write("200405.yo2", "#S#!\r\n" + huge + "\r\n#E#!\r\n#S#!\r\nb\r\n#E#!\r\n"));
    ASSERT_TRUE(dir.Write("200405.mkf", digits + "\r\n1\r\n"));
    ASSERT_TRUE(dir.Write("2004.hol", commas + "\r\n5,4\r\n"));
    ASSERT_TRUE(dir.Write("ukinen.txt", "5,5," + huge + "\r\n"));
    ASSERT_TRUE(dir.Write("Kolvane32.prg", "S|" + huge + "|" + huge + "\r\nS|b|b\r\n"));
    auto before = Snapshot(dir);
    Loaded l;
    ReadEverything(dir, l);
    EXPECT_EQ(l.days[1].Text, huge);
    EXPECT_EQ(l.days[2].Text, "b");
    EXPECT_EQ(l.days[1].Mark, 0);  // too long to be a number: the reading ended
    EXPECT_EQ(l.days[2].Mark, 0);
    EXPECT_EQ(l.flags[3], 1);
    EXPECT_EQ(l.flags[4], 1);
    EXPECT_EQ(l.anniversary, huge);
    EXPECT_EQ(l.list[1].FileName, huge);
    EXPECT_EQ(l.list[2].Name, "b");
    EXPECT_EQ(Snapshot(dir), before);
}

std::string WithLineEnds(const std::string& crlf, const std::string& end) {
    std::string out;
    for (size_t i = 0; i < crlf.size(); ++i) {
        if (crlf.compare(i, 2, "\r\n") == 0) {
            out += end;
            ++i;
        } else {
            out.push_back(crlf[i]);
        }
    }
    return out;
}

TEST(DamagedFiles, CrOnlyAndLfOnlyFilesReadAsCrLf) {
    TempFolder source;
    YOTEI days[32];
    days[1] = {1, "a\r\nb", 0, "", 1};
    days[2] = {1, "", 0, "", 0};
    days[31] = {1, "z ", 0, "", 1};
    NEN_YOTEI months[13];
    months[4] = {1, "april\r\nplan"};
    prg list[21];
    list[2] = {"n", "f"};
    ASSERT_TRUE(store::SaveMonth(source.Path(), 2004, 5, days));
    ASSERT_TRUE(store::SaveYear(source.Path(), 2004, months));
    ASSERT_TRUE(store::SavePrgs(source.Path(), list));
    ASSERT_TRUE(source.Write("2004.hol", " 5, 3,\r\n 5, 9,\r\n"));
    ASSERT_TRUE(source.Write("ukinen.txt", " 5, 1,a\r\n 5, 5,b\r\n"));
    Loaded want;
    ReadEverything(source, want);

    for (const char* end : {"\r", "\n"}) {
        TempFolder dir;
        for (const char* name : kFiles)
            ASSERT_TRUE(dir.Write(name, WithLineEnds(source.Read(name), end)));
        Loaded got;
        ReadEverything(dir, got);
        for (int k = 1; k <= 31; ++k) {
            EXPECT_EQ(got.days[k].HasText, want.days[k].HasText) << k;
            EXPECT_EQ(got.days[k].Text, want.days[k].Text) << k;
            EXPECT_EQ(got.days[k].Mark, want.days[k].Mark) << k;
            EXPECT_EQ(got.days[k].UserHoliday, want.days[k].UserHoliday) << k;
            EXPECT_EQ(got.days[k].Anniversary, want.days[k].Anniversary) << k;
            EXPECT_EQ(got.flags[k], want.flags[k]) << k;
        }
        for (int m = 1; m <= 12; ++m) EXPECT_EQ(got.months[m].Text, want.months[m].Text);
        for (int k = 1; k <= 20; ++k) EXPECT_EQ(got.list[k].Name, want.list[k].Name);
        EXPECT_EQ(got.anniversary, "b");
        EXPECT_EQ(got.day, "z ");
    }
}

TEST(DamagedFiles, FolderWhereAFileIsExpectedReadsAsMissing) {
    TempFolder dir;
    for (const char* name : kFiles) ASSERT_TRUE(QDir().mkpath(platform::DiskPath(dir.File(name))));
    auto before = Snapshot(dir);
    Loaded l;
    for (auto& d : l.days) d = {1, "junk", 1, "junk", 1};
    ReadEverything(dir, l);
    for (int k = 1; k <= 31; ++k) {
        EXPECT_EQ(l.days[k].HasText, 0);
        EXPECT_EQ(l.days[k].Mark, 0);
        EXPECT_EQ(l.days[k].UserHoliday, 0);
        EXPECT_EQ(l.days[k].Anniversary, "");
    }
    EXPECT_EQ(l.list[1].FileName, "write.exe");
    EXPECT_EQ(l.list[2].FileName, "notepad.exe");
    EXPECT_EQ(Snapshot(dir), before);
}

}  // namespace

namespace {

// A store file in which slot k holds a value of its own ("day 7", mark 7, "month 7"), read
// back as the list of slot values ("" for none).
struct Store {
    const char* name;
    int count;
    bool blocks;  // block file, else one mark per line
    const char* whatUtf8;
    const char* unitUtf8;
    std::vector<std::string> (*read)(const TempFolder&);
    bool (*save)(const TempFolder&, const std::vector<std::string>&);
};

std::string Value(const Store& s, int k) {
    if (!s.blocks) return std::to_string(k);
    return std::string(s.count == 12 ? "month " : "day ") + std::to_string(k);
}

std::vector<std::string> GoodLines(const Store& s) {
    std::vector<std::string> lines;
    for (int k = 1; k <= s.count; ++k) {
        if (s.blocks) lines.push_back("#S#!");
        lines.push_back(Value(s, k));
        if (s.blocks) lines.push_back("#E#!");
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& l : lines) bytes += l + "\r\n";
    return bytes;
}

void FromDays(const YOTEI days[32], bool marks, std::vector<std::string>& out) {
    for (int k = 1; k <= 31; ++k) {
        if (marks)
            out.push_back(days[k].Mark ? std::to_string(days[k].Mark) : "");
        else
            out.push_back(days[k].HasText ? days[k].Text : "");
    }
}

void ToDays(const std::vector<std::string>& values, bool marks, YOTEI days[32]) {
    for (int k = 1; k <= 31; ++k) {
        const std::string& v = values[static_cast<size_t>(k - 1)];
        if (marks)
            days[k].Mark = static_cast<uint8_t>(v.empty() ? 0 : std::stoi(v));
        else
            days[k] = {static_cast<uint8_t>(v.empty() ? 0 : 1), v, 0, "", 0};
    }
}

const Store kStores[] = {
    {"200405.yo2", 31, true, "2004年5月の予定", "日",
     [](const TempFolder& d) {
         YOTEI days[32];
         std::vector<std::string> v;
         store::LoadMonth(d.Path(), "", 2004, 5, days);
         FromDays(days, false, v);
         return v;
     },
     [](const TempFolder& d, const std::vector<std::string>& v) {
         YOTEI days[32];
         ToDays(v, false, days);
         return store::SaveMonth(d.Path(), 2004, 5, days);
     }},
    {"200405.mkf", 31, false, "2004年5月のﾏｰｸ", "日",
     [](const TempFolder& d) {
         YOTEI days[32];
         std::vector<std::string> v;
         store::LoadMonth(d.Path(), "", 2004, 5, days);
         FromDays(days, true, v);
         return v;
     },
     [](const TempFolder& d, const std::vector<std::string>& v) {
         YOTEI days[32];
         ToDays(v, true, days);
         return store::SaveMonth(d.Path(), 2004, 5, days);
     }},
    {"2004.ne2", 12, true, "2004年の年間予定", "月",
     [](const TempFolder& d) {
         NEN_YOTEI months[13];
         store::ReadYear(d.Path(), 2004, months);
         std::vector<std::string> v;
         for (int m = 1; m <= 12; ++m) v.push_back(months[m].HasText ? months[m].Text : "");
         return v;
     },
     [](const TempFolder& d, const std::vector<std::string>& v) {
         NEN_YOTEI months[13];
         for (int m = 1; m <= 12; ++m)
             months[m] = {static_cast<uint8_t>(v[m - 1].empty() ? 0 : 1), v[m - 1]};
         return store::SaveYear(d.Path(), 2004, months);
     }},
};

// A damage done to the lines of a good file; kept[k - 1] tells whether slot k still reads
// its own value, which changed tells (an empty string: the slot reads empty).
struct Damage {
    const char* what;
    bool told;
    int firstUnplaced;
    int oddBytes;  // the slot named for bytes of no character (block files)
    // Returns the damaged bytes; marks the count whose value changes in expect.
    std::string (*apply)(const Store&, std::vector<std::string>& lines,
                         std::vector<std::string>& expect);
};

size_t LineOf(const Store& s, int slot, int part) {  // part: 0 start, 1 text, 2 end
    return s.blocks ? static_cast<size_t>(3 * (slot - 1) + part) : static_cast<size_t>(slot - 1);
}

const Damage kDamages[] = {
    {"byte order mark", false, 0, 0,
     [](const Store&, std::vector<std::string>& l, std::vector<std::string>&) {
         return "\xEF\xBB\xBF" + Joined(l);
     }},
    {"stray line", true, 0, 0,
     [](const Store& s, std::vector<std::string>& l, std::vector<std::string>&) {
         l.insert(l.begin() + static_cast<long>(LineOf(s, 3, 0)), "stray");
         return Joined(l);
     }},
    {"damaged start marker or a mark that is no number", true, 0, 0,
     [](const Store& s, std::vector<std::string>& l, std::vector<std::string>& e) {
         if (!s.blocks) e[4] = "";
         l[LineOf(s, 5, 0)] = s.blocks ? "#S#?" : "x";
         return Joined(l);
     }},
    {"damaged end marker", true, 0, 0,
     [](const Store& s, std::vector<std::string>& l, std::vector<std::string>& e) {
         if (!s.blocks) e[4] = "";
         l[LineOf(s, 5, 2)] = s.blocks ? "#E#?" : "";
         return Joined(l);
     }},
    {"cut", true, 0, 0,
     [](const Store& s, std::vector<std::string>& l, std::vector<std::string>& e) {
         const int last = s.count == 12 ? 8 : 20;
         for (int k = last + 1; k <= s.count; ++k) e[static_cast<size_t>(k - 1)] = "";
         l.resize(LineOf(s, last, 1) + 1);
         return Joined(l);
     }},
    {"NUL byte", true, 0, 7,
     [](const Store& s, std::vector<std::string>& l, std::vector<std::string>& e) {
         l[LineOf(s, 7, 1)] += '\0';
         if (s.blocks) e[6] += '\0';
         return Joined(l);
     }},
    {"invalid Shift-JIS", true, 0, 9,
     [](const Store& s, std::vector<std::string>& l, std::vector<std::string>& e) {
         l[LineOf(s, 9, 1)] += "\xFF";
         if (s.blocks) e[8] += "\xFF";
         return Joined(l);
     }},
    {"nothing certain after slot 2", true, 3, 0,
     [](const Store& s, std::vector<std::string>& l, std::vector<std::string>& e) {
         // Cut short, with a line between slots 2 and 3 that may have been a slot of its own.
         for (int k = 3; k <= s.count; ++k) e[static_cast<size_t>(k - 1)] = "";
         l.resize(LineOf(s, s.count == 12 ? 8 : 20, 1) + 1);
         l.insert(l.begin() + static_cast<long>(LineOf(s, 3, 0)), s.blocks ? "#E#!" : "x");
         return Joined(l);
     }},
};

TEST(DamagedFiles, ReadInPlaceToldOnceCopiedAndNotWrittenBackUntilEdited) {
    FakeClock clock;
    clock.Set(2026, 12, 9, 8, 12, 30);
    for (const Store& s : kStores) {
        for (const Damage& d : kDamages) {
            const std::string what = std::string(s.name) + ", " + d.what;
            TempFolder dir;
            FakeMessages messages;
            std::vector<std::string> lines = GoodLines(s), expect;
            for (int k = 1; k <= s.count; ++k) expect.push_back(Value(s, k));
            const std::string damaged = d.apply(s, lines, expect);
            ASSERT_TRUE(dir.Write(s.name, damaged));
            ASSERT_EQ(::chmod(dir.File(s.name).c_str(), 0600), 0);  // a private month

            // Every slot holds its own value or nothing, and the user is told once.
            EXPECT_EQ(s.read(dir), expect) << what;
            EXPECT_EQ(s.read(dir), expect) << what;
            const std::string copy = std::string(s.name) + ".bak-20261209-0812";
            std::vector<QString> told;
            if (d.told) {
                std::string text =
                    std::string(s.whatUtf8) + "のﾌｧｲﾙの一部が読み込めませんでした。\r\n";
                if (d.oddBytes && s.blocks)
                    text += std::to_string(d.oddBytes) + s.unitUtf8 +
                            "に、文字として読めないﾊﾞｲﾄがあります。\r\n";
                if (d.firstUnplaced)
                    text += std::to_string(d.firstUnplaced) + s.unitUtf8 + "から後は、どの" +
                            s.unitUtf8 + "のものか分からないため読み込んでいません。\r\n";
                text += "元のﾌｧｲﾙは、そのままｺﾋﾟｰして残してあります。\r\n";
                told.push_back(QString::fromUtf8(text) + platform::FromCp932(dir.File(copy)));
                EXPECT_EQ(dir.Read(copy), damaged) << what;
                struct stat st {};
                EXPECT_EQ(::stat(dir.File(copy).c_str(), &st), 0) << what;
                EXPECT_EQ(st.st_mode & 0777, 0600u) << what;
            }
            EXPECT_EQ(messages.Texts(), told) << what;
            EXPECT_EQ(Snapshot(dir, true).size(), d.told ? 1u : 0u) << what;

            // Saved unedited, the file stays as it is.
            ASSERT_TRUE(s.save(dir, expect)) << what;
            EXPECT_EQ(dir.Read(s.name), damaged) << what;

            // Edited, it is written from what was read, each slot in its place.
            expect[2] = s.blocks ? "edited" : "99";
            ASSERT_TRUE(s.save(dir, expect)) << what;
            EXPECT_NE(dir.Read(s.name), damaged) << what;
            EXPECT_EQ(s.read(dir), expect) << what;
            EXPECT_EQ(messages.Texts(), told) << what;
        }
    }
}

TEST(DamagedFiles, NoCopyNoSave) {
    FakeClock clock;
    clock.Set(2026, 12, 9, 8, 12, 30);
    for (const Store& s : kStores) {
        TempFolder dir;
        FakeMessages messages;
        std::vector<std::string> lines = GoodLines(s), expect;
        for (int k = 1; k <= s.count; ++k) expect.push_back(Value(s, k));
        const std::string damaged = kDamages[1].apply(s, lines, expect);  // a stray line
        ASSERT_TRUE(dir.Write(s.name, damaged));
        // No copy can be made: a full disk, say.
        platform::SetWriteFaultForTests([](platform::WriteStep, const std::string& path) {
            return path.find(".bak-") != std::string::npos;
        });
        EXPECT_EQ(s.read(dir), expect) << s.name;
        expect[2] = s.blocks ? "edited" : "99";
        EXPECT_FALSE(s.save(dir, expect)) << s.name;
        EXPECT_EQ(dir.Read(s.name), damaged) << s.name;
        EXPECT_TRUE(Snapshot(dir, true).empty()) << s.name;
        ASSERT_EQ(messages.Texts().size(), 2u) << s.name;
        EXPECT_EQ(messages.Texts()[1],
                  U("一部が読み込めなかったﾌｧｲﾙのｺﾋﾟｰが作れないため、保存できません。\r\n") +
                      platform::FromCp932(dir.File(s.name)));
        // Once a copy can be made, the next save makes it first.
        platform::SetWriteFaultForTests(nullptr);
        EXPECT_TRUE(s.save(dir, expect)) << s.name;
        EXPECT_EQ(dir.Read(std::string(s.name) + ".bak-20261209-0812"), damaged) << s.name;
        EXPECT_EQ(s.read(dir), expect) << s.name;
    }
}

}  // namespace
