#include "day_text.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>

#include "cp932.h"
#include "date_time.h"
#include "day_text_memo.h"
#include "fake_clock.h"

using namespace foundation;

TEST(DayText, NormalizeTimeHead) {
    struct Case {
        std::string line;
        bool timed;
        std::string key;
    } cases[] = {
        {"12:00", true, "12:00 "},
        {"9:30 x", true, " 9:30 x "},
        {"@9:05 a", true, " 9:05 a@"},
        {"@12:00", true, "12:00@"},
        {"1:", true, " 1: "},
        {"ab:c", true, "ab:c "},  // a three-character head is taken as it stands
        {":30", false, ""},
        {"123:00", false, ""},
        {"@123:00", false, ""},
        {"a:b", false, ""},  // no digit: untimed, so the sort keeps every character
        {"@a:b", false, ""},
        {"@:30", false, ""},
        {"memo", false, ""},
        {"1", false, ""},
        {"", false, ""},
    };
    for (const auto& c : cases) {
        std::string key = "unchanged";
        EXPECT_EQ(NormalizeTimeHead(c.line, key), c.timed) << c.line;
        if (c.timed) {
            EXPECT_EQ(key, c.key) << c.line;
        }
    }
}

TEST(DayText, SortTextByTime) {
    struct Case {
        std::string text;
        std::string sorted;
    } cases[] = {
        {"memo\r\n13:00 b\r\n@9:05 a\r\n10:00 c", "@ 9:05 a\r\n10:00 c\r\n13:00 b\r\nmemo\r\n"},
        {"", ""},
        {"12:00", "12:00\r\n"},
        {"10:00 a\r\n9:30 b\r\n", " 9:30 b\r\n10:00 a\r\n"},
        {"9:5 y\r\n9:10 x\r\n", " 9:10 x\r\n 9:5 y\r\n"},  // minutes compare as text
        {"a:b\r\n10:00 c\r\n", "10:00 c\r\na:b\r\n"},
        {"10:00 B\r\n10:00 a\r\n", "10:00 a\r\n10:00 B\r\n"},    // case ignored
        {"10:00 x\r\n10:00 X\r\n", "10:00 x\r\n10:00 X\r\n"},    // equal keys keep order
        {"@10:00 a\r\n10:00 a\r\n", "10:00 a\r\n@10:00 a\r\n"},  // plain before event
        {"memo\r\n\r\nz\r\n10:00 c\r\n", "10:00 c\r\nmemo\r\n\r\nz\r\n"},
        {"b\n1:00 a", " 1:00 a\r\nb\r\n"},
        {"@ 9:05 a\r\n", "@ 9:05 a\r\n"},  // a sorted text sorts to itself
        // Bytes compare unsigned: double-byte text after ASCII.
        {"10:00 " + Sj("会議") + "\r\n10:00 b\r\n", "10:00 b\r\n10:00 " + Sj("会議") + "\r\n"},
        // Trail bytes are not case-folded: 0x83 0x41 stays before 0x83 0x61.
        {"1:00 \x83\x61\r\n1:00 \x83\x41\r\n", " 1:00 \x83\x41\r\n 1:00 \x83\x61\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(SortTextByTime(c.text), c.sorted) << c.text;
}

TEST(DayText, CheckAlarmLine) {
    struct Case {
        std::string line;
        bool malformed;
        std::string after;
    } cases[] = {
        {"@24:59 x", false, "@24:59 x"},
        {"@ 7: 5 x", false, "@07:05 x"},
        {"@ :30 x", false, "@0:30 x"},
        {"@9:  x", false, "@9:0 x"},
        {"@0:00 x", false, "@0:00 x"},
        {"@9:5 x", false, "@9:5 x"},
        {"@9:00-10:00 x", false, "@9:00-10:00 x"},
        {"@9:00 ^/usr/bin/prog", false, "@9:00 ^/usr/bin/prog"},
        {"@25:00 x", true, "@25:00 x"},
        {"@9:60 x", true, "@9:60 x"},
        {"@9:00", true, "@9:00"},
        {"@:30 x", true, "@:30 x"},
        {"@ab:30 x", true, "@ab:30 x"},
        {"@9:ab x", true, "@9:ab x"},
        {"@-1:00 x", true, "@-1:00 x"},
        {"@9 x", true, "@9 x"},
        {"@9: x", true, "@9: x"},
        {"@99999999999:00 x", true, "@99999999999:00 x"},
        // A malformed line keeps its blanks, so the format message quotes what was typed.
        {"@ 9:ab x", true, "@ 9:ab x"},
        {"9:00 x", true, "9:00 x"},
        {"", true, ""},
        {"@", true, "@"},
    };
    for (const auto& c : cases) {
        std::string line = c.line;
        EXPECT_EQ(CheckAlarmLine(line), c.malformed) << c.line;
        EXPECT_EQ(line, c.after) << c.line;
    }
}

TEST(DayText, AlarmLeadTime) {
    struct Case {
        int hour, minute, lead, outHour, outMinute;
    } cases[] = {
        {0, 5, 10, 23, 55},  {12, 0, 0, 12, 0},          {0, 10, 15, 23, 55}, {9, 30, 30, 9, 0},
        {23, 59, -1, 0, 0},  {24, 0, 0, 0, 0},           {24, 30, 10, 0, 20}, {0, 0, 1440, 0, 0},
        {1, 0, 3000, 23, 0}, {0, 0, 2147483647, 21, 53},
    };
    for (const auto& c : cases) {
        int h = -1, m = -1;
        AlarmLeadTime(c.hour, c.minute, c.lead, h, m);
        EXPECT_EQ(h, c.outHour) << c.hour << ":" << c.minute << " - " << c.lead;
        EXPECT_EQ(m, c.outMinute) << c.hour << ":" << c.minute << " - " << c.lead;
    }
}

TEST(DayText, IsNowHourMinuteIgnoresSeconds) {
    FakeClock clock;
    clock.Set(2004, 5, 1, 9, 30, 59);
    EXPECT_TRUE(IsNowHourMinute(9, 30));
    EXPECT_FALSE(IsNowHourMinute(9, 31));
    EXPECT_FALSE(IsNowHourMinute(21, 30));
    clock.Advance(1000);
    EXPECT_TRUE(IsNowHourMinute(9, 31));
}

TEST(DayText, MinutesFromNowIsAbsolute) {
    FakeClock clock;
    clock.Set(2004, 5, 1, 9, 0, 0);
    const TDateTime day = EncodeDate(2004, 5, 1);
    EXPECT_NEAR(MinutesFromNow(day + EncodeTime(9, 3, 0, 0)), 3.0, 1e-6);
    EXPECT_NEAR(MinutesFromNow(day + EncodeTime(8, 57, 0, 0)), 3.0, 1e-6);
    EXPECT_NEAR(MinutesFromNow(day + EncodeTime(9, 0, 30, 0)), 0.5, 1e-6);
    EXPECT_NEAR(MinutesFromNow(EncodeDate(2004, 4, 30) + EncodeTime(9, 0, 0, 0)), 1440.0, 1e-6);
}

TEST(DayText, IsPrivateLine) {
    struct Case {
        std::string line;
        bool isPrivate;
    } cases[] = {
        {Sj("会議S"), true},
        {"S", true},
        {Sj("ｿS"), true},     // half-width katakana is
                              // single-byte
        {"\x83\x83S", true},  // 0x83 before S is a trail byte here
        {Sj("ゴ"), false},    // 0x83 0x53
        {Sj("会議ゴ"), false},
        {Sj("ＳＳ"), false},
        {"s", false},
        {"xS ", false},
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsPrivateLine(c.line), c.isPrivate) << c.line;
}

TEST(DayTextMemo, SortIsOneUndoStepAndLeavesClipboard) {
    const QString before = QString::fromUtf8("memo\n13:00 b\n@9:05 会議\n10:00 c");
    QPlainTextEdit memo;
    memo.setPlainText(before);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("keep me");

    SortLinesByTime(&memo);
    EXPECT_EQ(memo.toPlainText(), QString::fromUtf8("@ 9:05 会議\n10:00 c\n13:00 b\nmemo\n"));
    EXPECT_EQ(clipboard->text(), "keep me");

    memo.undo();
    EXPECT_EQ(memo.toPlainText(), before);
}

TEST(DayTextMemo, SortKeepsLinesAsTypedAndAnOrderedTextUnedited) {
    struct Case {
        const char* text;
        const char* sorted;
        bool edited;
    } cases[] = {
        // Characters CP932 cannot hold stay until the day is stored and asks about them.
        {"b\xF0\x9F\x98\x80\n@9:05 \xE3\x80\x9C\xE2\x99\xA1\n10:00 \xF0\xA0\xAE\xB7",
         "@ 9:05 \xE3\x80\x9C\xE2\x99\xA1\n10:00 \xF0\xA0\xAE\xB7\nb\xF0\x9F\x98\x80\n", true},
        {"\xE2\x99\xA1\n1:00 a\n\xF0\x9F\x98\x80", " 1:00 a\n\xE2\x99\xA1\n\xF0\x9F\x98\x80\n",
         true},
        {"10:00 a\nmemo\n", "10:00 a\nmemo\n", false},
    };
    for (const Case& c : cases) {
        QPlainTextEdit memo;
        memo.setPlainText(QString::fromUtf8(c.text));
        memo.document()->setModified(false);
        SortLinesByTime(&memo);
        EXPECT_EQ(memo.toPlainText(), QString::fromUtf8(c.sorted)) << c.text;
        EXPECT_EQ(memo.document()->isModified(), c.edited) << c.text;
    }
}

TEST(DayTextMemo, EmptyOrReadOnlyMemoIsLeftAlone) {
    QPlainTextEdit empty;
    SortLinesByTime(&empty);
    EXPECT_TRUE(empty.toPlainText().isEmpty());
    EXPECT_FALSE(empty.document()->isUndoAvailable());

    QPlainTextEdit readOnly;
    readOnly.setPlainText("b\n1:00 a");
    readOnly.setReadOnly(true);
    SortLinesByTime(&readOnly);
    EXPECT_EQ(readOnly.toPlainText(), "b\n1:00 a");

    SortLinesByTime(static_cast<QPlainTextEdit*>(nullptr));
}
