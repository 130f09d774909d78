#include "year_plan_append.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "cp932.h"
#include "fake_messages.h"
#include "globals.h"
#include "program_test.h"
#include "temp_folder.h"
#include "unreadable_files.h"

using namespace foundation;

namespace {

std::string Plan(const std::string& may) {
    std::string out;
    for (int m = 1; m <= 12; ++m) out += "#S#!\r\n" + (m == 5 ? may : std::string()) + "#E#!\r\n";
    return out;
}

class YearPlanAppend : public ProgramTest {
  protected:
    void SetUp() override { Settings.dat_Path = dat.Path(); }
    TempFolder dat;
    FakeMessages messages;
};

}  // namespace

TEST_F(YearPlanAppend, AppendsOnANewLine) {
    const struct {
        const char* before;  // May's block lines, "" = no plan file
        bool file;
        const char* add;
        const char* after;
    } cases[] = {
        {"", false, "旅行", "旅行\r\n"},
        {"", true, "旅行", "旅行\r\n"},
        {"会議\r\n", true, "旅行", "会議\r\n旅行\r\n"},
        // A plan ending in an empty line ends in a line feed: no further break.
        {"会議\r\n\r\n", true, "旅行\r\n帰宅", "会議\r\n旅行\r\n帰宅\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.after);
        std::remove(dat.File("2004.ne2").c_str());
        if (c.file) dat.Write("2004.ne2", Plan(Sj(c.before)));
        EXPECT_TRUE(AppendToYearPlan(2004, 5, Sj(c.add)));
        EXPECT_EQ(dat.Read("2004.ne2"), Plan(Sj(c.after)));
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(YearPlanAppend, NothingToAddOrNoMonthWritesNothing) {
    EXPECT_FALSE(AppendToYearPlan(2004, 5, ""));
    EXPECT_FALSE(AppendToYearPlan(2004, 0, "a"));
    EXPECT_FALSE(AppendToYearPlan(2004, 13, "a"));
    EXPECT_FALSE(dat.Exists("2004.ne2"));
}

TEST_F(YearPlanAppend, AnUnreadablePlanIsKept) {
    // A file that is there and cannot be read, even by root: a link to memory that gives an I/O
    // error at its start.
    const std::string path = dat.File("2004.ne2");
    ASSERT_EQ(symlink("/proc/self/mem", path.c_str()), 0);
    EXPECT_FALSE(AppendToYearPlan(2004, 5, "x"));
    EXPECT_TRUE(YearPlanUnreadable(2004));
    EXPECT_FALSE(YearPlanUnreadable(2005));
    char target[64] = {};
    ASSERT_GT(readlink(path.c_str(), target, sizeof target - 1), 0);
    EXPECT_STREQ(target, "/proc/self/mem");
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], platform::FromCp932(store::UnreadableMessage(path)));
}
