// The memo editor: inserted texts, the search by characters, and the close that asks, saves
// atomically and stays open when the save fails.
#include "memo_editor.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>

#include "cp932.h"
#include "fake_clock.h"
#include "fake_desktop.h"
#include "fake_messages.h"
#include "globals.h"
#include "memo_text_tools.h"
#include "modal_windows.h"
#include "program_test.h"
#include "temp_folder.h"

using namespace foundation;
using namespace accessories;

namespace {

platform::LocalDateTime At(int y, int mo, int d, int h, int mi) {
    platform::LocalDateTime t;
    t.year = y;
    t.month = mo;
    t.day = d;
    t.hour = h;
    t.minute = mi;
    return t;
}

}  // namespace

TEST(MemoText, InsertedDatesAndTimes) {
    struct Case {
        platform::LocalDateTime at;
        const char* date;
        const char* time;
    } cases[] = {
        {At(2004, 5, 3, 0, 5), "2004年5月3日(月)", "AM 12:05"},
        {At(2004, 5, 9, 11, 59), "2004年5月9日(日)", "AM 11:59"},
        {At(2004, 12, 25, 12, 0), "2004年12月25日(土)", "PM 12:00"},
        {At(2000, 2, 29, 13, 5), "2000年2月29日(火)", "PM 01:05"},
        {At(2019, 5, 1, 23, 9), "2019年5月1日(水)", "PM 11:09"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MemoDateText(c.at), U(c.date));
        EXPECT_EQ(MemoTimeText(c.at), U(c.time));
    }
}

TEST(MemoText, SearchMovesByCharacters) {
    struct Case {
        const char* text;
        const char* what;
        int from;
        int found;
    } cases[] = {
        {"アA", "A", 0, 1},  // never inside a double-byte character
        {"ｱA", "A", 0, 1},      {"表示", "示", 0, 1},
        {"aaa", "aa", 0, 0},    {"aaa", "aa", 1, 1},    // overlapping the last match
        {"aaa", "aa", 2, -1},   {"abcABC", "A", 0, 3},  // case matters
        {"ＡA", "A", 0, 1},                             // full-width is another character
        {"x", "", 0, -1},       {"x", "x", 2, -1},
        {"a\nb", "a\nb", 0, 0}, {"😀a", "a", 1, 2},  // inside a surrogate pair is no place to start
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindMemoText(U(c.text), U(c.what), c.from), c.found) << c.text << " " << c.what;
    EXPECT_EQ(MemoSearchStart(4, 4, true), 5);
    EXPECT_EQ(MemoSearchStart(4, 4, false), 4);
    EXPECT_EQ(MemoSearchStart(3, 4, true), 3);
}

class MemoEditor : public ProgramTest {
  protected:
    void SetUp() override {
        ed = std::make_unique<TfrMemo>();
        ed->MemoFileName = dir.File(Sj("メモ.txt"));
    }
    // Closes as the menu does; true when the window went.
    bool CloseByMenu() {
        ed->Close1Click();
        return !ed->isVisible();
    }
    void Type(const char* text) {
        ed->tx->moveCursor(QTextCursor::End);
        ed->tx->insertPlainText(U(text));
    }
    QString Selected() const { return ed->tx->textCursor().selectedText(); }

    FakeClock clock;
    FakeMessages messages;
    FakeDialogs dialogs;
    TempFolder dir;
    std::unique_ptr<TfrMemo> ed;
};

TEST_F(MemoEditor, UnchangedTextClosesWithoutAQuestion) {
    ed->SetText("a\r\nb");
    ed->show();
    EXPECT_TRUE(CloseByMenu());
    EXPECT_EQ(ed->result(), TfrMemo::kResultNotSaved);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(dir.Exists(Sj("メモ.txt")));
}

TEST_F(MemoEditor, CloseAsksAndSavesByAnswer) {
    struct Case {
        uint8_t prjMode;
        int answer;
        const char* question;
        int result;
        bool written;
    } cases[] = {
        {0, platform::kBtnYes, "変更したメモを保存しますか？", 1, true},
        {0, platform::kBtnNo, "変更したメモを保存しますか？", 2, false},
        {1, platform::kBtnYes, "編集したﾌﾟﾛｼﾞｪｸﾄ名を保存しますか？", 1, true},
        {1, platform::kBtnNo, "編集したﾌﾟﾛｼﾞｪｸﾄ名を保存しますか？", 2, false},
        {0, 0, "変更したメモを保存しますか？", 2, false},  // the box closed otherwise
    };
    for (const auto& c : cases) {
        SetUp();
        messages.shown.clear();
        ASSERT_TRUE(dir.Write(Sj("メモ.txt"), "old"));
        ed->PrjMode = c.prjMode;
        ed->SetText(Sj("一行目\r\n"));
        ed->show();
        Type("二行目");
        messages.answers = {c.answer};
        // Esc and the title bar take the same way as the menu.
        QTest::keyClick(ed.get(), Qt::Key_Escape);
        EXPECT_FALSE(ed->isVisible());
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, U(c.question));
        EXPECT_EQ(messages.shown[0].buttons,
                  (std::vector<int>{platform::kBtnYes, platform::kBtnNo}));
        EXPECT_EQ(ed->result(), c.result);
        EXPECT_EQ(dir.Read(Sj("メモ.txt")),
                  c.written ? Sj("一行目\r\n二行目\r\n") : std::string("old"));
    }
}

TEST_F(MemoEditor, SavedTextKeepsItsLineEndsOnTheNextSave) {
    ed->SetText(Sj("あ\r\n\r\nい\r\n"));
    ed->show();
    Type("う");
    messages.answers = {platform::kBtnYes};
    EXPECT_TRUE(CloseByMenu());
    EXPECT_EQ(dir.Read(Sj("メモ.txt")), Sj("あ\r\n\r\nい\r\nう\r\n"));
}

TEST_F(MemoEditor, FailedSaveKeepsTheWindowOpenAndAsksAgain) {
    ed->MemoFileName = dir.File("missing/memo.txt");
    Settings.memo_tlwh.w = 300;
    ed->SetText("a");
    ed->show();
    Type("b");
    messages.answers = {platform::kBtnYes};
    EXPECT_FALSE(CloseByMenu());
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].kind, platform::MsgKind::Error);
    EXPECT_TRUE(ed->Modified());
    EXPECT_EQ(Settings.memo_tlwh.w, 300);  // not stored on a failed attempt

    messages.answers = {platform::kBtnNo};
    EXPECT_TRUE(CloseByMenu());
    EXPECT_EQ(ed->result(), TfrMemo::kResultNotSaved);
    EXPECT_EQ(messages.shown.size(), 3u);
}

TEST_F(MemoEditor, CharactersShiftJisCannotHoldAreAskedAboutBeforeTheSave) {
    ASSERT_TRUE(dir.Write(Sj("メモ.txt"), "old"));
    ed->SetText("a");
    ed->show();
    Type("😀b");
    messages.answers = {platform::kBtnYes, platform::kBtnNo};
    EXPECT_FALSE(CloseByMenu());  // back to the text as typed
    EXPECT_TRUE(ed->Modified());
    EXPECT_EQ(ed->tx->toPlainText(), U("a😀b"));
    EXPECT_EQ(dir.Read(Sj("メモ.txt")), "old");
    messages.answers = {platform::kBtnYes, platform::kBtnYes};
    EXPECT_TRUE(CloseByMenu());
    EXPECT_EQ(ed->result(), TfrMemo::kResultSaved);
    EXPECT_EQ(dir.Read(Sj("メモ.txt")), "ab\r\n");
}

TEST_F(MemoEditor, ExitThatCannotWaitStoresTheTypedTextWithoutAsking) {
    struct Case {
        const char* typed;
        std::string file;
        int result;
    } cases[] = {
        {"二行目", Sj("一行目\r\n二行目\r\n"), TfrMemo::kResultSaved},
        // Nobody can be asked: the character is left out and named on the error output.
        {"a😀b", Sj("一行目\r\nab\r\n"), TfrMemo::kResultSaved},
    };
    for (const auto& c : cases) {
        SetUp();
        messages.shown.clear();
        ASSERT_TRUE(dir.Write(Sj("メモ.txt"), "old"));
        ed->SetText(Sj("一行目\r\n"));
        ed->setWindowModality(Qt::ApplicationModal);
        ed->show();
        Type(c.typed);
        platform::ApplicationModals().CloseTop();
        EXPECT_FALSE(ed->isVisible());
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(ed->result(), c.result);
        EXPECT_EQ(dir.Read(Sj("メモ.txt")), c.file);
    }
}

TEST_F(MemoEditor, MemoModeTakesAndKeepsItsSize) {
    struct Case {
        int16_t w, h;
        int shownW, shownH;
    } cases[] = {
        {400, 200, 400, 200},
        {10, 300, 516, 300},  // 10 or less is not applied
        {300, 10, 300, 364},
        {11, 350, 516, 350},  // too narrow for the menu: the window keeps its least width
    };
    for (const auto& c : cases) {
        SetUp();
        Settings.memo_tlwh.w = c.w;
        Settings.memo_tlwh.h = c.h;
        ed->show();
        if (c.w > 100) {
            EXPECT_EQ(ed->width(), c.shownW);
        }
        EXPECT_EQ(ed->height(), c.shownH);
        EXPECT_EQ(ed->windowTitle(), U("メモ[メモ.txt]を編集中"));
        EXPECT_TRUE(ed->KI1->menuAction()->isVisible());
        ed->resize(450, 250);
        EXPECT_TRUE(CloseByMenu());
        EXPECT_EQ(Settings.memo_tlwh.w, 450);
        EXPECT_EQ(Settings.memo_tlwh.h, 250);
    }
}

TEST_F(MemoEditor, ProjectModeKeepsTheOpenersCaptionAndTheStoredSize) {
    Settings.memo_tlwh.w = 400;
    Settings.memo_tlwh.h = 200;
    ed->PrjMode = 1;
    ed->setWindowTitle(U("ﾌﾟﾛｼﾞｪｸﾄ名編集中"));
    ed->show();
    EXPECT_EQ(ed->windowTitle(), U("ﾌﾟﾛｼﾞｪｸﾄ名編集中"));
    EXPECT_FALSE(ed->KI1->menuAction()->isVisible());
    EXPECT_EQ(ed->width(), 516);
    ed->resize(450, 250);
    EXPECT_TRUE(CloseByMenu());
    EXPECT_EQ(Settings.memo_tlwh.w, 400);
    EXPECT_EQ(Settings.memo_tlwh.h, 200);
}

TEST_F(MemoEditor, FindAndFindNext) {
    ed->SetText(Sj("アabアab\r\nab"));
    ed->show();
    QApplication::setActiveWindow(ed.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(ed.get()));
    ed->FindNext1Click();  // nothing searched yet
    EXPECT_EQ(Selected(), QString());
    EXPECT_TRUE(dialogs.asked.empty());

    dialogs.texts = {U("ab")};
    ed->Find2Click();
    EXPECT_EQ(dialogs.asked.at(0), U("メモ内容の検索|検索したい文字を入力してください.|"));
    EXPECT_EQ(ed->tx->textCursor().selectionStart(), 1);
    EXPECT_EQ(Selected(), U("ab"));
    QTest::keyClick(ed->tx, Qt::Key_F3);
    EXPECT_EQ(ed->tx->textCursor().selectionStart(), 4);
    QTest::keyClick(ed->tx, Qt::Key_F3);
    EXPECT_EQ(ed->tx->textCursor().selectionStart(), 7);  // the next line
    QTest::keyClick(ed->tx, Qt::Key_F3);
    EXPECT_EQ(ed->tx->textCursor().selectionStart(), 7);  // none further: the caret stays

    dialogs.texts = {U("zz")};
    ed->Find2Click();
    EXPECT_EQ(ed->tx->textCursor().selectionStart(), 7);
    EXPECT_TRUE(messages.shown.empty());
    dialogs.texts = {U("")};
    ed->Find2Click();
    EXPECT_EQ(ed->SearchText, U("zz"));
}

TEST_F(MemoEditor, InsertsTodayAndTheTimeAtTheCaret) {
    clock.Set(2004, 5, 3, 13, 5);
    ed->SetText("[]");
    ed->show();
    QTextCursor c = ed->tx->textCursor();
    c.setPosition(1);
    ed->tx->setTextCursor(c);
    ed->mnuTimeInsClick();
    EXPECT_EQ(ed->tx->toPlainText(), U("[PM 01:05]"));
    ed->tx->selectAll();
    ed->mnuDateInsClick();
    EXPECT_EQ(ed->tx->toPlainText(), U("2004年5月3日(月)"));
    EXPECT_TRUE(ed->Modified());
}

TEST_F(MemoEditor, LoadFileTellsAMissingFromAnUnreadableFile) {
    EXPECT_TRUE(ed->LoadFile(dir.File("none.txt")));
    EXPECT_EQ(ed->Text(), "");
    ASSERT_TRUE(dir.Write("a.txt", Sj("名前\r\nB\r\n")));
    EXPECT_TRUE(ed->LoadFile(dir.File("a.txt")));
    EXPECT_EQ(ed->tx->toPlainText(), U("名前\nB\n"));
    EXPECT_FALSE(ed->Modified());
}
