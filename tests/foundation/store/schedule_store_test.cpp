#include "schedule_store.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <cerrno>
#include <functional>
#include <set>
#include <vector>

#include "cp932.h"
#include "fake_messages.h"
#include "file_faults.h"
#include "globals.h"
#include "program_test.h"
#include "temp_folder.h"

using namespace foundation;

namespace {

const char kEmpty[] = "#S#!\r\n#E#!\r\n";

std::string Repeat(const std::string& s, int n) {
    std::string r;
    for (int i = 0; i < n; ++i) r += s;
    return r;
}

std::vector<std::string> Listing(const TempFolder& dir) {
    std::vector<std::string> names;
    for (const QString& n : QDir(platform::DiskPath(dir.Path()))
                                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        names.push_back(n.toStdString());
    return names;
}

std::set<int> Flagged(const uint8_t flags[32]) {
    std::set<int> days;
    for (int d = 1; d <= 31; ++d)
        if (flags[d]) days.insert(d);
    return days;
}

// Lowers the file size limit for one scope, so writes fail even for root.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        signal(SIGXFSZ, SIG_IGN);
        rlimit lim = old_;
        lim.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }

  private:
    rlimit old_{};
};

TEST(StoreFileNames, PaddingAndFolders) {
    struct Case {
        std::string got, want;
    } cases[] = {
        {MonthFileName("/d", 2004, 5), "/d/200405.yo2"},
        {MonthFileName("/d", 999, 12), "/d/099912.yo2"},
        {MarkFileName("/d", 2004, 5), "/d/200405.mkf"},
        {MarkFileName("/d", 999, 1), "/d/099901.mkf"},
        {YearPlanFileName("/d", 2004), "/d/2004.ne2"},
        {YearPlanFileName("/d", 999), "/d/0999.ne2"},
        {UserHolidayFileName("/m", 2004), "/m/2004.hol"},
        {UserHolidayFileName("/m", 999), "/m/999.hol"},
        {AnniversaryFileName("/m"), "/m/ukinen.txt"},
        {PrgListFileName("/b"), "/b/Kolvane32.prg"},
        {MonthFileName("/d/", 2004, 5), "/d//200405.yo2"},  // folder used as stored
    };
    for (const auto& c : cases) EXPECT_EQ(c.got, c.want);
}

TEST(StoreFileNames, GlobalFormsUseSettingsAndCurrentMonth) {
    const FreshGlobals fresh;
    Settings.dat_Path = "/data";
    CurYear = 2004;
    CurMonth = 2;
    EXPECT_EQ(MonthFileName(2003, 11), "/data/200311.yo2");
    EXPECT_EQ(MonthFileName(), "/data/200402.yo2");
}

TEST(SaveMonth, WritesBothFilesByteForByte) {
    TempFolder dir;
    FakeMessages messages;
    YOTEI days[32];
    days[1].HasText = 1;
    days[1].Text = "a\r\nb  ";
    days[2].HasText = 1;  // empty text: one empty line
    days[3].HasText = 0;
    days[3].Text = "not written";
    days[4].HasText = 2;  // only exactly 1 counts
    days[4].Text = "not written";
    days[5].HasText = 1;
    days[5].Text = "#E#!\r\nx";
    days[30].HasText = 1;  // February keeps days past its end
    days[30].Text = Sj("予定");
    days[1].Mark = 1;
    days[31].Mark = 1;
    days[7].Mark = 255;
    ASSERT_TRUE(store::SaveMonth(dir.Path(), 2004, 2, days));
    EXPECT_TRUE(messages.shown.empty());

    std::string want =
        "#S#!\r\na\r\nb  \r\n#E#!\r\n"
        "#S#!\r\n\r\n#E#!\r\n" +
        Repeat(kEmpty, 2) + "#S#!\r\n#E#! \r\nx\r\n#E#!\r\n" + Repeat(kEmpty, 24) + "#S#!\r\n" +
        Sj("予定") + "\r\n#E#!\r\n" + kEmpty;
    EXPECT_EQ(dir.Read("200402.yo2"), want);
    EXPECT_EQ(dir.Read("200402.mkf"),
              "1\r\n" + Repeat("0\r\n", 5) + "255\r\n" + Repeat("0\r\n", 23) + "1\r\n");
}

ino_t Inode(const TempFolder& dir, const std::string& name) {
    struct stat info {};
    return ::stat(dir.File(name).c_str(), &info) == 0 ? info.st_ino : 0;
}

TEST(SaveMonth, WritesOnlyWhatChanged) {
    const std::string marked = "1\r\n" + Repeat("0\r\n", 30);
    const std::string month = "#S#!\r\nx\r\n#E#!\r\n" + Repeat(kEmpty, 30);
    struct Case {
        const char* what;
        std::string yo2, mkf;  // on disk before; "-" for no file
        const char* text;      // day 1 (none: nullptr)
        int mark;
        bool yo2Written, mkfWritten;
    } cases[] = {
        {"month never edited", "-", "-", nullptr, 0, false, false},
        {"same bytes on disk", month, marked, "x", 1, false, false},
        {"same after a byte order mark", "\xEF\xBB\xBF" + month, marked, "x", 1, false, false},
        {"text added", "-", "-", "x", 0, true, false},
        {"mark added", "-", "-", nullptr, 1, false, true},
        {"text changed", month, marked, "y", 1, true, false},
        {"everything removed", month, marked, nullptr, 0, true, true},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        FakeMessages messages;
        if (c.yo2 != "-") {
            ASSERT_TRUE(dir.Write("200405.yo2", c.yo2));
        }
        if (c.mkf != "-") {
            ASSERT_TRUE(dir.Write("200405.mkf", c.mkf));
        }
        const ino_t yo2 = Inode(dir, "200405.yo2"), mkf = Inode(dir, "200405.mkf");
        YOTEI days[32];
        if (c.text) days[1] = {1, c.text, 0, "", 0};
        days[1].Mark = static_cast<uint8_t>(c.mark);
        ASSERT_TRUE(store::SaveMonth(dir.Path(), 2004, 5, days)) << c.what;
        EXPECT_EQ(Inode(dir, "200405.yo2") != yo2, c.yo2Written) << c.what;
        EXPECT_EQ(Inode(dir, "200405.mkf") != mkf, c.mkfWritten) << c.what;
        if (c.yo2Written) {
            EXPECT_EQ(dir.Read("200405.yo2"), c.text ? "#S#!\r\n" + std::string(c.text) +
                                                           "\r\n#E#!\r\n" + Repeat(kEmpty, 30)
                                                     : Repeat(kEmpty, 31))
                << c.what;
        }
        if (c.mkfWritten) {
            EXPECT_EQ(dir.Read("200405.mkf"), c.mark ? marked : Repeat("0\r\n", 31)) << c.what;
        }
        EXPECT_TRUE(messages.shown.empty()) << c.what;
    }
}

TEST(LoadMonth, ReadsBackWhatWasSavedAndClearsFirst) {
    TempFolder dir;
    YOTEI days[32];
    days[1] = {1, "  lead\r\ntrail  ", 0, "", 1};
    days[2] = {1, "", 0, "", 0};
    days[3] = {0, "dropped", 0, "", 0};
    days[31] = {1, "#S#!\r\nlast", 0, "", 1};
    ASSERT_TRUE(store::SaveMonth(dir.Path(), 2004, 5, days));

    YOTEI loaded[32];
    for (auto& d : loaded) d = {1, "junk", 1, "junk", 9};
    store::LoadMonth(dir.Path(), dir.Path(), 2004, 5, loaded);
    for (int k = 1; k <= 31; ++k) {
        uint8_t hasText = (k == 1 || k == 2 || k == 31) ? 1 : 0;
        EXPECT_EQ(loaded[k].HasText, hasText) << k;
        EXPECT_EQ(loaded[k].Text, hasText ? days[k].Text : "") << k;
        EXPECT_EQ(loaded[k].Mark, days[k].Mark) << k;
        EXPECT_EQ(loaded[k].UserHoliday, 0) << k;
        EXPECT_EQ(loaded[k].Anniversary, "") << k;
    }
}

TEST(LoadMonth, MonthWithoutScheduleStillGetsHolidaysAnniversariesAndMarks) {
    TempFolder dir;
    ASSERT_TRUE(dir.Write("2004.hol", " 5, 3,\r\n 5, 4,\r\n"));
    ASSERT_TRUE(dir.Write("ukinen.txt", Sj(" 5, 5,こどもの日\r\n")));
    ASSERT_TRUE(dir.Write("200405.mkf", "0\r\n1\r\n" + Repeat("0\r\n", 29)));
    YOTEI days[32];
    store::LoadMonth(dir.Path(), dir.Path(), 2004, 5, days);
    for (int k = 1; k <= 31; ++k) {
        EXPECT_EQ(days[k].HasText, 0);
        EXPECT_EQ(days[k].UserHoliday, (k == 3 || k == 4) ? 1 : 0) << k;
        EXPECT_EQ(days[k].Anniversary, k == 5 ? Sj("こどもの日") : "") << k;
        EXPECT_EQ(days[k].Mark, k == 2 ? 1 : 0) << k;
    }
}

TEST(ReadDay, TakesTheBlockOfTheDayFromDisk) {
    TempFolder dir;
    YOTEI days[32];
    days[3] = {1, "third\r\nline", 0, "", 0};
    days[31] = {1, "last", 0, "", 0};
    ASSERT_TRUE(store::SaveMonth(dir.Path(), 2004, 5, days));
    // A block cut short after the wanted one does not disturb it.
    ASSERT_TRUE(
        dir.Write("200406.yo2", Repeat(kEmpty, 2) + "#S#!\r\nthird\r\n#E#!\r\n#S#!\r\ncut"));
    struct Case {
        int month, day;
        std::string text;
    } cases[] = {
        {5, 3, "third\r\nline"}, {5, 31, "last"}, {5, 1, ""}, {5, 0, ""}, {5, 32, ""},
        {6, 3, "third"},         {6, 4, "cut"},   {6, 5, ""}, {7, 3, ""},  // no file
    };
    for (const auto& c : cases) {
        std::string text = "old";
        store::ReadDay(dir.Path(), 2004, c.month, c.day, text);
        EXPECT_EQ(text, c.text) << c.month << "/" << c.day;
    }
}

TEST(UserHolidays, LinesOfTheFile) {
    struct Case {
        std::string file;
        std::set<int> may;
    } cases[] = {
        {"5,3,4,5\r\n", {3, 4, 5}},
        {" 5, 3,\r\n 5,10,\r\n", {3, 10}},
        {"12,32\r\n5,32,0,-1,31\r\n", {31}},
        {"99\r\n5,3\r\n", {}},
        {"5,3\r\n99\r\n5,4\r\n", {3}},
        {"5,3\r\nEOF\r\n5,4\r\n", {3}},
        {"5,3\r\n\r\n5,4\r\n", {3}},
        {"ab\r\n5\r\n5,3\r\n", {3}},  // two characters or fewer are skipped
        {"4,1,2\r\n5,2\r\n", {2}},
        {"x,1\r\n5,3\r\n", {}},  // no number where the month is due
        {"5,3,x,4\r\n5,6\r\n", {3}},
        {"5,3,,4\r\n", {3}},
        {"5,3\r5,4\n5,5", {3, 4, 5}},
        {"5," + Repeat("1,", 31) + "30\r\n", {1}},  // at most 31 days a line
        {"", {}},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        ASSERT_TRUE(dir.Write("2004.hol", c.file));
        uint8_t flags[32];
        for (auto& f : flags) f = 1;
        store::ReadUserHolidayFlags(dir.Path(), 2004, 5, flags);
        EXPECT_EQ(Flagged(flags), c.may) << c.file;
    }
}

TEST(UserHolidays, FileOfTheYearWithoutPadding) {
    TempFolder dir;
    ASSERT_TRUE(dir.Write("999.hol", "5,3\r\n"));
    ASSERT_TRUE(dir.Write("0999.hol", "5,4\r\n"));
    uint8_t flags[32] = {};
    store::ReadUserHolidayFlags(dir.Path(), 999, 5, flags);
    EXPECT_EQ(Flagged(flags), std::set<int>{3});
    store::ReadUserHolidayFlags(dir.Path(), 1000, 5, flags);  // no file: all cleared
    EXPECT_EQ(Flagged(flags), std::set<int>{});
}

TEST(UserHolidays, MonthLoaderAddsWithoutClearing) {
    TempFolder dir;
    ASSERT_TRUE(dir.Write("2004.hol", "5,3\r\n"));
    YOTEI days[32];
    days[9].UserHoliday = 1;
    store::LoadUserHolidays(dir.Path(), 2004, 5, days);
    EXPECT_EQ(days[3].UserHoliday, 1);
    EXPECT_EQ(days[9].UserHoliday, 1);
}

TEST(Anniversaries, LinesOfTheList) {
    struct Case {
        std::string file;
        int month, day;
        std::string text;
    } cases[] = {
        {"5,5,こどもの日,祝日\r\n", 5, 5, "こどもの日"},
        {" 5, 5,a\r\n 5, 5,b\r\n", 5, 5, "b"},  // the last line wins
        {" 5, 5,a\r\n99\r\n 5, 5,b\r\n", 5, 5, "a"},
        {" 5, 5,a\r\nEOF\r\n 5, 5,b\r\n", 5, 5, "a"},
        {" 5, 5,a\r\n\r\n 5, 5,b\r\n", 5, 5, "a"},
        {"5,5,\r\n5,5,x\r\n", 5, 5, "x"},
        {"5,5x\r\n5,5,y\r\n", 5, 5, "y"},  // four characters: skipped
        {"x,5,a\r\n5,5,b\r\n", 5, 5, ""},
        {"5,6,a\r\n", 5, 5, ""},
        {"", 5, 5, ""},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        ASSERT_TRUE(dir.Write("ukinen.txt", Sj(c.file)));
        std::string text = "old";
        store::GetAnniversary(dir.Path(), c.month, c.day, text);
        EXPECT_EQ(text, Sj(c.text)) << c.file;
    }
}

TEST(Anniversaries, MonthLoaderTakesDaysOneToThirtyOneOfTheMonth) {
    TempFolder dir;
    ASSERT_TRUE(dir.Write("ukinen.txt", Sj(" 5, 5,こどもの日,祝日\r\n 5,31,a\r\n 5,32,b\r\n"
                                           " 6, 1,c\r\n 5,31,d\r\n")));
    YOTEI days[32];
    store::LoadAnniversaries(dir.Path(), 5, days);
    EXPECT_EQ(days[5].Anniversary, Sj("こどもの日"));
    EXPECT_EQ(days[31].Anniversary, "d");
    EXPECT_EQ(days[1].Anniversary, "");
    TempFolder none;
    std::string text = "old";
    store::GetAnniversary(none.Path(), 5, 5, text);
    EXPECT_EQ(text, "");
}

TEST(Marks, LinesOfTheFile) {
    struct Case {
        std::string file;
        std::vector<int> marks;  // days 1.. as far as given; the rest 0
    } cases[] = {
        {"1\r\n0\r\n 1\r\n", {1, 0, 1}}, {"256\r\n257\r\n-1\r\n", {0, 1, 255}},
        {"1x\r\n2 3\r\n", {1, 2}},       {"1\r\nx\r\n1\r\n", {1}},
        {"1\r\n\r\n1\r\n", {1}},         {"1\n1\r1", {1, 1, 1}},
        {"99999999999\r\n1\r\n", {}},    {Repeat("1\r\n", 40), std::vector<int>(31, 1)},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        FakeMessages messages;  // each is damaged
        ASSERT_TRUE(dir.Write("200405.mkf", c.file));
        YOTEI days[32];
        for (auto& d : days) d.Mark = 7;
        store::ReadMarks(dir.Path(), 2004, 5, days);
        for (int k = 1; k <= 31; ++k) {
            int want = k <= static_cast<int>(c.marks.size()) ? c.marks[k - 1] : 0;
            EXPECT_EQ(days[k].Mark, want) << c.file << " day " << k;
        }
    }
}

TEST(YearPlan, TwelveBlocksByteForByteAndBack) {
    TempFolder dir;
    FakeMessages messages;
    NEN_YOTEI months[13];
    months[1] = {1, "jan\r\nplan "};
    months[2] = {1, ""};
    months[3] = {0, "dropped"};
    months[12] = {1, "#E#!"};
    ASSERT_TRUE(store::SaveYear(dir.Path(), 2004, months));
    EXPECT_EQ(dir.Read("2004.ne2"), "#S#!\r\njan\r\nplan \r\n#E#!\r\n#S#!\r\n\r\n#E#!\r\n" +
                                        Repeat(kEmpty, 9) + "#S#!\r\n#E#! \r\n#E#!\r\n");
    NEN_YOTEI loaded[13];
    for (auto& m : loaded) m = {1, "junk"};
    store::ReadYear(dir.Path(), 2004, loaded);
    EXPECT_EQ(loaded[1].Text, "jan\r\nplan ");
    EXPECT_EQ(loaded[2].HasText, 1);
    EXPECT_EQ(loaded[2].Text, "");
    EXPECT_EQ(loaded[3].HasText, 0);
    EXPECT_EQ(loaded[3].Text, "");
    EXPECT_EQ(loaded[12].Text, "#E#! ");
    store::ReadYear(dir.Path(), 2005, loaded);  // no file: cleared
    for (int m = 1; m <= 12; ++m) EXPECT_EQ(loaded[m].HasText, 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(PrgList, TwentyLinesByteForByte) {
    TempFolder dir;
    prg list[21];
    list[1] = {Sj("ライト"), "write.exe"};
    list[2] = {"name only", ""};
    list[3] = {"", "bare.exe"};
    list[20] = {Sj("ポ"), "a|b"};
    ASSERT_TRUE(store::SavePrgs(dir.Path(), list));
    EXPECT_EQ(dir.Read("Kolvane32.prg"), "S|" + Sj("ライト") +
                                             "|write.exe\r\n \r\nS||bare.exe\r\n" +
                                             Repeat(" \r\n", 16) + "S|" + Sj("ポ") + "|a|b\r\n");
}

TEST(PrgList, ReadingLines) {
    TempFolder dir;
    ASSERT_TRUE(dir.Write("Kolvane32.prg",
                          "S|a|a.exe\r\n \r\nS\r\nS|only\r\nS|x|y|z\r\nSjunk|n|f\r\n"
                          "S|" +
                              Sj("ポ") + "|p\r\nT|t|t\r\n\r\nS|late|late\r\n"));
    prg list[21];
    for (int k = 1; k <= 20; ++k) list[k] = {"keep" + std::to_string(k), "k.exe"};
    store::LoadPrgs(dir.Path(), list);
    struct Case {
        int k;
        std::string name, file;
    } cases[] = {
        {1, "a", "a.exe"},       {2, "keep2", "k.exe"}, {3, "", ""},        {4, "only", ""},
        {5, "x", "y|z"},         {6, "n", "f"},         {7, Sj("ポ"), "p"}, {8, "keep8", "k.exe"},
        {9, "keep9", "k.exe"},  // the empty line ended the reading
        {10, "keep10", "k.exe"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(list[c.k].Name, c.name) << c.k;
        EXPECT_EQ(list[c.k].FileName, c.file) << c.k;
    }
}

TEST(PrgList, NameWithoutFileReadsBackAsBefore) {
    TempFolder dir;
    prg list[21];
    list[4] = {"name only", ""};
    ASSERT_TRUE(store::SavePrgs(dir.Path(), list));
    prg loaded[21];
    store::LoadPrgs(dir.Path(), loaded);
    EXPECT_EQ(loaded[4].Name, "");
    EXPECT_EQ(loaded[4].FileName, "");
    loaded[4].Name = "earlier";
    store::LoadPrgs(dir.Path(), loaded);
    EXPECT_EQ(loaded[4].Name, "earlier");
}

TEST(PrgList, MissingListGivesTheTwoDefaultsOnly) {
    TempFolder dir;
    prg list[21];
    list[3] = {"third", "t.exe"};
    store::LoadPrgs(dir.Path(), list);
    EXPECT_EQ(list[1].Name, Sj("ライト"));
    EXPECT_EQ(list[1].FileName, "write.exe");
    EXPECT_EQ(list[2].Name, Sj("メモ帳"));
    EXPECT_EQ(list[2].FileName, "notepad.exe");
    EXPECT_EQ(list[3].Name, "third");  // left as it was
    for (int k = 4; k <= 20; ++k) EXPECT_TRUE(list[k].Name.empty() && list[k].FileName.empty());
    EXPECT_FALSE(dir.Exists("Kolvane32.prg"));
}

TEST(SaveFailures, MissingFolder) {
    TempFolder dir;
    std::string missing = dir.File("none");
    YOTEI days[32];
    NEN_YOTEI months[13];
    prg list[21];
    struct Case {
        const char* what;
        std::function<bool()> save;
        std::vector<QString> messages;
    } cases[] = {
        {"month",
         [&] { return store::SaveMonth(missing, 2004, 5, days); },
         {QStringLiteral("予定を格納するディレクトリが見つかりません。")}},
        {"year",
         [&] { return store::SaveYear(missing, 2004, months); },
         {QStringLiteral("年間予定を格納するディレクトリが見つかりません。")}},
        {"marks", [&] { return store::WriteMarks(missing, 2004, 5, days); }, {}},
        {"launcher", [&] { return store::SavePrgs(missing, list); }, {}},
    };
    for (const auto& c : cases) {
        FakeMessages messages;
        EXPECT_FALSE(c.save()) << c.what;
        EXPECT_EQ(messages.Texts(), c.messages) << c.what;
        for (const auto& r : messages.shown) EXPECT_EQ(r.kind, platform::MsgKind::Warning);
    }
    EXPECT_TRUE(Listing(dir).empty());
}

TEST(SaveFailures, TheCauseIsNamed) {
    struct Case {
        int error;
        const char* month;  // the year plan's reads the same with 年間予定
    } cases[] = {
        {ENOSPC, "予定を格納するディスクに空きがありません。\r\n"},
        {EDQUOT, "予定を格納するディスクに空きがありません。\r\n"},
        {EACCES, "予定を格納する権限がありません。\r\n"},
        {EROFS, "予定を格納するディスクは読み取り専用です。\r\n"},
        {EIO, "予定を格納できませんでした。\r\n"},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        FakeMessages messages;
        YOTEI days[32];
        days[1] = {1, "x", 0, "", 0};
        NEN_YOTEI months[13];
        months[1] = {1, "x"};
        platform::SetWriteFaultForTests([&](platform::WriteStep step, const std::string& path) {
            errno = c.error;
            return step == platform::WriteStep::Write && !path.ends_with(".mkf");
        });
        EXPECT_FALSE(store::SaveMonth(dir.Path(), 2004, 5, days));
        EXPECT_FALSE(store::SaveYear(dir.Path(), 2004, months));
        platform::SetWriteFaultForTests(nullptr);
        EXPECT_EQ(messages.Texts(),
                  (std::vector<QString>{
                      QString::fromUtf8(c.month) + platform::FromCp932(dir.File("200405.yo2")),
                      U("年間") + QString::fromUtf8(c.month) +
                          platform::FromCp932(dir.File("2004.ne2"))}))
            << c.error;
        EXPECT_TRUE(Listing(dir).empty());  // no mark to store, no temporary left
    }
}

TEST(SaveFailures, ScheduleNotWrittenKeepsOldFileAfterMarks) {
    TempFolder dir;
    ASSERT_TRUE(dir.Write("200405.yo2", "#S#!\r\nold\r\n#E#!\r\n"));
    ASSERT_TRUE(dir.Write("200405.mkf", "old\r\n"));
    YOTEI days[32];
    days[1] = {1, "new", 0, "", 1};
    FakeMessages messages;
    bool saved;
    {
        FileSizeLimit limit(200);  // the 93 bytes of marks fit, the 377 of the schedule do not
        saved = store::SaveMonth(dir.Path(), 2004, 5, days);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(messages.Texts(),
              std::vector<QString>{QStringLiteral("予定を格納できませんでした。\r\n") +
                                   platform::FromCp932(dir.File("200405.yo2"))});
    EXPECT_EQ(dir.Read("200405.yo2"), "#S#!\r\nold\r\n#E#!\r\n");
    EXPECT_EQ(dir.Read("200405.mkf"), "1\r\n" + Repeat("0\r\n", 30));
    EXPECT_EQ(Listing(dir), (std::vector<std::string>{"200405.mkf", "200405.yo2"}));
    EXPECT_EQ(days[1].Text, "new");
}

TEST(SaveFailures, MarksNotWrittenStillWritesScheduleAndReportsOnce) {
    TempFolder dir;
    ASSERT_TRUE(QDir().mkpath(platform::DiskPath(dir.File("200405.mkf"))));
    YOTEI days[32];
    days[1] = {1, "kept", 0, "", 1};
    FakeMessages messages;
    EXPECT_FALSE(store::SaveMonth(dir.Path(), 2004, 5, days));
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(dir.Read("200405.yo2"), "#S#!\r\nkept\r\n#E#!\r\n" + Repeat(kEmpty, 30));
}

TEST(SaveFailures, YearPlanAndLauncherKeepOldFiles) {
    TempFolder dir;
    ASSERT_TRUE(dir.Write("2004.ne2", "old plan"));
    ASSERT_TRUE(dir.Write("Kolvane32.prg", "old list"));
    NEN_YOTEI months[13];
    prg list[21];
    FakeMessages messages;
    bool year, launcher;
    {
        FileSizeLimit limit(10);
        year = store::SaveYear(dir.Path(), 2004, months);
        launcher = store::SavePrgs(dir.Path(), list);
    }
    EXPECT_FALSE(year);
    EXPECT_FALSE(launcher);
    EXPECT_EQ(messages.Texts(),
              std::vector<QString>{QStringLiteral("年間予定を格納できませんでした。\r\n") +
                                   platform::FromCp932(dir.File("2004.ne2"))});
    EXPECT_EQ(dir.Read("2004.ne2"), "old plan");
    EXPECT_EQ(dir.Read("Kolvane32.prg"), "old list");
    EXPECT_EQ(Listing(dir).size(), 2u);
}

TEST(SaveMonth, MarksAreStoredBeforeTheSchedule) {
    TempFolder dir;
    int fd = inotify_init1(IN_NONBLOCK);
    ASSERT_GE(fd, 0);
    ASSERT_GE(inotify_add_watch(fd, platform::DiskPath(dir.Path()).toLocal8Bit().constData(),
                                IN_MOVED_TO | IN_CREATE),
              0);
    YOTEI days[32];
    days[1] = {1, "a", 0, "", 1};
    ASSERT_TRUE(store::SaveMonth(dir.Path(), 2004, 5, days));  // new files
    days[1] = {1, "b", 0, "", 0};
    ASSERT_TRUE(store::SaveMonth(dir.Path(), 2004, 5, days));  // replacing them
    alignas(inotify_event) char buffer[8192];
    ssize_t n = read(fd, buffer, sizeof buffer);
    close(fd);
    std::vector<std::string> stored;
    for (ssize_t i = 0; i < n;) {
        auto* e = reinterpret_cast<inotify_event*>(buffer + i);
        // A new name appears by a link of the unnamed temporary or by a rename of a named one.
        std::string name = e->len ? e->name : "";
        if (name.size() == 10 && (e->mask & (IN_MOVED_TO | IN_CREATE))) stored.push_back(name);
        i += sizeof(inotify_event) + e->len;
    }
    EXPECT_EQ(stored,
              (std::vector<std::string>{"200405.mkf", "200405.yo2", "200405.mkf", "200405.yo2"}));
}

TEST(GlobalStore, MonthAndLauncherGoThroughSettingsAndBaseDir) {
    TempFolder dat, memo, base;
    FakeMessages messages;
    const FreshGlobals fresh;
    Settings.dat_Path = dat.Path();
    Settings.memo_path = memo.Path();
    BaseDir = base.Path();
    ASSERT_TRUE(memo.Write("2004.hol", "5,3\r\n"));
    ASSERT_TRUE(memo.Write("ukinen.txt", "5,5,kodomo\r\n"));
    CurYear = 2004;
    CurMonth = 5;
    MonthDays[2] = {1, "two", 0, "", 1};
    ASSERT_TRUE(SaveMonthSchedule());
    EXPECT_TRUE(dat.Exists("200405.yo2"));
    EXPECT_TRUE(dat.Exists("200405.mkf"));

    MonthDays[2] = YOTEI();
    LoadMonthSchedule();
    EXPECT_EQ(MonthDays[2].Text, "two");
    EXPECT_EQ(MonthDays[2].Mark, 1);
    EXPECT_EQ(MonthDays[3].UserHoliday, 1);
    EXPECT_EQ(MonthDays[5].Anniversary, "kodomo");
    std::string text;
    ReadDaySchedule(2004, 5, 2, text);
    EXPECT_EQ(text, "two");
    GetAnniversary(5, 5, text);
    EXPECT_EQ(text, "kodomo");
    uint8_t flags[32] = {};
    ReadUserHolidays(2004, 5, flags);
    EXPECT_EQ(Flagged(flags), std::set<int>{3});

    LoadPrgList();
    EXPECT_EQ(PrgList[2].FileName, "notepad.exe");
    ASSERT_TRUE(SavePrgList());
    std::string first = "S|" + Sj("ライト") + "|write.exe\r\n";
    EXPECT_EQ(base.Read("Kolvane32.prg").substr(0, first.size()), first);

    NEN_YOTEI months[13];
    months[6] = {1, "june"};
    ASSERT_TRUE(SaveYearSchedule(2004, months));
    NEN_YOTEI loaded[13];
    ReadYearSchedule(2004, loaded);
    EXPECT_EQ(loaded[6].Text, "june");

    Settings.dat_Path = dat.File("gone");
    EXPECT_FALSE(SaveMonthSchedule());
    EXPECT_FALSE(SaveYearSchedule(2004, months));
    EXPECT_EQ(messages.shown.size(), 2u);
}

}  // namespace
