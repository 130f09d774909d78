#include "todo_print.h"

#include <gtest/gtest.h>

#include "cp932.h"
#include "fake_clock.h"
#include "fake_messages.h"
#include "fake_print_dialog.h"
#include "fonts.h"
#include "globals.h"
#include "pdf_pages.h"
#include "program_test.h"
#include "recording_canvas.h"
#include "scoped_port.h"
#include "temp_folder.h"

using namespace foundation;
using namespace accessories;

namespace {

using Widths = std::array<int, kToDoColumns>;

ToDoRow Row(const char* importance, const char* content, const char* status, const char* remain) {
    ToDoRow r;
    r.importance = Sj(importance);
    r.content = Sj(content);
    r.status = Sj(status);
    r.date = "2005/05/10";
    r.remain = Sj(remain);
    r.project = Sj("家");
    r.link = "memo.txt";
    return r;
}

std::vector<ToDoRow> ThreeRows() {
    return {Row("重要", "歯医者の予約", "未着手", "   9"), Row("普通", "年賀状", "完了", "----"),
            Row("非常に重要", "税金の申告", "進行中", "  -3")};
}

const std::string kStamp = Sj("2005/5/1 現在");

class ToDoPrintTest : public ProgramTest {
  protected:
    void SetUp() override { platform::InstallFontSubstitutes(); }
    static bool Has(const RecordingCanvas& c, const std::string& op) {
        return std::find(c.ops.begin(), c.ops.end(), op) != c.ops.end();
    }
};

TEST_F(ToDoPrintTest, ColumnsFollowTheListsWidths) {
    struct Case {
        const char* name;
        int left, usable;
        Widths widths;
        Widths x;
    } cases[] = {
        {"first widths at 600 dpi",
         236,
         4605,
         {91, 217, 54, 82, 48, 100, 100},
         {236, 842, 2286, 2645, 3191, 3510, 4175}},
        {"no widths: the first ones",
         236,
         4605,
         {0, 0, 0, 0, 0, 0, 0},
         {236, 842, 2286, 2645, 3191, 3510, 4175}},
        {"a negative width: the first ones",
         236,
         4605,
         {91, -217, 54, 82, 48, 100, 100},
         {236, 842, 2286, 2645, 3191, 3510, 4175}},
        {"one column takes all",
         236,
         4605,
         {100, 0, 0, 0, 0, 0, 0},
         {236, 4841, 4841, 4841, 4841, 4841, 4841}},
        {"halves round up", 0, 2, {1, 3, 0, 0, 0, 0, 0}, {0, 1, 3, 3, 3, 3, 3}},
        {"a wider content column",
         0,
         700,
         {100, 300, 100, 100, 100, 0, 0},
         {0, 100, 400, 500, 600, 700, 700}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToDoPrintColumns(c.left, c.usable, c.widths), c.x) << c.name;
}

TEST_F(ToDoPrintTest, Totals) {
    EXPECT_EQ(platform::Cp932ToUtf8(ToDoPrintTotals(3, 2)), "全ToDo数=3件.   未完了ToDo数=2件.");
    EXPECT_EQ(platform::Cp932ToUtf8(ToDoPrintTotals(0, 0)), "全ToDo数=0件.   未完了ToDo数=0件.");
}

TEST_F(ToDoPrintTest, AListOfThreeAtSixHundredDotsPerInch) {
    RecordingCanvas canvas(4960, 7016, 600);
    ASSERT_TRUE(PrintToDoDocument(canvas, kStamp, ThreeRows(), kToDoInitialWidths));
    const char* expected[] = {
        "text 236,188,4841,278 9 #000000 RS \"2005/5/1 現在\"",
        "text 236,279,4841,439 16bi #000000 CS \"ToDo\"",
        "line 236,486-4841,486 w4",
        "text 236,491,4841,581 9 #000000 LSN \"重要度\"",
        "text 842,491,4841,581 9 #000000 LSN \"内容\"",
        "text 2286,491,4841,581 9 #000000 LSN \"状態\"",
        "text 2645,491,4841,581 9 #000000 LSN \"予定完了日\"",
        "text 3191,491,4841,581 9 #000000 LSN \"残日数\"",
        "text 3510,491,4841,581 9 #000000 LSN \"ﾌﾟﾛｼﾞｪｸﾄ\"",
        "text 4175,491,4841,581 9 #000000 LSN \"関連項目\"",
        "line 236,582-4841,582 w4",
        "image 235,588,325,676",
        "text 326,587,4841,677 9 #000000 LSN \"重要\"",
        "text 842,587,4841,677 9 #000000 LSN \"歯医者の予約\"",
        "text 3191,587,4841,677 9 #000000 LSN \"   9\"",
        "text 4175,587,4841,677 9 #000000 LSN \"memo.txt\"",
        "text 3191,678,4841,768 9 #000000 LSN \"----\"",
        "text 3191,769,4841,859 9 #000000 LSN \"  -3\"",
        "line 236,860-4841,860 w4",
        "text 306,865,4841,955 9 #000000 LSN \"全ToDo数=3件.   未完了ToDo数=2件.\"",
    };
    for (const char* op : expected) EXPECT_TRUE(Has(canvas, op)) << op;
    EXPECT_EQ(canvas.pages, 1);
    EXPECT_EQ(canvas.Ops("image").size(), 3u);
    EXPECT_EQ(canvas.ops.back(), "end");
}

TEST_F(ToDoPrintTest, RowsWithoutContentAreLeftOutButCounted) {
    RecordingCanvas canvas(4960, 7016, 600);
    std::vector<ToDoRow> rows = ThreeRows();
    rows.insert(rows.begin() + 1, Row("普通", "", "未着手", "   1"));
    ASSERT_TRUE(PrintToDoDocument(canvas, kStamp, rows, kToDoInitialWidths));
    EXPECT_EQ(canvas.Ops("image").size(), 3u);
    EXPECT_TRUE(
        Has(canvas, "text 306,865,4841,955 9 #000000 LSN \"全ToDo数=4件.   未完了ToDo数=2件.\""));
}

TEST_F(ToDoPrintTest, AnEmptyList) {
    RecordingCanvas canvas(4960, 7016, 600);
    ASSERT_TRUE(PrintToDoDocument(canvas, kStamp, {}, {0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(Has(canvas, "text 842,491,4841,581 9 #000000 LSN \"内容\""));
    EXPECT_TRUE(Has(canvas, "line 236,587-4841,587 w4"));
    EXPECT_TRUE(
        Has(canvas, "text 306,592,4841,682 9 #000000 LSN \"全ToDo数=0件.   未完了ToDo数=0件.\""));
    EXPECT_EQ(canvas.pages, 1);
}

TEST_F(ToDoPrintTest, PagesOfALongList) {
    struct Case {
        const char* name;
        int pageHeight;
        size_t rows;
        int pages;
        const char* closing;  // the closing rule
        const char* totals;
    } cases[] = {
        // Rows from 587, 91 dots apart; a new page once y reaches the height - 89.
        {"the fourth row fills the page", 1000, 4, 2, "line 236,188-4841,188 w4",
         "text 306,193,4841,283 9 #000000 LSN \"全ToDo数=4件.   未完了ToDo数=4件.\""},
        {"rows go on from 8 mm, without heads", 1000, 6, 2, "line 236,370-4841,370 w4",
         "text 306,375,4841,465 9 #000000 LSN \"全ToDo数=6件.   未完了ToDo数=6件.\""},
        {"totals that would fall off start a page", 952, 3, 2, "line 236,188-4841,188 w4",
         "text 306,193,4841,283 9 #000000 LSN \"全ToDo数=3件.   未完了ToDo数=3件.\""},
        {"totals that fit stay", 955, 3, 1, "line 236,860-4841,860 w4",
         "text 306,865,4841,955 9 #000000 LSN \"全ToDo数=3件.   未完了ToDo数=3件.\""},
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas(4960, c.pageHeight, 600);
        std::vector<ToDoRow> rows(c.rows, Row("普通", "買い物", "未着手", "   2"));
        ASSERT_TRUE(PrintToDoDocument(canvas, kStamp, rows, kToDoInitialWidths));
        EXPECT_EQ(canvas.pages, c.pages) << c.name;
        EXPECT_TRUE(Has(canvas, c.closing)) << c.name;
        EXPECT_TRUE(Has(canvas, c.totals)) << c.name;
        // Stamp, title and the first head only: heads are not repeated.
        EXPECT_EQ(canvas.Ops("text 236,").size(), 3u) << c.name;
    }
}

TEST_F(ToDoPrintTest, APrintThatCannotStart) {
    FakeMessages messages;
    RecordingCanvas canvas(4960, 7016, 600);
    canvas.beginSucceeds = false;
    EXPECT_FALSE(PrintToDoDocument(canvas, kStamp, ThreeRows(), kToDoInitialWidths));
    EXPECT_EQ(canvas.ops, std::vector<std::string>{"begin"});
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], QStringLiteral("印刷を開始できません。"));
}

TEST_F(ToDoPrintTest, PdfThroughThePrintDialog) {
    FakeClock clock;
    clock.Set(2005, 5, 1, 10, 0);
    TempFolder tmp;
    const QString pdf = QString::fromStdString(tmp.Path()) + "/todo.pdf";
    FakePrintDialog dialog;
    dialog.setUp = FakePrintDialog::Pdf(pdf, 600);
    PrintToDo(nullptr, ThreeRows(), kToDoInitialWidths);
    pdf_pages::Keep(pdf, "todo.pdf");
    ASSERT_EQ(pdf_pages::PageCount(pdf), 1);
    EXPECT_TRUE(pdf_pages::Fonts(pdf).contains("IPAPGothic"));
    const QImage page = pdf_pages::Page(pdf, 1);
    // Three rules from 10 mm to 205 mm (under the title, under the heads, after the rows).
    int rules = 0;
    bool onRule = false;
    for (double y = 8; y < 60; y += 0.1) {
        bool full = pdf_pages::InkAt(page, 204.7, y);
        for (double x = 10.3; x < 205; x += 1) full = full && pdf_pages::InkAt(page, x, y);
        if (full && !onRule) {
            ++rules;
            EXPECT_FALSE(pdf_pages::InkAt(page, 9.6, y)) << y;
            EXPECT_FALSE(pdf_pages::InkAt(page, 205.4, y)) << y;
        }
        onRule = full;
    }
    EXPECT_EQ(rules, 3);
    // The stamp ends at the right edge; the title in the middle; icons at the left edge.
    EXPECT_TRUE(pdf_pages::InkIn(page, 190, 8, 205, 12));
    EXPECT_FALSE(pdf_pages::InkIn(page, 10, 8, 150, 12));
    EXPECT_TRUE(pdf_pages::InkIn(page, 100, 13, 115, 18));
}

// Without the system's printing nothing is asked and the user hears why nothing prints.
TEST_F(ToDoPrintTest, PrintingThatCannotBeLoaded) {
    FakeMessages messages;
    FakePrintDialog dialog;
    struct : platform::PrintBackEndLoader {
        platform::PrintBackEnd* Load() override { return nullptr; }
    } missing;
    {
        const platform::ScopedPort<platform::PrintBackEndLoader> noPrinting(
            platform::SetPrintBackEndLoader, &missing);
        PrintToDo(nullptr, ThreeRows(), kToDoInitialWidths);
    }
    EXPECT_EQ(dialog.asked, 0);
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], QStringLiteral("印刷を開始できません。"));
}

TEST_F(ToDoPrintTest, CancelledDialogPrintsNothing) {
    TempFolder tmp;
    const QString pdf = QString::fromStdString(tmp.Path()) + "/todo.pdf";
    FakePrintDialog dialog;
    dialog.setUp = FakePrintDialog::Pdf(pdf, 600);
    dialog.confirms = false;
    PrintToDo(nullptr, ThreeRows(), kToDoInitialWidths);
    EXPECT_EQ(dialog.asked, 1);
    EXPECT_FALSE(QFile::exists(pdf));
}

}  // namespace
