#include <gtest/gtest.h>

#include <QDir>

#include "cp932.h"
#include "desk_accessories.h"
#include "fake_messages.h"
#include "fusen_window.h"
#include "globals.h"
#include "memo_index.h"
#include "memo_notes.h"
#include "messages.h"
#include "open_memo_list.h"
#include "open_memo_table.h"
#include "open_windows.h"
#include "program_test.h"
#include "read_fault.h"
#include "temp_folder.h"
#include "window_flags.h"

using namespace foundation;
using namespace schedule;
using namespace accessories;

namespace {

// The main window as the accessories see it: command 4 opens the memo index.
class MainForMemos : public MainDispatcher {
  public:
    explicit MainForMemos(DeskAccessories& desk) : desk_(desk) {}
    intptr_t Send(unsigned message, intptr_t wParam, intptr_t) override {
        sent.push_back(message);
        if (message == WM_MAIN_COMMAND && wParam == kCmdMemo && opens) desk_.OpenMemoIndex();
        return 0;
    }
    std::vector<unsigned> sent;
    bool opens = true;

  private:
    DeskAccessories& desk_;
};

class DeskMemos : public ProgramTest {
  protected:
    void SetUp() override {
        BaseDir = home.Path();
        Settings.memo_path = memos.Path();
        Settings.mokuzi_tlwh.t = 30;
        Settings.mokuzi_tlwh.l = 60;
        desk.ClearOpenMemoTable();
        MainWnd = &main;
    }
    void TearDown() override {
        delete frMokuzi;
        ForEachNote([](TfrFusen& n) { delete &n; });
        ClearOpenMemoTable();
        ForgetRestoredMemoList();
        MainWnd = nullptr;
    }
    TempFolder home, memos;
    DeskAccessories desk;
    MainForMemos main{desk};
    FakeMessages messages;
};

TEST_F(DeskMemos, NotesComeBackInListOrderAndAreListedAgain) {
    ASSERT_TRUE(memos.Write("a.txt", "a"));
    ASSERT_TRUE(memos.Write("p.bmp", "BM"));
    ASSERT_TRUE(home.Write("memoOp.Ini", "[MEMO]\r\nVER=3\r\nTXT0=" + memos.File("a.txt") +
                                             "\r\nTXT5=" + memos.File("gone.txt") +
                                             "\r\nBMP30=" + memos.File("p.bmp") + "\r\n"));
    desk.RestoreOpenMemos();
    EXPECT_EQ(OpenMemoTable[0].FileName, memos.File("a.txt"));
    EXPECT_EQ(OpenMemoTable[1].FileName, memos.File("p.bmp"));
    EXPECT_EQ(OpenMemoTable[1].IsBitmap, 1);
    EXPECT_EQ(OpenMemoTable[2].FileName, "");
    // Without companion files they stand where the memo index was, which stays closed.
    EXPECT_EQ(OpenMemoTable[0].Wnd->pos(), QPoint(60, 30));
    EXPECT_FALSE(desk.MemoIndexOpen());
    EXPECT_TRUE(messages.shown.empty());

    // The memo that did not come back stays listed behind the open ones.
    EXPECT_TRUE(desk.SaveOpenMemos());
    EXPECT_EQ(home.Read("memoOp.Ini"), "[MEMO]\r\nVER=3\r\nTXT0=" + memos.File("a.txt") +
                                           "\r\nBMP1=" + memos.File("p.bmp") +
                                           "\r\nTXT2=" + memos.File("gone.txt") + "\r\n");
}

// A note that cannot come back this time stays listed, behind the open ones, until its cause is
// mended; a list that cannot be read is not written over.
TEST_F(DeskMemos, NotesThatCouldNotOpenStayListed) {
    const std::string nul("\0\0\0", 3);
    struct Case {
        const char* name;
        std::string list;  // after "[MEMO]\r\nVER=3\r\n"; A is a.txt, B is b.txt
        bool listUnreadable, memoUnreadable, memoIsFolder;
        std::string expected;  // the list after the exit; "" = as it was
    } const cases[] = {
        {"memo unreadable", "TXT0=B\r\nTXT1=A\r\n", false, true, false, "TXT0=A\r\nTXT1=B\r\n"},
        {"memo became a folder", "TXT0=B\r\nTXT1=A\r\n", false, false, true,
         "TXT0=A\r\nTXT1=B\r\n"},
        {"list cut in a name", "TXT3=A\r\nTXT4=B\r\nBMP5=" + memos.File("pi"), false, false, false,
         "TXT0=A\r\nTXT1=B\r\nBMP2=" + memos.File("pi") + "\r\n"},
        {"NUL bytes in the list", "TXT0=B" + nul + "\r\n" + nul + "\r\nTXT1=A\r\n", false, false,
         false, "TXT0=A\r\nTXT1=B" + nul + "\r\n"},
        {"list unreadable", "TXT0=A\r\n", true, false, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder home2, memos2;
        BaseDir = home2.Path();
        Settings.memo_path = memos2.Path();
        ReadFault fault;
        auto paths = [&](std::string text) {
            for (const auto& [from, to] : {std::pair{"=A", "a.txt"}, std::pair{"=B", "b.txt"}}) {
                for (size_t at; (at = text.find(from)) != std::string::npos;)
                    text.replace(at, 2, "=" + memos2.File(to));
            }
            return "[MEMO]\r\nVER=3\r\n" + text;
        };
        const std::string list = paths(c.list);
        ASSERT_TRUE(memos2.Write("a.txt", "a"));
        if (c.memoIsFolder) {
            ASSERT_TRUE(QDir().mkpath(platform::DiskPath(memos2.File("b.txt"))));
        } else {
            ASSERT_TRUE(memos2.Write("b.txt", "b"));
        }
        ASSERT_TRUE(home2.Write("memoOp.Ini", list));
        if (c.memoUnreadable) fault.paths.insert(memos2.File("b.txt"));
        if (c.listUnreadable) fault.paths.insert(home2.File("memoOp.Ini"));
        messages.shown.clear();

        desk.RestoreOpenMemos();
        EXPECT_EQ(OpenMemoTable[0].FileName, c.listUnreadable ? "" : memos2.File("a.txt"));
        EXPECT_EQ(desk.SaveOpenMemos(), !c.listUnreadable);
        fault.on = false;
        EXPECT_EQ(home2.Read("memoOp.Ini"), c.expected.empty() ? list : paths(c.expected));
        if (c.listUnreadable) {
            EXPECT_EQ(
                messages.Texts(),
                (std::vector<QString>{
                    platform::FromCp932(store::UnreadableMessage(home2.File("memoOp.Ini"))),
                    platform::FromCp932(store::NotSavedOverMessage(home2.File("memoOp.Ini")))}));
        }
        ForEachNote([](TfrFusen& n) { delete &n; });
        ClearOpenMemoTable();
    }
}

// A list that could not be read at the start opened none of its notes: once it can be read,
// all of them are listed behind the notes open now.
TEST_F(DeskMemos, ListUnreadableAtTheStartKeepsEveryEntryOnceMended) {
    ReadFault fault;
    ASSERT_TRUE(memos.Write("a.txt", "a"));
    ASSERT_TRUE(memos.Write("c.txt", "c"));
    ASSERT_TRUE(home.Write("memoOp.Ini",
                           "[MEMO]\r\nVER=1\r\nTXT0=a.txt\r\nBMP4=p.bmp\r\n"
                           "[keep]\r\nk=1\r\n"));
    fault.paths.insert(home.File("memoOp.Ini"));
    desk.RestoreOpenMemos();
    EXPECT_EQ(OpenMemoTable[0].FileName, "");
    ASSERT_NE(OpenFusen(memos.File("c.txt"), false, true, {}), nullptr);
    fault.on = false;
    EXPECT_TRUE(desk.SaveOpenMemos());
    EXPECT_EQ(home.Read("memoOp.Ini"),
              "[keep]\r\nk=1\r\n[MEMO]\r\nVER=3\r\nTXT0=" + memos.File("c.txt") +
                  "\r\nTXT1=" + memos.File("a.txt") + "\r\nBMP2=" + memos.File("p.bmp") + "\r\n");
}

// A list that cannot be written says so; the user may try again or go on without it.
TEST_F(DeskMemos, ListThatCannotBeWrittenAsksToTryAgain) {
    using namespace platform;
    struct {
        const char* name;
        std::deque<int> answers;
        bool roomOnFirstBox, saved;
    } const cases[] = {
        {"cancel", {kBtnCancel}, false, false},
        {"box closed", {0}, false, false},
        {"retry after room was made", {kBtnRetry}, true, true},
        {"retry in vain, then cancel", {kBtnRetry, kBtnCancel}, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder root;
        BaseDir = root.File("gone");
        messages.shown.clear();
        messages.answers = c.answers;
        messages.onShow = [&] {
            if (c.roomOnFirstBox) QDir().mkpath(DiskPath(BaseDir));
        };
        EXPECT_EQ(desk.SaveOpenMemos(), c.saved);
        messages.onShow = nullptr;
        ASSERT_EQ(messages.shown.size(), c.answers.size());
        EXPECT_EQ(messages.shown[0].text,
                  QStringLiteral("付箋ﾒﾓの一覧[%1]に書き込めませんでした。\r\n再試行しますか？ "
                                 "キャンセルすると、今開いている付箋ﾒﾓは次の起動で開きません。")
                      .arg(DiskPath(OpenMemoListPath())));
        EXPECT_EQ(messages.shown[0].buttons, (std::vector<int>{kBtnRetry, kBtnCancel}));
        EXPECT_EQ(platform::FileExists(OpenMemoListPath()), c.saved);
    }
}

// A note whose companion file could not be read never writes over it: its place, colour, font
// and link stay for the day the file can be read again.
TEST_F(DeskMemos, NoteNeverWritesOverACompanionFileItCouldNotRead) {
    const std::string look =
        "[TLWH]\r\nT=400\r\nL=500\r\nW=200\r\nH=90\r\n[HAIKEI]\r\nCOLOR=255\r\n"
        "[ETC]\r\nKANREN=/x/y.odt\r\nTEMAE=0\r\n[FONT]\r\nNAME=Sans\r\nBold=1\r\n";
    struct {
        const char* name;
        bool unreadableAtOpen, sessionSave, mendedBeforeClose;
    } const cases[] = {
        {"closed while unreadable", true, false, false},
        {"closed after the cause was mended", true, false, true},
        {"session save, then closed", true, true, false},
        {"unreadable only after the note opened", false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReadFault fault;
        ASSERT_TRUE(memos.Write("a.txt", "a"));
        ASSERT_TRUE(memos.Write("a.Ini", look));
        if (c.unreadableAtOpen) fault.paths.insert(memos.File("a.Ini"));
        messages.shown.clear();
        TfrFusen* note = OpenFusen(memos.File("a.txt"), false, true, {});
        ASSERT_NE(note, nullptr);
        fault.paths.insert(memos.File("a.Ini"));
        note->BackColor = 65280;
        if (c.sessionSave) SaveNotesForSession();
        if (c.mendedBeforeClose) fault.on = false;
        note->close();
        fault.on = false;
        EXPECT_EQ(memos.Read("a.Ini"), look);
        EXPECT_EQ(messages.Texts(), std::vector<QString>{platform::FromCp932(
                                        store::UnreadableMessage(memos.File("a.Ini")))});
    }
}

TEST_F(DeskMemos, SessionSaveKeepsTheNotesWorking) {
    ASSERT_TRUE(memos.Write("a.txt", "a"));
    TfrFusen* note = OpenFusen(memos.File("a.txt"), false, false, {});
    note->BackColor = 255;
    SaveNotesForSession();
    EXPECT_NE(memos.Read("a.Ini").find("COLOR=255\r\n"), std::string::npos);
    EXPECT_EQ(home.Read("memoOp.Ini"), "[MEMO]\r\nVER=3\r\nTXT0=" + memos.File("a.txt") + "\r\n");
    // The session went on: a later change is written when the note closes.
    note->BackColor = 65280;
    note->close();
    EXPECT_NE(memos.Read("a.Ini").find("COLOR=65280\r\n"), std::string::npos);
    EXPECT_EQ(OpenMemoTable[0].FileName, "");
}

TEST_F(DeskMemos, TopmostNotesPutOnlyTheirOwnBackOnTop) {
    ASSERT_TRUE(memos.Write("a.txt", "a"));
    ASSERT_TRUE(memos.Write("b.txt", "b"));
    TfrFusen* a = OpenFusen(memos.File("a.txt"), false, false, {});
    TfrFusen* b = OpenFusen(memos.File("b.txt"), false, false, {});
    a->mnuTemaeClick();
    platform::SetTopMost(a, false);  // a modal view lowered it
    desk.TopmostNotes(0, 2);
    EXPECT_TRUE(platform::IsTopMost(a));
    EXPECT_FALSE(platform::IsTopMost(b));
}

TEST_F(DeskMemos, IndexOpensOnceAndNewMemoGoesThroughTheMainWindow) {
    desk.OpenMemoIndex();
    ASSERT_TRUE(desk.MemoIndexOpen());
    TfrMokuzi* first = frMokuzi;
    EXPECT_TRUE(IsOpen(WindowKind::MemoIndex));
    desk.OpenMemoIndex();
    EXPECT_EQ(frMokuzi, first);
    desk.CloseMemoIndex();
    EXPECT_FALSE(desk.MemoIndexOpen());
    EXPECT_FALSE(IsOpen(WindowKind::MemoIndex));

    // The main window checks the memo folder: a missing one opens nothing.
    main.opens = false;
    Settings.memo_path = memos.File("missing");
    desk.NewMemo(0, 1);
    EXPECT_EQ(main.sent, std::vector<unsigned>{WM_MAIN_COMMAND});
    EXPECT_FALSE(desk.MemoIndexOpen());
}

}  // namespace
