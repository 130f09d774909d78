#include "unreadable_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <functional>

#include "cp932.h"
#include "fake_messages.h"
#include "file_io.h"
#include "globals.h"
#include "program_test.h"
#include "read_fault.h"
#include "schedule_store.h"
#include "temp_folder.h"

using namespace foundation;

namespace {

const char kEmpty[] = "#S#!\r\n#E#!\r\n";

std::string Repeat(const std::string& s, int n) {
    std::string r;
    for (int i = 0; i < n; ++i) r += s;
    return r;
}

class Unreadable : public ProgramTest {
  protected:
    void SetUp() override {
        store::ForgetUnreadableFiles();
        store::TellUnreadableFiles(true);
    }
    void TearDown() override {
        store::ForgetUnreadableFiles();
        store::TellUnreadableFiles(true);
    }
    QString Told(const std::string& name) {
        return platform::FromCp932(store::UnreadableMessage(dir.File(name)));
    }
    QString Refused(const std::string& name) {
        return platform::FromCp932(store::NotSavedOverMessage(dir.File(name)));
    }
    // What is on disk, read past the fault.
    std::string Disk(const std::string& name) {
        fault.on = false;
        std::string bytes = dir.Read(name);
        fault.on = true;
        return bytes;
    }
    TempFolder dir;
    FakeMessages messages;
    ReadFault fault;
};

const std::string kSchedule = "#S#!\r\nold day one\r\n#E#!\r\n" + Repeat(kEmpty, 30);
const std::string kMarks = "1\r\n" + Repeat("0\r\n", 30);

// A month file that cannot be read loads as empty and is never saved over; the mark file
// beside it is still read and written.
TEST_F(Unreadable, MonthScheduleIsToldOnceAndKept) {
    ASSERT_TRUE(dir.Write("200405.yo2", kSchedule));
    ASSERT_TRUE(dir.Write("200405.mkf", kMarks));
    fault.paths.insert(dir.File("200405.yo2"));

    YOTEI days[32];
    EXPECT_FALSE(store::LoadMonth(dir.Path(), dir.Path(), 2004, 5, days));
    EXPECT_EQ(days[1].HasText, 0);
    EXPECT_EQ(days[1].Mark, 1);
    EXPECT_FALSE(store::LoadMonth(dir.Path(), dir.Path(), 2004, 5, days));
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], Told("200405.yo2"));
    EXPECT_TRUE(store::IsUnreadable(dir.File("200405.yo2")));

    // Nothing typed: nothing to lose, the move goes on, the file stays.
    days[2].Mark = 1;
    EXPECT_TRUE(store::SaveMonth(dir.Path(), 2004, 5, days));
    EXPECT_EQ(Disk("200405.yo2"), kSchedule);
    EXPECT_EQ(Disk("200405.mkf"), "1\r\n1\r\n" + Repeat("0\r\n", 29));
    EXPECT_EQ(messages.Texts().size(), 1u);

    // Typed text cannot go there: the save fails, saying why.
    days[3].HasText = 1;
    days[3].Text = "new";
    EXPECT_FALSE(store::SaveMonth(dir.Path(), 2004, 5, days));
    EXPECT_EQ(Disk("200405.yo2"), kSchedule);
    ASSERT_EQ(messages.Texts().size(), 2u);
    EXPECT_EQ(messages.Texts()[1], Refused("200405.yo2"));
}

// The lists of the calendar are told once each, whichever reader meets them first.
TEST_F(Unreadable, HolidayAndAnniversaryListsAreToldOnce) {
    ASSERT_TRUE(dir.Write("2004.hol", " 5, 3,\r\n"));
    ASSERT_TRUE(dir.Write("ukinen.txt", " 5, 5,day\r\n"));
    fault.paths = {dir.File("2004.hol"), dir.File("ukinen.txt")};
    YOTEI days[32];
    uint8_t flags[32];
    std::string text;
    store::LoadMonth(dir.Path(), dir.Path(), 2004, 5, days);
    store::ReadUserHolidayFlags(dir.Path(), 2004, 5, flags);
    store::GetAnniversary(dir.Path(), 5, 5, text);
    EXPECT_EQ(messages.Texts(), (std::vector<QString>{Told("2004.hol"), Told("ukinen.txt")}));
    EXPECT_EQ(days[3].UserHoliday, 0);
    EXPECT_TRUE(text.empty());
}

TEST_F(Unreadable, MarkFileIsKeptAndOnlyMarksInMemoryFailTheSave) {
    ASSERT_TRUE(dir.Write("200405.mkf", kMarks));
    fault.paths.insert(dir.File("200405.mkf"));

    YOTEI days[32];
    EXPECT_FALSE(store::LoadMonth(dir.Path(), dir.Path(), 2004, 5, days));
    EXPECT_EQ(days[1].Mark, 0);
    days[4].HasText = 1;
    days[4].Text = "text";
    EXPECT_TRUE(store::SaveMonth(dir.Path(), 2004, 5, days));
    EXPECT_EQ(Disk("200405.mkf"), kMarks);
    EXPECT_FALSE(store::WriteMarks(dir.Path(), 2004, 5, days));
    EXPECT_EQ(Disk("200405.yo2"),
              Repeat(kEmpty, 3) + "#S#!\r\ntext\r\n#E#!\r\n" + Repeat(kEmpty, 27));

    days[9].Mark = 1;
    EXPECT_FALSE(store::SaveMonth(dir.Path(), 2004, 5, days));
    EXPECT_EQ(Disk("200405.mkf"), kMarks);
    ASSERT_EQ(messages.Texts().size(), 2u);
    EXPECT_EQ(messages.Texts()[0], Told("200405.mkf"));
    EXPECT_EQ(messages.Texts()[1], Refused("200405.mkf"));
}

TEST_F(Unreadable, YearPlanAppendCannotReplaceThePlan) {
    const std::string plan = "#S#!\r\njan\r\n#E#!\r\n" + Repeat(kEmpty, 11);
    ASSERT_TRUE(dir.Write("2004.ne2", plan));
    fault.paths.insert(dir.File("2004.ne2"));

    NEN_YOTEI months[13];
    EXPECT_FALSE(store::ReadYear(dir.Path(), 2004, months));
    EXPECT_TRUE(store::SaveYear(dir.Path(), 2004, months));  // nothing to lose
    months[5].HasText = 1;
    months[5].Text = "appended";
    EXPECT_FALSE(store::SaveYear(dir.Path(), 2004, months));
    EXPECT_EQ(Disk("2004.ne2"), plan);
    ASSERT_EQ(messages.Texts().size(), 2u);
    EXPECT_EQ(messages.Texts()[0], Told("2004.ne2"));
    EXPECT_EQ(messages.Texts()[1], Refused("2004.ne2"));
}

TEST_F(Unreadable, LauncherListKeepsItsFileAndGetsTheDefaults) {
    const std::string list = "S|a|b\r\n" + Repeat(" \r\n", 19);
    ASSERT_TRUE(dir.Write("Kolvane32.prg", list));
    fault.paths.insert(dir.File("Kolvane32.prg"));
    prg entries[21];
    EXPECT_FALSE(store::LoadPrgs(dir.Path(), entries));
    EXPECT_EQ(entries[1].Name, Sj("ライト"));
    EXPECT_FALSE(store::SavePrgs(dir.Path(), entries));
    EXPECT_EQ(Disk("Kolvane32.prg"), list);
    EXPECT_EQ(messages.Texts().size(), 1u);
}

// The file is written again once it can be read, or once it is gone.
TEST_F(Unreadable, ReadableAgainOrGoneIsWrittenAgain) {
    struct {
        const char* name;
        std::function<void(TempFolder&, ReadFault&)> mend;
    } const cases[] = {
        {"readable", [](TempFolder&, ReadFault& f) { f.paths.clear(); }},
        {"removed", [](TempFolder& d,
                       ReadFault&) { QFile::remove(platform::DiskPath(d.File("200405.yo2"))); }},
    };
    for (const auto& c : cases) {
        store::ForgetUnreadableFiles();
        ASSERT_TRUE(dir.Write("200405.yo2", kSchedule));
        fault.paths = {dir.File("200405.yo2")};
        YOTEI days[32];
        EXPECT_FALSE(store::LoadMonth(dir.Path(), dir.Path(), 2004, 5, days)) << c.name;
        c.mend(dir, fault);
        if (std::string(c.name) == "readable") {
            EXPECT_TRUE(store::LoadMonth(dir.Path(), dir.Path(), 2004, 5, days)) << c.name;
            EXPECT_EQ(days[1].Text, "old day one");
        }
        days[2].HasText = 1;
        days[2].Text = "two";
        EXPECT_TRUE(store::SaveMonth(dir.Path(), 2004, 5, days)) << c.name;
        EXPECT_NE(Disk("200405.yo2").find("two"), std::string::npos) << c.name;
    }
}

TEST_F(Unreadable, MissingFilesAndFoldersAreNotUnreadable) {
    ASSERT_TRUE(QDir().mkpath(platform::DiskPath(dir.File("2004.ne2"))));
    ASSERT_TRUE(dir.Write("file", "x"));
    YOTEI days[32];
    NEN_YOTEI months[13];
    EXPECT_TRUE(store::LoadMonth(dir.Path(), dir.Path(), 2004, 5, days));
    EXPECT_TRUE(store::ReadYear(dir.Path(), 2004, months));
    EXPECT_FALSE(store::IsUnreadable(dir.File("200405.yo2")));
    // A file in place of the folder, or a name no file system holds.
    EXPECT_TRUE(store::LoadMonth(dir.File("file"), dir.Path(), 2004, 5, days));
    EXPECT_TRUE(store::LoadMonth("/" + std::string(1 << 16, 'x'), dir.Path(), 2004, 5, days));
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(Unreadable, ToldOnlyWhereTheProgramWrites) {
    store::TellUnreadableFiles(false);
    ASSERT_TRUE(dir.Write("200405.yo2", kSchedule));
    fault.paths.insert(dir.File("200405.yo2"));
    YOTEI days[32];
    EXPECT_FALSE(store::LoadMonth(dir.Path(), dir.Path(), 2004, 5, days));
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_TRUE(store::IsUnreadable(dir.File("200405.yo2")));
}

TEST_F(Unreadable, GlobalFormsReportTheMonthAndThePlan) {
    DataIn(dir.Path());
    ASSERT_TRUE(dir.Write("200405.mkf", kMarks));
    ASSERT_TRUE(dir.Write("2004.ne2", kEmpty));
    fault.paths = {dir.File("200405.mkf"), dir.File("2004.ne2")};
    CurYear = 2004;
    CurMonth = 5;
    EXPECT_FALSE(LoadMonthSchedule());
    EXPECT_TRUE(MonthFilesUnreadable(2004, 5));
    EXPECT_FALSE(MonthFilesUnreadable(2004, 6));
    NEN_YOTEI months[13];
    EXPECT_FALSE(YearPlanUnreadable(2004));
    EXPECT_FALSE(ReadYearSchedule(2004, months));
    EXPECT_TRUE(YearPlanUnreadable(2004));
}

}  // namespace
