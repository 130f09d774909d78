#include "search_core.h"

#include <gtest/gtest.h>

#include "cp932.h"

using namespace foundation;
using namespace schedule;

namespace {

TEST(SearchWordsChoice, OneBoxGivesTheWordTwice) {
    struct Case {
        const char *ken, *ken2;
        bool ok;
        const char *first, *second;
        bool two;
        const char* caption;
    } cases[] = {
        {"", "", false, "", "", false, ""},
        {"会議", "", true, "会議", "会議", false, "「会議」の検索結果："},
        {"", "会議", true, "会議", "会議", false, "「会議」の検索結果："},
        {"会議", "本社", true, "会議", "本社", true, "「会議」and「本社」の検索結果："},
    };
    for (const Case& c : cases) {
        SearchWords w;
        ASSERT_EQ(ChooseWords(Sj(c.ken), Sj(c.ken2), w), c.ok) << c.ken << "|" << c.ken2;
        if (!c.ok) continue;
        EXPECT_EQ(w.first, Sj(c.first));
        EXPECT_EQ(w.second, Sj(c.second));
        EXPECT_EQ(w.two, c.two);
        EXPECT_EQ(ResultCaption(w), Sj(c.caption));
    }
}

TEST(SearchPeriodBoxes, NumbersOfRealMonthsOnly) {
    struct Case {
        const char *yy, *mm, *yy2, *mm2;
        bool ok;
        SearchPeriod p;
    } cases[] = {
        {"2009", "3", "2009", "10", true, {2009, 3, 2009, 10}},
        {"2009", "10", "2009", "3", true, {2009, 10, 2009, 3}},  // visits nothing
        {"2010", "3", "2009", "11", true, {2009, 11, 2010, 3}},
        {" 2009 ", "3", "2009", "4", true, {2009, 3, 2009, 4}},
        {"2009", "13", "2009", "4", false, {}},
        {"2009", "0", "2009", "4", false, {}},
        {"abc", "3", "2009", "4", false, {}},
        {"", "3", "2009", "4", false, {}},
        {"2009", "3", "2009", "4x", false, {}},
        {"0", "3", "2009", "4", false, {}},
        {"99999999999", "3", "2009", "4", false, {}},
        {"２００９", "3", "2009", "4", false, {}},
    };
    for (const Case& c : cases) {
        SearchPeriod p;
        ASSERT_EQ(ParsePeriod(Sj(c.yy), Sj(c.mm), Sj(c.yy2), Sj(c.mm2), p), c.ok) << c.yy << c.mm;
        if (!c.ok) continue;
        EXPECT_EQ(p.year, c.p.year);
        EXPECT_EQ(p.month, c.p.month);
        EXPECT_EQ(p.year2, c.p.year2);
        EXPECT_EQ(p.month2, c.p.month2);
    }
}

TEST(SearchLines, ResultLinesAsListed) {
    EXPECT_EQ(ScheduleHitLine(2009, 3, 5, Sj("会議 10:00")), Sj("2009/ 3/ 5 :会議 10:00"));
    EXPECT_EQ(ScheduleHitLine(2010, 12, 25, "x"), "2010/12/25 :x");
    EXPECT_EQ(MemoLineHitLine(Sj("買物"), Sj("牛乳を買う")), Sj("メモ【買物】:牛乳を買う"));
    EXPECT_EQ(MemoNameHitLine(Sj("買物")), Sj("メモ【買物】"));
    EXPECT_EQ(ToDoHitLine(Sj("見積"), Sj("A社"), "2009/03/05"),
              Sj("ToDo : 見積【A社】 <2009/03/05>"));
    EXPECT_EQ(ToDoHitLine("x", "", "2009/03/05"), Sj("ToDo : x【】 <2009/03/05>"));
}

TEST(SearchLines, DetailTexts) {
    SearchHit day;
    day.line = ScheduleHitLine(2009, 3, 5, "x");
    EXPECT_EQ(ScheduleDetail(day, Sj("会議\r\n昼食")),
              Sj("【検索結果の詳細 (2009/ 3/ 5の予定)】\r\n会議\r\n昼食"));
    SearchHit memo;
    memo.title = Sj("買物");
    EXPECT_EQ(MemoDetail(memo, "a\r\nb"), Sj("【検索結果の詳細 メモ:「買物」】\r\n\r\na\r\nb"));
    memo.title.clear();  // a name hit
    EXPECT_EQ(MemoDetail(memo, ""), Sj("【検索結果の詳細 メモ:「」】\r\n\r\n"));
}

TEST(SearchLines, SplitAtEveryKindOfLineEnd) {
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitLines(""), V{""});
    EXPECT_EQ(SplitLines("a"), V{"a"});
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n"), (V{"a", ""}));
    EXPECT_EQ(SplitLines("a\n\nb"), (V{"a", "", "b"}));
    EXPECT_EQ(SplitLines("a\r\rb"), (V{"a", "", "b"}));
}

}  // namespace
