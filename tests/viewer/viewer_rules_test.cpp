#include "viewer_rules.h"

#include <gtest/gtest.h>

#include "cp932.h"

using namespace viewer;

TEST(ViewerArgs, ExactlyFourWithARealYearAndMonth) {
    const QString big(1 << 20, QLatin1Char('9'));
    struct Case {
        QStringList args;
        bool ok;
    } cases[] = {
        {{"taro", "/home/taro", "2004", "5"}, true},
        {{"taro", "/home/taro", "2004"}, false},
        {{"taro", "/home/a", "b", "2004", "5"}, false},
        {{}, false},
        {{"taro", "/home/taro", "2004", "13"}, false},
        {{"taro", "/home/taro", "2004", "0"}, false},
        {{"taro", "/home/taro", "0", "5"}, false},
        {{"taro", "/home/taro", "10000", "5"}, false},
        {{"taro", "/home/taro", "2004x", "5"}, false},
        {{"taro", "/home/taro", big, "5"}, false},
        {{big, big, "2004", "5"}, true},
        {{"taro", "/home/taro", " 2004 ", "05"}, true},
    };
    for (const auto& c : cases) {
        ViewerStart s;
        EXPECT_EQ(ParseViewerArgs(c.args, s), c.ok) << c.args.join('|').left(60).toStdString();
    }
}

TEST(ViewerArgs, NamesAndFoldersWithBlanksAndJapaneseArriveWhole) {
    ViewerStart s;
    ASSERT_TRUE(ParseViewerArgs(
        {QString::fromUtf8("山田 花子"), QString::fromUtf8("/home/予定 表/山田 花子"), "2004", "5"},
        s));
    EXPECT_EQ(s.userName, Sj("山田 花子"));
    EXPECT_EQ(s.folder, Sj("/home/予定 表/山田 花子"));
    EXPECT_EQ(s.year, 2004);
    EXPECT_EQ(s.month, 5);
    EXPECT_EQ(std::string(kViewerUsage), "Usage:u_name  dat_path  now_yy now_mm now_dd");
}

TEST(ViewerRows, CaptionAndHeaders) {
    EXPECT_EQ(ViewerCaption("taro", 2004, 5), Sj("taroさんの 2004年 5月予定を参照中"));
    struct Case {
        int y, m, d;
        const char* caption;
        uint32_t color;
    } cases[] = {
        {2004, 5, 3, "5/3(月) 憲法記念日", 0x0000FF}, {2004, 5, 6, "5/6(木) ", 0x000000},
        {2004, 5, 8, "5/8(土) ", 0xFF0000},           {2004, 5, 9, "5/9(日) ", 0x0000FF},
        {2004, 1, 1, "1/1(木) 元日", 0x0000FF},       {2009, 5, 6, "5/6(水) 振替休日", 0x0000FF},
    };
    for (const auto& c : cases) {
        const ViewerHeader h = MakeViewerHeader(c.y, c.m, c.d);
        EXPECT_EQ(h.caption, Sj(c.caption)) << c.caption;
        EXPECT_EQ(h.color, c.color) << c.caption;
    }
}

TEST(ViewerRows, PrivateLinesAreHiddenWhole) {
    const std::string hidden = Sj("(プライベートスケジュール)");
    struct Case {
        std::string text, shown;
    } cases[] = {
        {Sj("会議 S"), hidden},
        {"S", hidden},
        {"Sunday", "Sunday"},
        {Sj("Ｓ"), Sj("Ｓ")},  // a full-width S is no mark
        {"a\r\n" + std::string(300, 'x') + "S\r\nc", "a\r\n" + hidden + "\r\nc"},
        {"a\r\n\r\nbS\r\n", "a\r\n\r\n" + hidden + "\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(HidePrivateLines(c.text), c.shown) << c.text;
}

TEST(ViewerRows, MonthSteps) {
    struct Case {
        int y, m, delta, ey, em;
        bool ok;
    } cases[] = {
        {2004, 1, -1, 2003, 12, true}, {2003, 12, 1, 2004, 1, true},   {2004, 5, 1, 2004, 6, true},
        {1, 1, -1, 1, 1, false},       {9999, 12, 1, 9999, 12, false},
    };
    for (const auto& c : cases) {
        int y = c.y, m = c.m;
        EXPECT_EQ(StepMonth(y, m, c.delta), c.ok);
        EXPECT_EQ(y, c.ey);
        EXPECT_EQ(m, c.em);
    }
}

TEST(ViewerRows, LongLinesAreCutForShowing) {
    const std::string dots = Sj("…");
    struct Case {
        std::string text, shown;
    } cases[] = {
        {"abcd\r\nxy", "abcd\r\nxy"},
        {"abcdef\r\nxy", "abcd" + dots + "\r\nxy"},
        {"abc" + Sj("表") + "z", "abc" + dots},  // never half a character
        {"ab" + Sj("表表"), "ab" + Sj("表") + dots},
        {"\r\n\r\n", "\r\n\r\n"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(CutLongLines(c.text, 4), c.shown) << c.text;
}
