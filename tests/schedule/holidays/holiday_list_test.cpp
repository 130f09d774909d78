#include "holiday_list.h"

#include <gtest/gtest.h>

#include "cp932.h"

using namespace schedule;

namespace {

const auto kYes = [](int, int) { return true; };
const auto kNo = [](int, int) { return false; };

TEST(HolidayEntry, ParseAndFormat) {
    const struct {
        std::string line;
        int month, day;
        std::string text;
    } cases[] = {
        {" 5, 3,", 5, 3, ""},
        {"12,24," + Sj("クリスマス"), 12, 24, Sj("クリスマス")},
        {" 1, 1," + Sj("初詣,家族"), 1, 1, Sj("初詣,家族")},
        {"5,3,4,5", 5, 3, "4,5"},
        {Sj("５") + "," + Sj("３") + ",", 5, 3, ""},  // full-width digits
        {"5.5,3,", 5, 3, ""},
        {"5,", 0, 0, ""},
        {"99", 0, 0, ""},
        {"", 0, 0, ""},
        {"x,y,z", 0, 0, "z"},
    };
    for (const auto& c : cases) {
        int m = -1, d = -1;
        std::string t = "?";
        ParseEntry(c.line, m, d, t);
        EXPECT_EQ(m, c.month) << c.line;
        EXPECT_EQ(d, c.day) << c.line;
        EXPECT_EQ(t, c.text) << c.line;
    }
    EXPECT_EQ(EntryText(5, 3, ""), " 5, 3,");
    EXPECT_EQ(EntryText(12, 24, "x"), "12,24,x");
}

TEST(HolidayList, LoadKeepsDatesAndDropsDamage) {
    HolidayList list;
    list.Load("12,24,A\r\n 5, 3,\r\n\r\n99\r\nEOF\r\n13,1,\r\n5,40,\r\n5,3,4,5\n" +
              std::string("\x81\x82\xff\x00zz", 6) + "\r\n" + std::string(1 << 20, '7') +
              ",1,\r\n1,1");
    const std::vector<std::string> expected = {" 1, 1,", " 5, 3,", " 5, 3,4,5", "12,24,A"};
    EXPECT_EQ(list.Entries(), expected);
    EXPECT_EQ(list.FileBytes(), " 1, 1,\r\n 5, 3,\r\n 5, 3,4,5\r\n12,24,A\r\n");

    HolidayList empty;
    empty.Load("");
    EXPECT_EQ(empty.FileBytes(), "");
}

TEST(HolidayList, RegisterRules) {
    struct Case {
        const char* what;
        HolidayList::Mode mode;
        int year;
        std::string file;
        int pick;  // -1: none
        int month, day;
        std::string text;
        bool answer;
        HolidayList::RegisterResult result;
        int dayAfter;
        std::string bytes;
    };
    using R = HolidayList::RegisterResult;
    const Case cases[] = {
        {"no month", HolidayList::kHolidays, 2004, "", -1, 0, 3, "", true, R::NoDate, 3, ""},
        {"no day", HolidayList::kHolidays, 2004, "", -1, 5, 0, "", true, R::NoDate, 0, ""},
        {"no text", HolidayList::kAnniversaries, 2004, "", -1, 5, 3, "", true, R::NoText, 3, ""},
        {"31 Feb in 2003", HolidayList::kHolidays, 2003, "", -1, 2, 31, "", true, R::Added, 28,
         " 2,28,\r\n"},
        {"31 Feb in 2004", HolidayList::kHolidays, 2004, "", -1, 2, 31, "", true, R::Added, 29,
         " 2,29,\r\n"},
        {"29 Feb anniversary in 2003", HolidayList::kAnniversaries, 2003, "", -1, 2, 29, "A", true,
         R::Added, 29, " 2,29,A\r\n"},
        {"31 Apr anniversary", HolidayList::kAnniversaries, 2003, "", -1, 4, 31, "A", true,
         R::Added, 30, " 4,30,A\r\n"},
        {"holiday replaced silently", HolidayList::kHolidays, 2004, " 5, 3,4,5\r\n", -1, 5, 3, "",
         false, R::Added, 3, " 5, 3,\r\n"},
        {"anniversary replaced after yes", HolidayList::kAnniversaries, 2004, " 5, 3,A\r\n", -1, 5,
         3, "B", true, R::Added, 3, " 5, 3,B\r\n"},
        {"anniversary kept after no", HolidayList::kAnniversaries, 2004, " 5, 3,A\r\n", -1, 5, 3,
         "B", false, R::Declined, 3, " 5, 3,A\r\n"},
        {"picked, text changed", HolidayList::kAnniversaries, 2004, " 1, 1,X\r\n 5, 3,A\r\n", 1, 5,
         3, "B", false, R::Added, 3, " 1, 1,X\r\n 5, 3,B\r\n"},
        {"picked, month changed", HolidayList::kAnniversaries, 2004, " 5, 3,A\r\n", 0, 6, 3, "A",
         false, R::Added, 3, " 5, 3,A\r\n 6, 3,A\r\n"},
        {"sorted by month then day", HolidayList::kHolidays, 2004, " 5, 3,\r\n12, 1,\r\n", -1, 10,
         9, "", true, R::Added, 9, " 5, 3,\r\n10, 9,\r\n12, 1,\r\n"},
    };
    for (const Case& c : cases) {
        HolidayList list;
        list.ListMode = c.mode;
        list.ListYear = c.year;
        list.Load(c.file);
        if (c.pick >= 0) {
            int m, d;
            std::string t;
            ASSERT_TRUE(list.Pick(c.pick, m, d, t)) << c.what;
        }
        int day = c.day;
        bool asked = false;
        const R r = list.Register(c.month, day, c.text, [&](int, int) {
            asked = true;
            return c.answer;
        });
        EXPECT_EQ(r, c.result) << c.what;
        EXPECT_EQ(day, c.dayAfter) << c.what;
        EXPECT_EQ(list.FileBytes(), c.bytes.empty() ? std::string() : c.bytes) << c.what;
        if (c.mode == HolidayList::kHolidays) {
            EXPECT_FALSE(asked) << c.what;
        }
        EXPECT_EQ(list.EditIndex, r == R::Added ? -1 : (c.pick >= 0 ? c.pick : -1)) << c.what;
    }
}

TEST(HolidayList, DeleteClearsTheEditPosition) {
    HolidayList list;
    list.ListMode = HolidayList::kAnniversaries;
    list.ListYear = 2004;
    list.Load(" 1, 1,A\r\n 5, 3,B\r\n 6, 1,C\r\n");
    int m, d;
    std::string t;
    ASSERT_TRUE(list.Pick(0, m, d, t));
    EXPECT_FALSE(list.Delete(0, kNo));
    EXPECT_EQ(list.Entries().size(), 3u);
    EXPECT_EQ(list.EditIndex, 0);
    ASSERT_TRUE(list.Delete(0, kYes));
    EXPECT_EQ(list.EditIndex, -1);
    // Position 0 now holds 5 May: registering 1 January must not remove it.
    int day = 1;
    EXPECT_EQ(list.Register(1, day, "A", kYes), HolidayList::RegisterResult::Added);
    EXPECT_EQ(list.FileBytes(), " 1, 1,A\r\n 5, 3,B\r\n 6, 1,C\r\n");
    EXPECT_FALSE(list.Delete(7, kYes));
}

}  // namespace
