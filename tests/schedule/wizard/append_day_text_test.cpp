#include "append_day_text.h"

#include <gtest/gtest.h>

#include <QDir>
#include <map>

#include "cp932.h"
#include "fake_messages.h"
#include "globals.h"
#include "paths.h"
#include "program_test.h"
#include "read_fault.h"
#include "temp_folder.h"

using namespace foundation;
using namespace schedule;

namespace {

// A month file whose listed days hold the given lines (CP932, CR LF between lines).
std::string MonthBytes(const std::map<int, std::string>& days) {
    std::string out;
    for (int d = 1; d <= 31; ++d) {
        out += "#S#!\r\n";
        if (auto it = days.find(d); it != days.end()) out += it->second + "\r\n";
        out += "#E#!\r\n";
    }
    return out;
}

class AppendDay : public ProgramTest {
  protected:
    void SetUp() override {
        DataIn(dat.Path());
        CurYear = 2004;
        CurMonth = 5;
        CurDay = 3;
    }

    TempFolder dat;
    FakeMessages messages;
};

TEST_F(AppendDay, AppendsToTheDayAndPutsTheDateBack) {
    struct Case {
        std::string before;  // "" = no file
        std::string text;
        std::string after;
    } cases[] = {
        {"", Sj("会議\r\n"), MonthBytes({{10, Sj("会議\r\n")}})},
        {MonthBytes({{10, "a"}}), "b", MonthBytes({{10, "a\r\nb"}})},
        {MonthBytes({{10, "a"}}), "b\r\n", MonthBytes({{10, "a\r\nb\r\n"}})},
        {MonthBytes({{10, "a\r\n"}}), "b", MonthBytes({{10, "a\r\nb"}})},
        {MonthBytes({{9, "x"}, {11, "y"}}), "z", MonthBytes({{9, "x"}, {10, "z"}, {11, "y"}})},
    };
    for (const Case& c : cases) {
        QDir(platform::DiskPath(dat.Path())).remove(QStringLiteral("202602.yo2"));
        if (!c.before.empty()) {
            ASSERT_TRUE(dat.Write("202602.yo2", c.before));
        }
        EXPECT_TRUE(AppendDayText(2026, 2, c.text, 10));
        EXPECT_EQ(dat.Read("202602.yo2"), c.after) << c.text;
        EXPECT_EQ(CurYear, 2004);
        EXPECT_EQ(CurMonth, 5);
        EXPECT_EQ(CurDay, 3);
        EXPECT_EQ(MonthDays[10].HasText, 1);  // the month written stays loaded
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AppendDay, KeepsTheMarksOfTheMonth) {
    std::string marks;
    for (int d = 1; d <= 31; ++d) marks += d == 7 ? "1\r\n" : "0\r\n";
    ASSERT_TRUE(dat.Write("202603.mkf", marks));
    EXPECT_TRUE(AppendDayText(2026, 3, "x", 1));
    EXPECT_EQ(dat.Read("202603.mkf"), marks);
}

TEST_F(AppendDay, AMissingFolderStopsTheRun) {
    Settings.dat_Path = dat.File("missing");
    const std::vector<WizardDate> dates{{2026, 1, 31}, {2026, 2, 1}};
    EXPECT_FALSE(AppendToDates(dates, "x"));
    EXPECT_EQ(
        messages.Texts(),
        std::vector<QString>{QString::fromUtf8("予定を格納するディレクトリが見つかりません。")});
    EXPECT_EQ(CurYear, 2004);
}

TEST_F(AppendDay, AnUnreadableMonthIsNeverReplaced) {
    const std::string january = MonthBytes({{1, "keep"}});
    ASSERT_TRUE(dat.Write("202602.yo2", january));
    ReadFault fault;
    fault.paths = {dat.File("202602.yo2")};
    const std::vector<WizardDate> dates{{2026, 1, 31}, {2026, 2, 1}, {2026, 3, 1}};
    EXPECT_FALSE(AppendToDates(dates, "x"));
    fault.on = false;
    EXPECT_EQ(dat.Read("202602.yo2"), january);
    EXPECT_EQ(dat.Read("202601.yo2"), MonthBytes({{31, "x"}}));  // written before
    EXPECT_FALSE(dat.Exists("202603.yo2"));                      // never reached
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(AppendDay, AnUnreadableMarkFileIsNeverReplaced) {
    ASSERT_TRUE(dat.Write("202602.mkf", "1\r\n"));
    ReadFault fault;
    fault.paths = {dat.File("202602.mkf")};
    EXPECT_FALSE(AppendDayText(2026, 2, "x", 1));
    fault.on = false;
    EXPECT_EQ(dat.Read("202602.mkf"), "1\r\n");
    EXPECT_FALSE(dat.Exists("202602.yo2"));
}

TEST_F(AppendDay, AFolderInPlaceOfTheMonthFileFails) {
    ASSERT_TRUE(QDir().mkpath(platform::DiskPath(dat.File("202602.yo2"))));
    EXPECT_FALSE(AppendDayText(2026, 2, "x", 1));
    EXPECT_EQ(messages.shown.size(), 1u);
}

}  // namespace
