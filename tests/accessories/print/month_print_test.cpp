#include "month_print.h"

#include <gtest/gtest.h>

#include "cp932.h"
#include "desk_accessories.h"
#include "fake_clock.h"
#include "fake_messages.h"
#include "fake_print_dialog.h"
#include "fonts.h"
#include "globals.h"
#include "pdf_pages.h"
#include "print_job.h"
#include "program_test.h"
#include "recording_canvas.h"
#include "temp_folder.h"

using namespace foundation;
using namespace schedule;
using namespace accessories;

namespace {

class MonthPrintTest : public ProgramTest {
  protected:
    static bool Has(const RecordingCanvas& c, const std::string& op) {
        return std::find(c.ops.begin(), c.ops.end(), op) != c.ops.end();
    }
    static MonthPrint June(int days) {
        MonthPrint m;
        m.stamp = Sj("2004/6/1 現在");
        m.title = Sj("2004年 6月 月間予定表");
        m.markColor = 0x00FFFF;
        for (int d = 1; d <= days; ++d) {
            MonthPrintDay day;
            day.heading = "6/" + std::to_string(d);
            m.days.push_back(day);
        }
        return m;
    }
};

TEST_F(MonthPrintTest, Titles) {
    struct Case {
        int year, month;
        uint8_t wareki;
        const char* title;
    } cases[] = {
        {2004, 6, 0, "2004年 6月 月間予定表"},
        {2004, 12, 0, "2004年 12月 月間予定表"},
        {2004, 6, 1, "平成16年 6月 月間予定表"},
        {1989, 1, 1, "昭和64年 1月 月間予定表"},  // the era of the month's 1st
        {2019, 5, 1, "令和1年 5月 月間予定表"},
    };
    for (const Case& c : cases) {
        INIT settings;
        settings.wareki = c.wareki;
        EXPECT_EQ(platform::Cp932ToUtf8(MonthPrintTitle(c.year, c.month, settings)), c.title);
    }
}

TEST_F(MonthPrintTest, DateStamps) {
    FakeClock clock;
    struct Case {
        int y, m, d;
        bool wareki;
        const char* stamp;
    } cases[] = {
        {2005, 5, 1, false, "2005/5/1 現在"},  {2004, 12, 31, false, "2004/12/31 現在"},
        {2005, 5, 1, true, "平17/5/1 現在"},   {2019, 5, 1, true, "令1/5/1 現在"},
        {2019, 4, 30, true, "平31/4/30 現在"},
    };
    for (const Case& c : cases) {
        clock.Set(c.y, c.m, c.d, 23, 59);
        EXPECT_EQ(platform::Cp932ToUtf8(PrintDateStamp(c.wareki)), c.stamp);
    }
}

TEST_F(MonthPrintTest, FirstPageAtSixHundredDotsPerInch) {
    MonthPrint m = June(30);
    m.days[0].heading = Sj("6/1(火)");
    m.days[0].headingColor = 0x0000FF;
    m.days[0].marked = true;
    m.days[0].text = Sj("会議\r\n歯医者");
    m.days[1].heading = Sj("6/2(水)");
    RecordingCanvas canvas(4960, 7016, 600);
    ASSERT_TRUE(PrintMonthDocument(canvas, m));
    const char* expected[] = {
        // Band from 20 mm to the width less 15 mm; texts from 30 mm.
        "text 472,1,4605,91 9 #000000 RS \"2004/6/1 現在\"",
        "text 472,92,4605,252 16bi #000000 CS \"2004年 6月 月間予定表\"",
        "line 472,253-4605,253 w4",
        "text 472,258,4605,368 11bi #ff0000 LW \"6/1(火)\" on #ffff00",
        "text 708,369,4605,549 9 #000000 LW \"会議\r\n歯医者\"",
        "line 472,550-4605,550 w2",
        // An unmarked day after a marked one: no background.
        "text 472,553,4605,663 11bi #000000 LW \"6/2(水)\"",
    };
    for (const char* op : expected) EXPECT_TRUE(Has(canvas, op)) << op;
    EXPECT_EQ(canvas.Ops("text 472,").size(), 2u + 30u);
    EXPECT_EQ(canvas.Ops("line").size(), 1u + 30u);
    EXPECT_EQ(canvas.ops.back(), "end");
}

TEST_F(MonthPrintTest, PageBreaks) {
    // Blocks from 258; an empty day takes 110 + 1 + 90 + 1 + 3 = 205 dots, so the 4th day's
    // heading starts at 873.
    struct Case {
        const char* name;
        int pageHeight;
        std::vector<const char*> ops;
    } cases[] = {
        {"a heading that does not fit moves with its text",
         984,
         {"text 472,1,4605,111 11bi #000000 LW \"6/4\"", "text 708,112,4605,202 9 #000000 LW \"\"",
          "line 472,203-4605,203 w2", "text 472,206,4605,316 11bi #000000 LW \"6/5\""}},
        {"a text that does not fit moves alone",
         1000,
         {"text 472,873,4605,983 11bi #000000 LW \"6/4\"", "text 708,1,4605,91 9 #000000 LW \"\"",
          "line 472,92-4605,92 w2", "text 472,95,4605,205 11bi #000000 LW \"6/5\""}},
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas(4960, c.pageHeight, 600);
        ASSERT_TRUE(PrintMonthDocument(canvas, June(5)));
        EXPECT_EQ(canvas.pages, 2) << c.name;
        for (const char* op : c.ops) EXPECT_TRUE(Has(canvas, op)) << c.name << ": " << op;
    }
}

TEST_F(MonthPrintTest, ATextTallerThanAPage) {
    MonthPrint m = June(2);
    std::string text;
    for (int i = 0; i < 100; ++i) text += std::to_string(i) + "\r\n";
    m.days[0].text = text;
    RecordingCanvas canvas(4960, 1000, 600);
    ASSERT_TRUE(PrintMonthDocument(canvas, m));
    // Cut to the page height less 5, on a page of its own.
    const auto texts = canvas.Ops("text 708,1,4605,996 9 ");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(Has(canvas, "line 472,997-4605,997 w2"));
    // The next day's heading starts another page.
    EXPECT_TRUE(Has(canvas, "text 472,1,4605,111 11bi #000000 LW \"6/2\""));
    EXPECT_EQ(canvas.pages, 3);
}

TEST_F(MonthPrintTest, APrintThatCannotStart) {
    FakeMessages messages;
    RecordingCanvas canvas(4960, 7016, 600);
    canvas.beginSucceeds = false;
    EXPECT_FALSE(PrintMonthDocument(canvas, June(30)));
    EXPECT_EQ(canvas.ops, std::vector<std::string>{"begin"});
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], QStringLiteral("印刷を開始できません。"));
}

TEST_F(MonthPrintTest, TheMonthAsTheViewShowsIt) {
    FakeClock clock;
    clock.Set(2004, 6, 1, 9, 0);
    CurYear = 2004;
    CurMonth = 6;
    MonthDays[3].Mark = 1;
    MonthDays[3].HasText = 1;
    MonthDays[3].Text = Sj("10:00 会議\r\n歯医者");
    MonthDays[5].Anniversary = Sj("結婚記念日");
    MonthDays[31].Text = Sj("先月の残り");
    Settings.YoubiTitleCol[2] = 0x008000;
    const MonthPrint m = BuildMonthPrint();
    EXPECT_EQ(platform::Cp932ToUtf8(m.stamp), "2004/6/1 現在");
    EXPECT_EQ(platform::Cp932ToUtf8(m.title), "2004年 6月 月間予定表");
    EXPECT_EQ(m.markColor, 0x00FFFFu);
    ASSERT_EQ(m.days.size(), 30u);  // day 31 is not printed
    EXPECT_EQ(platform::Cp932ToUtf8(m.days[0].heading), "6/1(火)");
    EXPECT_EQ(m.days[0].headingColor, 0x008000u);
    EXPECT_EQ(m.days[2].marked, true);
    EXPECT_EQ(m.days[3].marked, false);
    EXPECT_EQ(platform::Cp932ToUtf8(m.days[2].text), "10:00 会議\r\n歯医者");
    EXPECT_EQ(platform::Cp932ToUtf8(m.days[4].heading), "6/5(土)結婚記念日");
    EXPECT_EQ(m.days[5].headingColor, 0x0000FFu);  // a Sunday
    EXPECT_EQ(m.days[29].textColor, 0u);
}

TEST_F(MonthPrintTest, PdfThroughThePrintDialog) {
    platform::InstallFontSubstitutes();
    FakeClock clock;
    clock.Set(2004, 6, 1, 9, 0);
    struct Case {
        const char* name;
        int longDay;  // a day with a hundred lines wider than the page, 0: none
    } cases[] = {{"plain June", 0}, {"a day of a hundred long lines", 12}};
    int plainPages = 0;
    for (const Case& c : cases) {
        const FreshGlobals fresh;
        CurYear = 2004;
        CurMonth = 6;
        MonthDays[1].HasText = 1;
        MonthDays[1].Text = Sj("朝会\r\n歯医者");
        if (c.longDay) {
            std::string text;
            for (int i = 0; i < 100; ++i) text += std::string(300, 'x') + "\r\n";
            MonthDays[c.longDay].Text = text;
        }
        TempFolder tmp;
        const QString pdf = QString::fromStdString(tmp.Path()) + "/month.pdf";
        FakePrintDialog dialog;
        dialog.setUp = FakePrintDialog::Pdf(pdf, 600);
        DeskAccessories accessories;
        accessories.PrintMonth(nullptr);
        pdf_pages::Keep(pdf, QString("month-%1.pdf").arg(c.longDay));
        const int pages = pdf_pages::PageCount(pdf);
        ASSERT_GE(pages, 1) << c.name;
        if (c.longDay == 0)
            plainPages = pages;
        else
            EXPECT_GE(pages, plainPages + 1) << c.name;
        EXPECT_TRUE(pdf_pages::Fonts(pdf).contains("IPAPGothic")) << c.name;
        const QImage page = pdf_pages::Page(pdf, 1);
        // The title's rule runs across the band, 20 mm to 195 mm.
        bool rule = false;
        for (double y = 2; y < 20 && !rule; y += 0.1) {
            bool full = true;
            for (double x = 20.3; x < 195 && full; x += 1) full = pdf_pages::InkAt(page, x, y);
            if (full) {
                rule = true;
                EXPECT_FALSE(pdf_pages::InkAt(page, 19.4, y)) << c.name;
                EXPECT_FALSE(pdf_pages::InkAt(page, 195.6, y)) << c.name;
            }
        }
        EXPECT_TRUE(rule) << c.name;
        // Stamp at the right end of the band; nothing left of 20 mm.
        EXPECT_TRUE(pdf_pages::InkIn(page, 180, 0, 195, 4)) << c.name;
        EXPECT_FALSE(pdf_pages::InkIn(page, 0, 0, 19.5, 290)) << c.name;
    }
}

}  // namespace
