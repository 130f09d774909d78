#include "date_caption.h"

#include <gtest/gtest.h>

#include "calendar_rules.h"
#include "cp932.h"
#include "globals.h"
#include "month_grid.h"
#include "program_test.h"

using namespace foundation;
using namespace schedule;

namespace {

struct CaptionCase {
    const char* label;
    int year, month, day;
    int wareki, roku, syuuNoDsp, stYoubiNo;
    const char* anniversary;
    const char* expected;  // UTF-8
};

std::string Caption(const CaptionCase& c) {
    INIT s;
    s.wareki = c.wareki;
    s.roku = c.roku;
    s.syuuNoDsp = c.syuuNoDsp;
    s.StYoubiNo = c.stYoubiNo;
    return DateCaptionText(c.year, c.month, c.day, WeekdayKanji(WeekdayOf(c.year, c.month, c.day)),
                           s, Sj(c.anniversary));
}

TEST(DateCaption, Texts) {
    const CaptionCase cases[] = {
        {"holiday", 2004, 5, 3, 0, 0, 0, 0, "", "2004/5/3(月) 憲法記念日"},
        {"week number", 2004, 5, 3, 0, 0, 1, 0, "", "2004/5/3(月第19週) 憲法記念日"},
        {"plain day keeps the blank", 2004, 5, 6, 0, 0, 0, 0, "", "2004/5/6(木) "},
        {"week from Monday", 2004, 5, 2, 0, 0, 1, 1, "", "2004/5/2(日第18週) "},
        {"week from Sunday", 2004, 5, 2, 0, 0, 1, 0, "", "2004/5/2(日第19週) "},
        {"era year", 2004, 5, 3, 1, 0, 0, 0, "", "平成16/5/3(月) 憲法記念日"},
        {"substitute holiday and anniversary", 2006, 1, 2, 0, 0, 0, 0, "創立記念日",
         "2006/1/2(月) 振替休日,創立記念日"},
        {"anniversary alone", 2004, 5, 6, 0, 0, 0, 0, "結婚記念日", "2004/5/6(木) 結婚記念日"},
        {"rokuyo outside the table", 2013, 1, 1, 0, 1, 0, 0, "", "2013/1/1(火) 元日"},
        {"rokuyo outside the table with week", 2013, 1, 1, 0, 1, 1, 0, "",
         "2013/1/1(火第1週) 元日"},
        {"no leading zeros", 2004, 10, 11, 0, 0, 0, 0, "", "2004/10/11(月) 体育の日"},
    };
    for (const auto& c : cases) EXPECT_EQ(Caption(c), Sj(c.expected)) << c.label;
}

TEST(DateCaption, RokuyoInsideTheTable) {
    std::string name;
    RokuyoName(2004, 5, 3, name);
    ASSERT_FALSE(name.empty());
    CaptionCase alone{"", 2004, 5, 3, 0, 1, 0, 0, "", ""};
    CaptionCase both{"", 2004, 5, 3, 0, 1, 1, 0, "", ""};
    EXPECT_EQ(Caption(alone), Sj("2004/5/3(月･") + name + Sj(") 憲法記念日"));
    EXPECT_EQ(Caption(both), Sj("2004/5/3(月･") + name + Sj("･第19週) 憲法記念日"));
}

TEST(DateCaption, GlobalFormTakesTheAnniversaryOfTheDay) {
    const FreshGlobals fresh;
    MonthDays[3].Anniversary = Sj("記念");
    EXPECT_EQ(DateCaptionText(2004, 5, 3, Sj("月")), Sj("2004/5/3(月) 憲法記念日,記念"));
}

}  // namespace
