#include "month_view.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QTest>
#include <map>
#include <memory>

#include "color.h"
#include "cp932.h"
#include "fake_accessories.h"
#include "fake_clipboard.h"
#include "fake_messages.h"
#include "fake_modal_runs.h"
#include "fonts.h"
#include "globals.h"
#include "input_wizard.h"
#include "jump_dialog.h"
#include "program_test.h"
#include "temp_folder.h"
#include "view_memo.h"

using namespace foundation;
using namespace schedule;

namespace {

// A month file: 31 blocks, day d holding texts[d] (lines joined by CR LF).
std::string MonthBytes(const std::map<int, std::string>& texts) {
    std::string out;
    for (int d = 1; d <= 31; ++d) {
        out += "#S#!\r\n";
        auto it = texts.find(d);
        if (it != texts.end()) out += it->second + "\r\n";
        out += "#E#!\r\n";
    }
    return out;
}

std::string MarkBytes(std::initializer_list<int> marked) {
    std::string out;
    for (int d = 1; d <= 31; ++d)
        out += std::find(marked.begin(), marked.end(), d) != marked.end() ? "1\r\n" : "0\r\n";
    return out;
}

class MonthView : public ProgramTest {
  protected:
    void SetUp() override {
        DataIn(dat.Path());
        CurYear = 2004;
        CurMonth = 5;
        CurDay = 3;
        modals.Answer<TfrTkInput>([this](TfrTkInput& w) {
            wizardTags.push_back(w.PageControl1->currentWidget() == w.TabSheet3 ? 3 : 0);
        });
    }
    void TearDown() override { view.reset(); }
    void Open(int year, int month) {
        view = std::make_unique<TfrTuki>();
        frTuki = view.get();
        view->ShowMonth(year, month);
        view->PlaceAt(0, 0, 640, 480);
        view->show();
    }
    void Type(int day, const char* utf8) {
        view->yo[day]->setFocus();
        view->yo[day]->moveCursor(QTextCursor::End);
        QTest::keyClicks(view->yo[day], U(utf8));
    }
    void Select(int day, int from, int to) {
        view->yo[day]->setFocus();
        QTextCursor c = view->yo[day]->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        view->yo[day]->setTextCursor(c);
    }

    TempFolder dat;
    FakeMessages messages;
    FakeModalRuns modals;
    FakeAccessories accessories;
    std::unique_ptr<TfrTuki> view;
    std::vector<int> wizardTags;  // the wizard's first page: 3 the program page, else 0
};

}  // namespace

TEST_F(MonthView, RowsAreAsTallAsTheirTexts) {
    dat.Write("200405.yo2", MonthBytes({{3, Sj("一\r\n二\r\n三")}, {4, ""}}));
    Open(2004, 5);
    EXPECT_EQ(view->windowTitle(), U("2004年 5月  月間予定表"));
    const struct { int day, height; } rows[] = {{1, 20}, {2, 20}, {3, 44}, {4, 20}, {31, 20}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.day);
        EXPECT_EQ(view->yo[r.day]->height(), r.height);
        EXPECT_EQ(view->yod[r.day]->height(), r.height);
        EXPECT_EQ(view->yod[r.day]->y(), view->yo[r.day]->y());
    }
    EXPECT_EQ(view->yo[4]->y(), view->yo[3]->y() + 44);
    EXPECT_EQ(view->yod[3]->text(), U("5/3(月)憲法記念日"));
    EXPECT_EQ(view->yo[3]->x(), view->Panel2->width() + TfrTuki::kSplitterWidth);
    EXPECT_FALSE(view->yo[31]->isHidden());
}

TEST_F(MonthView, LongCaptionsStayReadableFromTheirStart) {
    platform::InstallFontSubstitutes();  // widths of the program's font
    Settings.syuuNoDsp = 1;
    Settings.StYoubiNo = 1;
    dat.Write("ukinen.txt", Sj("5,3,結婚記念日\r\n5,4,結婚記念日と創立記念日\r\n"));
    dat.Write("200405.yo2", MonthBytes({{3, Sj("一\r\n二\r\n三")}}));
    Open(2004, 5);
    ASSERT_EQ(view->yod[3]->text(), U("5/3(月 第19週)憲法記念日,結婚記念日"));
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const struct {
        int day;
        Qt::Alignment alignment;
        bool wrapped;
    } rows[] = {
        {1, Qt::AlignCenter, false},  // fits its column
        {3, left, true},              // too long, three lines of text
        {4, left, true},              // too long, one line of text: the row grows
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.day);
        QLabel* header = view->yod[r.day];
        EXPECT_EQ(header->alignment(), r.alignment);
        EXPECT_EQ(header->wordWrap(), r.wrapped);
        if (r.wrapped) {
            EXPECT_GE(header->height(), header->heightForWidth(header->width()));
        }
        EXPECT_EQ(view->yo[r.day]->height(), header->height());
        EXPECT_EQ(view->yo[r.day + 1]->y(), view->yo[r.day]->y() + header->height());
    }
    EXPECT_GT(view->yod[4]->height(), 20);
    view->Splitter1->setSizes({400, 240});  // a column wide enough centres it again
    EXPECT_EQ(view->yod[4]->alignment(), Qt::AlignCenter);
    EXPECT_EQ(view->yod[4]->height(), 20);
}

TEST_F(MonthView, ShortMonthsHideTheirLastRows) {
    const struct {
        int y, m, shown;
    } cases[] = {{2004, 6, 30}, {2004, 2, 29}, {2003, 2, 28}, {2004, 7, 31}};
    Open(2004, 5);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m);
        view->ShowMonth(c.y, c.m);
        for (int d = 28; d <= 31; ++d) {
            EXPECT_EQ(view->yo[d]->isHidden(), d > c.shown) << d;
            EXPECT_EQ(view->yod[d]->isHidden(), d > c.shown) << d;
        }
    }
}

TEST_F(MonthView, EditsReachTheFileAtTheNextMove) {
    Open(2004, 5);
    Type(4, "abc");
    view->mnuMakuBiSetClick();  // day 4 marked
    EXPECT_FALSE(dat.Exists("200405.yo2"));
    EXPECT_FALSE(dat.Exists("200405.mkf"));
    view->mnuNeClick();
    EXPECT_EQ(dat.Read("200405.yo2"), MonthBytes({{4, "abc"}}));
    EXPECT_EQ(dat.Read("200405.mkf"), MarkBytes({4}));
    EXPECT_EQ(CurMonth, 6);
    EXPECT_EQ(view->windowTitle(), U("2004年 6月  月間予定表"));
    EXPECT_EQ(view->focusWidget(), view->yo[1]);
}

TEST_F(MonthView, MovesAcrossTheYear) {
    Open(2004, 1);
    view->mnuBkClick();
    EXPECT_EQ(CurYear, 2003);
    EXPECT_EQ(CurMonth, 12);
    EXPECT_EQ(view->focusWidget(), view->yo[31]);
    view->mnuNeClick();
    view->mnuNeClick();
    EXPECT_EQ(CurYear, 2004);
    EXPECT_EQ(CurMonth, 2);
    view->ShowMonth(9999, 12);
    view->mnuNeClick();
    EXPECT_EQ(CurYear, 9999);
    EXPECT_EQ(CurMonth, 12);
}

TEST_F(MonthView, AMonthNobodyChangedIsNotWrittenAgain) {
    // Damaged: a stray line between blocks, bytes that are no Shift-JIS, LF line ends.
    const std::string damaged =
        "#S#!\r\none\r\n#E#!\r\nstray\r\n#S#!\n\x81\x7f\xff two\n#E#!\n" + MonthBytes({});
    dat.Write("200405.yo2", damaged);
    Open(2004, 5);
    view->mnuNeClick();
    view->mnuBkClick();
    view->close();
    EXPECT_EQ(dat.Read("200405.yo2"), damaged);
    EXPECT_FALSE(dat.Exists("200405.mkf"));
    EXPECT_FALSE(dat.Exists("200406.yo2"));
}

TEST_F(MonthView, HiddenRowsNeverReachTheNextMonth) {
    Open(2004, 3);
    Type(31, "march 31");
    view->mnuNeClick();  // April: row 31 hidden, still holding March's text
    Type(1, "april 1");
    view->mnuNeClick();
    EXPECT_EQ(dat.Read("200403.yo2"), MonthBytes({{31, "march 31"}}));
    EXPECT_EQ(dat.Read("200404.yo2"), MonthBytes({{1, "april 1"}}));
}

TEST_F(MonthView, JumpTakesOnlyARealMonth) {
    Open(2004, 5);
    Type(2, "kept");
    struct Case {
        const char* year;
        const char* month;
        bool ok;
        int y, m;
    } cases[] = {
        {"2004", "13", true, 2004, 5},  {"abc", "1", true, 2004, 5},
        {"0", "1", true, 2004, 5},      {"2010", "2", false, 2004, 5},  // cancelled
        {" 2010 ", "2", true, 2010, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "/" << c.month);
        modals.Answer<TfrJp>([&](TfrJp& d) {
            d.cb_yy->setEditText(QString::fromLatin1(c.year));
            d.cb_mm->setEditText(QString::fromLatin1(c.month));
            return c.ok ? TfrJp::kResultOk : TfrJp::kResultCancel;
        });
        const bool wrote = dat.Exists("200405.yo2");
        view->mnuTukiJpClick();
        EXPECT_EQ(CurYear, c.y);
        EXPECT_EQ(CurMonth, c.m);
        if (c.y == 2004) {
            EXPECT_EQ(dat.Exists("200405.yo2"), wrote);
        }
    }
    EXPECT_EQ(dat.Read("200405.yo2"), MonthBytes({{2, "kept"}}));
}

TEST_F(MonthView, AFailedSaveKeepsTheMonthAndItsEdits) {
    QDir().mkpath(platform::DiskPath(dat.File("200405.yo2")));  // a folder in the file's place
    Open(2004, 5);
    Type(2, "edit");
    view->mnuNeClick();
    EXPECT_EQ(CurMonth, 5);
    EXPECT_EQ(view->yo[2]->toPlainText(), U("edit"));
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0],
              U("予定を格納できませんでした。\r\n") + platform::FromCp932(dat.File("200405.yo2")));

    // Closing asks; No keeps the window, Yes closes without the edits.
    messages.answers = {platform::kBtnOk, platform::kBtnNo};
    EXPECT_FALSE(view->FormClose());
    ASSERT_EQ(messages.Texts().size(), 3u);
    EXPECT_EQ(messages.Texts()[2], U("予定を保存できませんでした。保存せずに閉じますか？"));
    messages.answers = {platform::kBtnOk, platform::kBtnYes};
    Settings.tuki_tlwh.spl = 0;
    EXPECT_TRUE(view->FormClose());
    EXPECT_EQ(Settings.tuki_tlwh.spl, view->Panel2->width());
    EXPECT_EQ(Settings.tuki_tlwh.w, view->width());
}

TEST_F(MonthView, GoingBackToTheTextAsTypedKeepsTheViewOpenAndWritesNothing) {
    Open(2004, 5);
    Type(4, "abc");
    view->yo[6]->insertPlainText(U("x😀"));
    messages.answers = {platform::kBtnNo};
    EXPECT_FALSE(view->FormClose());
    ASSERT_EQ(messages.shown.size(), 1u);  // the question alone, no failed save
    EXPECT_EQ(view->focusWidget(), view->yo[6]);
    EXPECT_FALSE(dat.Exists("200405.yo2"));
    messages.answers = {platform::kBtnYes};
    EXPECT_TRUE(view->FormClose());
    EXPECT_EQ(dat.Read("200405.yo2"), MonthBytes({{4, "abc"}, {6, "x"}}));
}

TEST_F(MonthView, ACutOutDayStoresNothing) {
    dat.Write("200405.yo2", MonthBytes({{2, "x"}, {3, "y"}}));
    Open(2004, 5);
    Select(2, 0, 1);
    view->Cut1Click();
    EXPECT_EQ(view->yo[2]->toPlainText(), U(" "));  // the filler keeps one line
    EXPECT_EQ(view->yo[2]->height(), 20);
    view->close();
    EXPECT_EQ(dat.Read("200405.yo2"), MonthBytes({{3, "y"}}));
    EXPECT_EQ(MonthDays[2].HasText, 0);
}

TEST_F(MonthView, EnterGrowsTheRowBeforeTheKey) {
    dat.Write("200405.yo2", MonthBytes({{6, "a\r\nb"}}));
    Open(2004, 5);
    const int below = view->yo[8]->y();
    view->yo[5]->setFocus();
    QTest::keyClick(view->yo[5], Qt::Key_Return);
    EXPECT_EQ(view->yo[5]->toPlainText(), U(" \n"));
    EXPECT_EQ(view->yo[5]->height(), 32);
    EXPECT_EQ(view->yod[5]->height(), 32);
    EXPECT_EQ(view->yo[8]->y(), below + 12);
    // Enter on the empty line is a line break too, one line high like the others.
    QTest::keyClick(view->yo[5], Qt::Key_Return);
    EXPECT_EQ(view->yo[5]->toPlainText(), U(" \n\n"));
    EXPECT_EQ(view->yo[5]->height(), 44);
    view->yo[5]->FitToText();
    EXPECT_EQ(view->yo[5]->height(), 44);
    view->yo[6]->setFocus();
    view->yo[6]->moveCursor(QTextCursor::End);
    QTest::keyClick(view->yo[6], Qt::Key_Return);
    EXPECT_EQ(view->yo[6]->height(), 44);
    // Delete does not refit; Backspace does.
    QTest::keyClick(view->yo[6], Qt::Key_Backspace);
    EXPECT_EQ(view->yo[6]->height(), 32);
    view->close();
    EXPECT_EQ(dat.Read("200405.yo2"), MonthBytes({{6, "a\r\nb"}}));
}

TEST_F(MonthView, MarkTogglesInMemoryUntilTheClose) {
    dat.Write("200405.mkf", MarkBytes({8}));
    Open(2004, 5);
    EXPECT_EQ(view->yod[8]->palette().color(QPalette::Window),
              platform::ToQColor(Settings.MAKUCOL));
    view->yo[8]->setFocus();
    view->mnuMakuBiSetClick();
    view->yo[9]->setFocus();
    view->mnuMakuBiSetClick();
    EXPECT_NE(view->yod[8]->palette().color(QPalette::Window),
              platform::ToQColor(Settings.MAKUCOL));
    EXPECT_EQ(dat.Read("200405.mkf"), MarkBytes({8}));
    view->close();
    EXPECT_EQ(dat.Read("200405.mkf"), MarkBytes({9}));
    EXPECT_FALSE(dat.Exists("200405.yo2"));  // nothing to store
}

TEST_F(MonthView, CopyToTheYearPlan) {
    dat.Write("200405.yo2", MonthBytes({{3, "abc def"}}));
    Open(2004, 5);
    Select(3, 4, 7);
    view->PopupMenu2Popup();
    EXPECT_TRUE(view->PopupMenu2->findChild<QAction*>("mnuNenCopy")->isEnabled());
    view->mnuNenCopyClick();
    std::string plan;
    for (int m = 1; m <= 12; ++m) plan += m == 5 ? "#S#!\r\ndef\r\n#E#!\r\n" : "#S#!\r\n#E#!\r\n";
    EXPECT_EQ(dat.Read("2004.ne2"), plan);
}

TEST_F(MonthView, PopupItemsFollowTheSelectionUndoAndClipboard) {
    FakeClipboard clipboard;
    dat.Write("200405.yo2", MonthBytes({{3, "abc"}}));
    Open(2004, 5);
    auto enabled = [this](const char* name) {
        return view->PopupMenu2->findChild<QAction*>(name)->isEnabled();
    };
    view->yo[3]->setFocus();
    view->PopupMenu2Popup();
    for (const char* name : {"Cut1", "Copy1", "Delete1", "mnuNenCopy", "Undo1", "Paste1"})
        EXPECT_FALSE(enabled(name)) << name;
    clipboard.SetText(U("x"));
    Select(3, 0, 2);
    view->Delete1Click();
    view->PopupMenu2Popup();
    EXPECT_TRUE(enabled("Undo1"));
    EXPECT_TRUE(enabled("Paste1"));
    EXPECT_FALSE(enabled("Copy1"));
    view->Paste1Click();
    EXPECT_EQ(view->yo[3]->toPlainText(), U("xc"));
}

TEST_F(MonthView, PrintsAndExportsSeeTheTextsTyped) {
    Open(2004, 5);
    Type(7, "print me");
    view->mnuPrClick();
    EXPECT_EQ(MonthDays[7].Text, "print me");
    EXPECT_FALSE(dat.Exists("200405.yo2"));
    view->expo_csvClick();
    view->expo_htmlClick();
    view->mnuPrSyClick();
    view->expo_staClick();  // saves first; the month comes back afterwards
    EXPECT_EQ(dat.Read("200405.yo2"), MonthBytes({{7, "print me"}}));
    EXPECT_EQ(accessories.calls,
              (std::vector<std::string>{"PrintMonth", "ExportMonthCsv", "ExportMonthHtml",
                                        "PrintNotebook", "ExportPeriod"}));
    EXPECT_EQ(CurMonth, 5);
}

TEST_F(MonthView, WizardFromThePopupStartsOnTheClickedDay) {
    Open(2004, 5);
    Type(12, "before the wizard");
    view->mnuYoWizClick(3);
    EXPECT_EQ(wizardTags, std::vector<int>{3});
    EXPECT_EQ(dat.Read("200405.yo2"), MonthBytes({{12, "before the wizard"}}));
    EXPECT_EQ(CurDay, 3);  // given back
    EXPECT_EQ(view->yo[12]->toPlainText(), U("before the wizard"));
}
