// Damaged and hostile files: no reader may crash, hang or write; each keeps what it read.
#include <gtest/gtest.h>

#include <QDir>
#include <cstring>
#include <map>
#include <random>

#include "cp932.h"
#include "fake_messages.h"
#include "schedule_store.h"
#include "temp_folder.h"

namespace {

const char* const kFiles[] = {"200405.yo2", "200405.mkf", "2004.ne2",
                              "2004.hol",   "ukinen.txt", "Kolvane32.prg"};

// Every entry of the folder with its bytes (folders as "<dir>").
std::map<std::string, std::string> Snapshot(const TempFolder& dir) {
    std::map<std::string, std::string> all;
    QDir d(platform::DiskPath(dir.Path()));
    for (const QFileInfo& info :
         d.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        std::string name = platform::FromDiskPath(info.fileName());
        all[name] = info.isDir() ? "<dir>" : dir.Read(name);
    }
    return all;
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
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST(DamagedFiles, InvalidShiftJisIsKeptByteForByte) {
    TempFolder dir;
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
