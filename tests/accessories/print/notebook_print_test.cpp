#include "notebook_print.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "cp932.h"
#include "desk_accessories.h"
#include "fake_messages.h"
#include "fake_print_dialog.h"
#include "fonts.h"
#include "globals.h"
#include "pdf_pages.h"
#include "program_test.h"
#include "recording_canvas.h"
#include "temp_folder.h"

using namespace foundation;
using namespace schedule;
using namespace accessories;

namespace {

class NotebookPrintTest : public ProgramTest {
  protected:
    void SetUp() override { platform::InstallFontSubstitutes(); }

    static void Month(int year, int month) {
        CurYear = static_cast<uint16_t>(year);
        CurMonth = static_cast<uint16_t>(month);
        for (YOTEI& d : MonthDays) d = YOTEI();
    }
    // 600 dots per inch on an A4 sheet.
    static RecordingCanvas Canvas() { return RecordingCanvas(4960, 7016, 600); }
    static int Count(const std::vector<std::string>& ops, const std::string& part) {
        return static_cast<int>(std::count_if(ops.begin(), ops.end(), [&](const std::string& op) {
            return op.find(part) != std::string::npos;
        }));
    }
    static bool Has(const RecordingCanvas& c, const std::string& op) {
        return std::find(c.ops.begin(), c.ops.end(), op) != c.ops.end();
    }
};

TEST_F(NotebookPrintTest, DayHeadings) {
    struct Case {
        int y, m, d;
        uint8_t roku, syuu, start;
        const char* anniversary;
        uint8_t userHoliday;
        const char* text;
        uint32_t color;
    } cases[] = {
        {2004, 5, 7, 0, 0, 0, "", 0, "5/7(金) ", 0x000000},
        {2004, 5, 3, 0, 0, 0, "", 0, "5/3(月) 憲法記念日", 0x0000FF},
        {2004, 5, 3, 0, 0, 0, "結婚記念日", 0, "5/3(月) 憲法記念日,結婚記念日", 0x0000FF},
        {2004, 5, 6, 0, 0, 0, "結婚記念日", 0, "5/6(木) 結婚記念日", 0x000000},
        {2004, 5, 3, 1, 1, 1, "", 0, "5/3(月･大安･第19週) 憲法記念日", 0x0000FF},
        {2004, 5, 3, 0, 1, 1, "", 0, "5/3(月第19週) 憲法記念日", 0x0000FF},
        // Week numbers only on the week's first day.
        {2004, 5, 3, 0, 1, 0, "", 0, "5/3(月) 憲法記念日", 0x0000FF},
        {2004, 5, 2, 0, 1, 0, "", 0, "5/2(日第19週) ", 0x0000FF},
        {2004, 5, 8, 0, 0, 0, "", 0, "5/8(土) ", 0xFF0000},
        // A user holiday wins over the holiday colour.
        {2004, 5, 3, 0, 0, 0, "", 1, "5/3(月) 憲法記念日", 0xFF00FF},
        {2004, 5, 5, 0, 0, 0, "", 1, "5/5(水) こどもの日", 0xFF00FF},
    };
    for (const Case& c : cases) {
        INIT settings;
        settings.roku = c.roku;
        settings.syuuNoDsp = c.syuu;
        settings.StYoubiNo = c.start;
        YOTEI entry;
        entry.Anniversary = Sj(c.anniversary);
        entry.UserHoliday = c.userHoliday;
        const NotebookHeading h = NotebookDayHeading(c.y, c.m, c.d, entry, settings);
        EXPECT_EQ(platform::Cp932ToUtf8(h.text), c.text) << c.m << "/" << c.d;
        EXPECT_EQ(h.color, c.color) << c.text;
    }
}

TEST_F(NotebookPrintTest, PageTitles) {
    INIT settings;
    EXPECT_EQ(platform::Cp932ToUtf8(NotebookPageTitle(2004, 6, settings)), "2004年 6月予定表");
    settings.wareki = 1;
    EXPECT_EQ(platform::Cp932ToUtf8(NotebookPageTitle(2004, 6, settings)), "平成16年 6月予定表");
    EXPECT_EQ(platform::Cp932ToUtf8(NotebookPageTitle(2019, 5, settings)), "令和1年 5月予定表");
}

TEST_F(NotebookPrintTest, SheetsAndPagesOfAMonth) {
    struct Case {
        int year, month;
        int sheets;  // sheets printed
        int pages;   // page headers drawn
    } cases[] = {
        {2004, 6, 3, 5},   // Tuesday 1st, ends on a Wednesday
        {2004, 8, 3, 6},   // the 1st alone on the first page
        {2010, 2, 2, 4},   // Monday to Sunday, four weeks: no empty third sheet
        {2009, 2, 3, 5},   // Sunday 1st, ends on a Saturday
        {2004, 10, 3, 6},  // ends on a Sunday on a left page: the right page's header follows
        {2004, 2, 3, 6},   // leap February, the 29th a Sunday on a left page
    };
    for (const Case& c : cases) {
        Month(c.year, c.month);
        RecordingCanvas canvas = Canvas();
        Tspr notebook(canvas);
        ASSERT_TRUE(notebook.PrintMonthNotebook());
        EXPECT_EQ(canvas.pages, c.sheets) << c.year << "/" << c.month;
        EXPECT_EQ(Count(canvas.ops, "予定表"), c.pages) << c.year << "/" << c.month;
        // Trim marks: six crosses and two triangles on every sheet.
        EXPECT_EQ(Count(canvas.ops, "line 141,354-283,354 w1"), c.sheets);
        EXPECT_EQ(canvas.ops.front(), "begin");
        EXPECT_EQ(canvas.ops.back(), "end");
    }
}

TEST_F(NotebookPrintTest, FirstPageAtSixHundredDotsPerInch) {
    Month(2004, 8);
    MonthDays[1].HasText = 1;
    MonthDays[1].Text = Sj("会議");
    MonthDays[1].Mark = 1;
    RecordingCanvas canvas = Canvas();
    Tspr notebook(canvas);
    ASSERT_TRUE(notebook.PrintMonthNotebook());
    const char* expected[] = {
        // Left page: title centred from 12 to 92 mm at 25 mm, rule 2 dots below it.
        "text 283,590,2173,700 11bi #000000 CS \"2004年 8月予定表\"",
        "line 283,702-2173,702 w4",
        "line 283,767-2173,767 w1",    // 32.5 mm
        "line 283,3744-2173,3744 w1",  // 158.5 mm
        "line 283,4240-2173,4240 w3",  // 179.5 mm
        // Crosses at 9 mm and 199 mm on 15 mm and 186 mm.
        "line 141,354-283,354 w1",
        "line 212,283-212,425 w1",
        "line 4629,4393-4771,4393 w1",
        "line 4700,4322-4700,4464 w1",
        // Triangle with its tip at 104 mm, 100.5 mm.
        "line 2456,2374-2409,2350 w1",
        "line 2456,2374-2409,2397 w1",
        "line 2409,2350-2409,2397 w1",
        // Sunday the 1st in the bottom row; the heading on the mark colour.
        "text 283,3745,2054,3835 9bi #ff0000 LW \"8/1(日) \" on #ffff00",
        "text 401,3835,2172,4241 7 #000000 LW \"会議\"",
        // The right page: 107 to 187 mm.
        "text 2527,590,4417,700 11bi #000000 CS \"2004年 8月予定表\"",
        "line 2527,767-4417,767 w1",
    };
    for (const char* op : expected) EXPECT_TRUE(Has(canvas, op)) << op;
    // The 2nd (a Monday) heads the right page's first row.
    EXPECT_TRUE(Has(canvas, "text 2527,768,4298,858 9bi #000000 LW \"8/2(月) \""));
}

TEST_F(NotebookPrintTest, ADayTextIsCutAtItsRow) {
    Month(2004, 8);
    std::string text;
    for (int i = 0; i < 100; ++i) text += Sj("長い予定の行\r\n");
    MonthDays[3].HasText = 1;
    MonthDays[3].Text = text;
    RecordingCanvas canvas = Canvas();
    Tspr notebook(canvas);
    ASSERT_TRUE(notebook.PrintMonthNotebook());
    // Tuesday the 3rd: row 1 from 53.5 mm (1263); its text ends 1 dot below the next line.
    const auto texts = canvas.Ops("text 2645,1354,4416,1760 7 #000000 LW \"長い予定の行");
    ASSERT_EQ(texts.size(), 1u);
}

TEST_F(NotebookPrintTest, APrintThatCannotStart) {
    FakeMessages messages;
    Month(2004, 8);
    RecordingCanvas canvas = Canvas();
    canvas.beginSucceeds = false;
    Tspr notebook(canvas);
    EXPECT_FALSE(notebook.PrintMonthNotebook());
    EXPECT_EQ(canvas.ops, std::vector<std::string>{"begin"});
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], QStringLiteral("印刷を開始できません。"));
}

TEST_F(NotebookPrintTest, PdfOfTheMonthThroughThePrintDialog) {
    struct Case {
        int year, month, pages;
    } cases[] = {{2004, 6, 3}, {2004, 8, 3}, {2010, 2, 2}};
    for (const Case& c : cases) {
        TempFolder tmp;
        const QString pdf = QString::fromStdString(tmp.Path()) + "/notebook.pdf";
        FakePrintDialog dialog;
        dialog.setUp = FakePrintDialog::Pdf(pdf, 600);
        Month(c.year, c.month);
        MonthDays[1].HasText = 1;
        MonthDays[1].Text = Sj("朝会\r\n歯医者");
        DeskAccessories accessories;
        accessories.PrintNotebook(nullptr);
        EXPECT_EQ(dialog.asked, 1);
        pdf_pages::Keep(pdf, QString("notebook-%1-%2.pdf").arg(c.year).arg(c.month));
        ASSERT_EQ(pdf_pages::PageCount(pdf), c.pages) << c.year << "/" << c.month;
        EXPECT_TRUE(pdf_pages::Fonts(pdf).contains("IPAPGothic"));

        const QImage page = pdf_pages::Page(pdf, 1);
        ASSERT_EQ(page.width(), 2100);
        ASSERT_NEAR(page.height(), 2970, 1);
        using pdf_pages::InkAt;
        // Crosses: arms 3 mm each way.
        for (double x : {9.0, 104.0, 199.0})
            for (double y : {15.0, 186.0}) {
                EXPECT_TRUE(InkAt(page, x - 2.5, y)) << x << "," << y;
                EXPECT_TRUE(InkAt(page, x, y + 2.5)) << x << "," << y;
                EXPECT_FALSE(InkAt(page, x - 3.6, y)) << x << "," << y;
                EXPECT_FALSE(InkAt(page, x, y + 3.6)) << x << "," << y;
            }
        // Triangles: tip, back edge, empty inside.
        for (double tip : {104.0, 199.0}) {
            EXPECT_TRUE(InkAt(page, tip, 100.5)) << tip;
            EXPECT_TRUE(InkAt(page, tip - 2, 100.5)) << tip;
            EXPECT_FALSE(InkAt(page, tip - 1, 100.5)) << tip;
        }
        // Row lines from 12 to 92 mm, and the thick foot line.
        EXPECT_TRUE(InkAt(page, 50, 32.5));
        EXPECT_TRUE(InkAt(page, 50, 158.5));
        EXPECT_TRUE(InkAt(page, 50, 179.5));
        EXPECT_FALSE(InkAt(page, 10, 32.5));
        EXPECT_FALSE(InkAt(page, 50, 33.5));
        // Titles on both pages.
        EXPECT_TRUE(pdf_pages::InkIn(page, 30, 25, 70, 29));
        EXPECT_TRUE(pdf_pages::InkIn(page, 125, 25, 165, 29));
    }
}

TEST_F(NotebookPrintTest, CancelledDialogPrintsNothing) {
    TempFolder tmp;
    const QString pdf = QString::fromStdString(tmp.Path()) + "/notebook.pdf";
    FakePrintDialog dialog;
    dialog.setUp = FakePrintDialog::Pdf(pdf, 600);
    dialog.confirms = false;
    Month(2004, 8);
    DeskAccessories accessories;
    accessories.PrintNotebook(nullptr);
    EXPECT_FALSE(QFile::exists(pdf));
}

}  // namespace
