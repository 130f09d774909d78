#include "fusen_window.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPointer>

#include "color.h"
#include "cp932.h"
#include "fake_clipboard.h"
#include "fake_desktop.h"
#include "fake_image_editor.h"
#include "fake_messages.h"
#include "fake_modal_runs.h"
#include "fake_trash.h"
#include "globals.h"
#include "link_dialog.h"
#include "memo_editor.h"
#include "memo_editor_call.h"
#include "memo_names.h"
#include "memo_notes.h"
#include "memo_title_dialog.h"
#include "messages.h"
#include "open_memo_table.h"
#include "paths.h"
#include "program_test.h"
#include "temp_folder.h"
#include "window_flags.h"

using namespace foundation;
using namespace schedule;
using namespace accessories;

namespace {

class RecordingMain : public MainDispatcher {
  public:
    intptr_t Send(unsigned message, intptr_t wParam, intptr_t lParam) override {
        sent.push_back({message, wParam, lParam});
        return 0;
    }
    struct Sent {
        unsigned message;
        intptr_t wParam, lParam;
        bool operator==(const Sent&) const = default;
    };
    std::vector<Sent> sent;
};

class Notes : public ProgramTest {
  protected:
    void SetUp() override {
        Settings.memo_path = dir.Path();
        ClearOpenMemoTable();
        MainWnd = &main;
    }
    void TearDown() override {
        ForEachNote([](TfrFusen& n) { delete &n; });
        ClearOpenMemoTable();
        MainWnd = nullptr;
    }
    std::string Path(const std::string& name) { return dir.File(name); }
    int NoteCount() {
        int n = 0;
        ForEachNote([&n](TfrFusen&) { ++n; });
        return n;
    }

    TempFolder dir;
    FakeMessages messages;
    FakeModalRuns modals;
    RecordingMain main;
};

TEST_F(Notes, WithoutCompanionFileAYellowNoteAtTheIndex) {
    ASSERT_TRUE(dir.Write("a.txt", Sj("買物\r\n牛乳")));
    TfrFusen* note = OpenFusen(Path("a.txt"), false, true, QPoint(120, 80));
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(note->geometry(), QRect(120, 80, 315, 124));
    EXPECT_EQ(note->BackColor, 65535u);
    EXPECT_EQ(note->Text, Sj("買物\r\n牛乳"));
    EXPECT_EQ(note->toolTip(), U("ﾒﾓ [a.txt]"));
    EXPECT_TRUE(note->testAttribute(Qt::WA_AlwaysShowToolTips)) << "hint only while active";
    EXPECT_EQ(note->Tag(), 0);
    EXPECT_EQ(OpenMemoTable[0].FileName, Path("a.txt"));
    EXPECT_EQ(OpenMemoTable[0].Wnd, note);
    EXPECT_TRUE(note->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(note->windowType(), Qt::Window);
    EXPECT_FALSE(platform::IsTopMost(note));
    // A second note without a place does not hide the first.
    ASSERT_TRUE(dir.Write("b.txt", "b"));
    TfrFusen* second = OpenFusen(Path("b.txt"), false, true, QPoint(120, 80));
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(second->geometry().intersects(note->geometry())) << second->geometry().x();
}

TEST_F(Notes, OpeningRules) {
    ASSERT_TRUE(dir.Write("a.txt", "x"));
    EXPECT_EQ(OpenFusen(Path("gone.txt"), false, true, {}), nullptr);  // restoring
    TfrFusen* empty = OpenFusen(Path("gone.txt"), false, false, {});   // from the index
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->Text, "");
    TfrFusen* a = OpenFusen(Path("a.txt"), false, false, {});
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(OpenFusen(Path("a.txt"), false, false, {}), nullptr);  // raised instead
    EXPECT_EQ(NoteCount(), 2);
    for (int i = 2; i < kMemoSlots; ++i) {
        ASSERT_NE(OpenFusen(Path(std::to_string(i) + ".txt"), false, false, {}), nullptr);
    }
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(OpenFusen(Path("a.txt"), false, false, {}), nullptr);
    EXPECT_TRUE(messages.shown.empty());  // already open: raised even when all slots are used
    EXPECT_EQ(OpenFusen(Path("more.txt"), false, false, {}), nullptr);
    EXPECT_EQ(messages.Texts(), std::vector<QString>{U("これ以上メモを開けません。")});
    // The note in slot 5 closes: the next note takes slot 5.
    OpenMemoTable[5].Wnd->close();
    TfrFusen* next = OpenFusen(Path("more.txt"), false, false, {});
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->Tag(), 5);
}

TEST_F(Notes, CompanionFileWrittenAtCloseAndReadBack) {
    ASSERT_TRUE(dir.Write("a.txt", "x"));
    TfrFusen* note = OpenFusen(Path("a.txt"), false, false, {});
    note->setGeometry(200, 150, 180, 90);
    note->BackColor = 0x00FF00;
    note->NoteFont.Bold = true;
    OpenMemoTable[note->Tag()].Link = "http://example.com/";
    note->close();
    EXPECT_EQ(OpenMemoTable[0].FileName, "");
    const std::string ini = dir.Read("a.Ini");
    EXPECT_NE(ini.find("[TLWH]\r\nT=150\r\nL=200\r\nW=180\r\nH=90\r\n[HAIKEI]\r\nCOLOR=65280\r\n"
                       "[ETC]\r\nKANREN=http://example.com/\r\nTEMAE=0\r\n"),
              std::string::npos)
        << ini;
    EXPECT_NE(ini.find("Bold=1\r\n"), std::string::npos);

    TfrFusen* again = OpenFusen(Path("a.txt"), false, false, {});
    EXPECT_EQ(again->geometry(), QRect(200, 150, 180, 90));
    EXPECT_EQ(again->BackColor, 0x00FF00u);
    EXPECT_TRUE(again->NoteFont.Bold);
    EXPECT_EQ(OpenMemoTable[again->Tag()].Link, "http://example.com/");
    // Plain again: the next start shows it plain.
    again->NoteFont.Bold = false;
    again->close();
    EXPECT_NE(dir.Read("a.Ini").find("Bold=0\r\n"), std::string::npos);
}

TEST_F(Notes, NewMemoTakesTheSettingsLookOverALeftoverCompanion) {
    ASSERT_TRUE(dir.Write("n.Ini", "[HAIKEI]\r\nCOLOR=255\r\n[FONT]\r\nNAME=Old\r\nItalic=1\r\n"));
    Settings.memo_color = 0xFFCCCC;
    Settings.MemoFont.Name = "Serif";
    Settings.MemoFont.Size = 14;
    TfrFusen* note = OpenFusen(Path("n.txt"), false, false, {}, true);
    EXPECT_EQ(note->BackColor, 0xFFCCCCu);
    EXPECT_EQ(note->NoteFont.Name, "Serif");
    EXPECT_EQ(note->NoteFont.Size, 14);
    EXPECT_FALSE(note->NoteFont.Italic);
}

TEST_F(Notes, PeelOffTrashesBothAndWritesNothingMore) {
    FakeTrash trash;  // files stay on disk: what is written after the peel shows
    ASSERT_TRUE(dir.Write("a.txt", "x"));
    ASSERT_TRUE(dir.Write("a.Ini", "[MARK]\r\n"));
    TfrFusen* note = OpenFusen(Path("a.txt"), false, false, {});
    QPointer<TfrFusen> alive(note);
    messages.answers = {platform::kBtnNo};
    note->mnuHagasuClick();
    EXPECT_TRUE(note->isVisible());
    EXPECT_TRUE(trash.paths.empty());
    messages.answers = {platform::kBtnYes};
    note->mnuHagasuClick();
    EXPECT_EQ(messages.Texts().back(), U("このﾒﾓ[a.txt]を削除します。 よろしいですか？"));
    EXPECT_EQ(trash.paths, (std::vector<std::string>{Path("a.txt"), Path("a.Ini")}));
    EXPECT_FALSE(note->isVisible());
    EXPECT_EQ(OpenMemoTable[0].FileName, "");
    EXPECT_EQ(dir.Read("a.Ini"), "[MARK]\r\n");
}

TEST_F(Notes, PeelOffKeepsTheNoteWhenTheMemoCannotGo) {
    FakeTrash trash;
    trash.result = false;
    ASSERT_TRUE(dir.Write("a.txt", "x"));
    TfrFusen* note = OpenFusen(Path("a.txt"), false, false, {});
    messages.answers = {platform::kBtnYes};
    note->mnuHagasuClick();
    EXPECT_EQ(messages.Texts().back(), U("ﾒﾓ[a.txt]をごみ箱へ移動できませんでした。"));
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(OpenMemoTable[0].FileName, Path("a.txt"));
    EXPECT_EQ(trash.paths.size(), 1u);
}

TEST_F(Notes, AlwaysOnTopBelongsToTheNote) {
    ASSERT_TRUE(dir.Write("a.txt", "x"));
    TfrFusen* note = OpenFusen(Path("a.txt"), false, false, {});
    note->mnuTemaeClick();
    EXPECT_TRUE(note->mnuTemae->isChecked());
    EXPECT_EQ(OpenMemoTable[0].TopMost, 1);
    EXPECT_TRUE(platform::IsTopMost(note));
    EXPECT_TRUE(main.sent.empty());
    note->mnuTemaeClick();
    EXPECT_FALSE(platform::IsTopMost(note));
    EXPECT_EQ(OpenMemoTable[0].TopMost, 0);
    EXPECT_EQ(main.sent, (std::vector<RecordingMain::Sent>{{WM_MAIN_TOPMOST, 0, 2}}));

    note->mnuTemaeClick();
    note->close();
    EXPECT_NE(dir.Read("a.Ini").find("TEMAE=1\r\n"), std::string::npos);
    // A note that takes the freed slot is not on top by inheritance.
    ASSERT_TRUE(dir.Write("b.txt", "y"));
    TfrFusen* b = OpenFusen(Path("b.txt"), false, false, {});
    EXPECT_EQ(b->Tag(), 0);
    EXPECT_EQ(OpenMemoTable[0].TopMost, 0);
    EXPECT_FALSE(platform::IsTopMost(b));
    TfrFusen* a = OpenFusen(Path("a.txt"), false, false, {});
    EXPECT_TRUE(platform::IsTopMost(a));
    EXPECT_TRUE(a->mnuTemae->isChecked());
}

TEST_F(Notes, MenuCommands) {
    FakeClipboard clipboard;
    ASSERT_TRUE(dir.Write("a.txt", Sj("一行目\r\n二行目")));
    ASSERT_TRUE(dir.Write("p.bmp", "BM"));
    TfrFusen* text = OpenFusen(Path("a.txt"), false, false, {});
    TfrFusen* bitmap = OpenFusen(Path("p.bmp"), true, false, {});
    text->mnuCopyClick();
    ASSERT_TRUE(clipboard.text.has_value());
    EXPECT_EQ(*clipboard.text, U("一行目\n二行目"));
    bitmap->mnuCopyClick();
    EXPECT_EQ(messages.Texts(), std::vector<QString>{U("BMP画像はｺﾋﾟｰできません。")});
    EXPECT_EQ(bitmap->Text, Path("p.bmp"));

    text->mnuTextMemoMkClick();
    bitmap->mnuBmpMemoMkClick();
    EXPECT_EQ(main.sent,
              (std::vector<RecordingMain::Sent>{{WM_MAIN_NEWMEMO, 0, 1}, {WM_MAIN_NEWMEMO, 0, 2}}));
    EXPECT_FALSE(text->mnuHarituke->isVisible());
    std::vector<QString> captions;
    for (QAction* a : text->pmnu->actions()) captions.push_back(a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(captions,
              (std::vector<QString>{
                  U("閉じる(&C)"), "-", U("関連付けした情報を開く(&O)"),
                  U("情報を関連付けする(&K)"), "-", U("編集(&E)"), "-", U("はがす(ﾒﾓﾌｧｲﾙの消去）"),
                  "-", U("ﾒﾓの新規作成"), "-", U("ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&B)"), U("ｸﾘｯﾌﾟﾎﾞｰﾄﾞから貼付け"),
                  "-", U("背景色の変更(&H)"), U("ﾌｫﾝﾄの変更(&F)"), U("常に手前に表示する")}));

    FakeDocuments documents;
    text->mnuKanrenOpenClick();
    EXPECT_TRUE(documents.opened.empty());
    OpenMemoTable[text->Tag()].Link = Sj("/home/u/書類.odt");
    text->mnuKanrenOpenClick();
    EXPECT_EQ(documents.opened, std::vector<QString>{U("/home/u/書類.odt")});

    FakeDialogs dialogs;
    dialogs.colors.push_back(QColor(0x12, 0x34, 0x56));
    text->mnuColClick();
    EXPECT_EQ(text->BackColor, 0x563412u);
    text->mnuColClick();  // cancelled
    EXPECT_EQ(text->BackColor, 0x563412u);
    // The background is custom colour A; the dialog itself keeps the colour last chosen in it.
    EXPECT_EQ(dialogs.customColors,
              (std::vector<std::vector<QColor>>{{QColor(Qt::yellow)}, {QColor(0x12, 0x34, 0x56)}}));
    EXPECT_EQ(dialogs.colorAsked,
              (std::vector<QColor>{QColor(Qt::black), QColor(0x12, 0x34, 0x56)}));
    QFont chosen(QStringLiteral("Serif"), 15);
    chosen.setItalic(true);
    dialogs.fonts.push_back(chosen);
    const uint32_t color = text->NoteFont.Color;
    text->mnuTxtClick();
    EXPECT_EQ(text->NoteFont.Size, 15);
    EXPECT_TRUE(text->NoteFont.Italic);
    EXPECT_EQ(text->NoteFont.Color, color);
}

TEST_F(Notes, EditingTextAndPicture) {
    ASSERT_TRUE(dir.Write("a.txt", "old"));
    ASSERT_TRUE(dir.Write("p.bmp", "BM"));
    TfrFusen* text = OpenFusen(Path("a.txt"), false, false, {});
    std::string editedPath, startText;
    bool saves = false;
    modals.Answer<TfrMemo>([&](TfrMemo& m) {
        editedPath = m.MemoFileName;
        startText = m.Text();
        m.SetText("new");
        return saves ? TfrMemo::kResultSaved : TfrMemo::kResultNotSaved;
    });
    text->mnuEditClick();
    EXPECT_EQ(editedPath, Path("a.txt"));
    EXPECT_EQ(startText, "old");
    EXPECT_EQ(text->Text, "old");  // not saved: the note keeps its text
    saves = true;
    text->mnuEditClick();
    EXPECT_EQ(text->Text, "new");

    FakeImageEditor editor;
    TfrFusen* bitmap = OpenFusen(Path("p.bmp"), true, false, {});
    bitmap->mnuEditClick();
    ASSERT_EQ(editor.edited.size(), 1u);
    EXPECT_EQ(editor.edited[0], platform::DiskPath(Path("p.bmp")));
    editor.End(0);  // the note reads its picture again
    bitmap->mnuEditClick();
    delete bitmap;  // the note goes while its editor still runs
    editor.End(1);
    EXPECT_EQ(NoteCount(), 1);
}

TEST_F(Notes, NewTextMemo) {
    std::string title = "a/b:c", category;
    bool confirm = true;
    modals.Answer<TfrMemoTiInp>([&](TfrMemoTiInp& d) {
        EXPECT_EQ(d.cb_dir->itemText(0), U("標準"));
        d.tx->setText(platform::FromCp932(title));
        return confirm ? TfrMemoTiInp::kResultOk : TfrMemoTiInp::kResultCancel;
    });
    bool saves = false;
    modals.Answer<TfrMemo>([&](TfrMemo& m) {
        EXPECT_EQ(m.Text(), "");
        if (saves) platform::WriteFileAtomic(m.MemoFileName, "written");
        return saves ? TfrMemo::kResultSaved : TfrMemo::kResultNotSaved;
    });
    EXPECT_EQ(NewTextMemo(nullptr, {}), "");
    EXPECT_FALSE(dir.Exists(Sj("a／b：c.txt")));
    EXPECT_EQ(NoteCount(), 0);
    saves = true;
    EXPECT_EQ(NewTextMemo(nullptr, {}), Path(Sj("a／b：c.txt")));
    EXPECT_EQ(NoteCount(), 1);
    EXPECT_EQ(NewTextMemo(nullptr, {}), "");
    EXPECT_EQ(messages.Texts(),
              std::vector<QString>{U("ﾌｧｲﾙ[a／b：c.txt]は既に存在するので新規作成できません。")});
    confirm = false;
    title = "other";
    EXPECT_EQ(NewTextMemo(nullptr, {}), "");
    EXPECT_EQ(NoteCount(), 1);
}

TEST_F(Notes, NewBitmapMemo) {
    TempFolder program;
    AppDir = program.Path();
    modals.Answer<TfrMemoTiInp>([](TfrMemoTiInp& d) {
        d.tx->setText(QStringLiteral("pic"));
        return TfrMemoTiInp::kResultOk;
    });
    FakeImageEditor editor;
    int done = 0;
    // The blank picture is missing: said so, no editor.
    EXPECT_EQ(NewBitmapMemo(nullptr, nullptr, [&] { ++done; }), "");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.Texts()[0].endsWith(U("]をコピーできませんでした。")));
    EXPECT_TRUE(editor.edited.empty());
    EXPECT_FALSE(dir.Exists("pic.bmp"));

    ASSERT_TRUE(program.Write("shiro.bmp", "BMblank"));
    EXPECT_EQ(NewBitmapMemo(
                  nullptr, [] { return QPoint(7, 9); }, [&] { ++done; }),
              Path("pic.bmp"));
    EXPECT_EQ(dir.Read("pic.bmp"), "BMblank");
    EXPECT_EQ(Settings.now_memo_fname, Path("pic.bmp"));
    ASSERT_EQ(editor.edited.size(), 1u);
    EXPECT_EQ(NoteCount(), 0);  // not before the editor has ended
    editor.End(0);
    EXPECT_EQ(done, 1);
    ASSERT_EQ(NoteCount(), 1);
    EXPECT_EQ(OpenMemoTable[0].FileName, Path("pic.bmp"));
    EXPECT_EQ(OpenMemoTable[0].IsBitmap, 1);
    EXPECT_EQ(OpenMemoTable[0].Wnd->pos(), QPoint(7, 9));
}

TEST_F(Notes, SizeNeverBelowTheMinimum) {
    ASSERT_TRUE(dir.Write("a.Ini", "[TLWH]\r\nW=10\r\nH=-4\r\n"));
    TfrFusen* note = OpenFusen(Path("a.txt"), false, false, {});
    EXPECT_EQ(note->size(), QSize(25, 20));
    note->resize(3, 3);
    EXPECT_EQ(note->size(), QSize(25, 20));
}

TEST(MemoTitleDialog, ATitleShiftJisCannotHoldIsAskedAbout) {
    FakeMessages messages;
    TfrMemoTiInp d;
    d.tx->setText(U("M😀♡1"));
    d.show();
    messages.answers = {platform::kBtnNo, platform::kBtnYes};
    d.bt_ok->click();
    EXPECT_TRUE(d.isVisible());  // back to the title as typed
    EXPECT_EQ(d.tx->text(), U("M😀♡1"));
    d.bt_ok->click();
    EXPECT_EQ(d.result(), TfrMemoTiInp::kResultOk);
    EXPECT_EQ(TitleToFileName(d.Title()), "M1");
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST(LinkDialog, PickedFileGoesIntoTheBox) {
    FakeDialogs dialogs;
    TfrKanren dialog;
    EXPECT_EQ(dialog.windowTitle(), U("付箋ﾒﾓに関連付ける情報"));
    dialog.tx->setText(QStringLiteral("/old"));
    dialogs.files.push_back(QStringLiteral("/home/u/a.odt"));
    dialog.bt_sanClick();
    EXPECT_EQ(dialog.tx->text(), QStringLiteral("/home/u/a.odt"));
    dialog.bt_sanClick();  // cancelled
    EXPECT_EQ(dialog.tx->text(), QStringLiteral("/home/u/a.odt"));
    EXPECT_EQ(dialogs.asked.back(), U("付箋ﾒﾓに関連付ける情報|/home/u/a.odt"));
}

}  // namespace

namespace {

TEST_F(Notes, HugeOrBrokenMemosOpenAndPaint) {
    struct {
        const char* name;
        std::string bytes;
    } const cases[] = {
        {"invalid Shift-JIS", std::string("\x81\x81\xFF\xFE\x80\xA0\x81", 7)},
        {"a megabyte", std::string(1 << 20, 'x')},
        {"a lead byte at the end", "abc\x82"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(dir.Write("m.txt", c.bytes));
        TfrFusen* note = OpenFusen(Path("m.txt"), false, true, {});
        ASSERT_NE(note, nullptr);
        EXPECT_EQ(note->Text, c.bytes);  // kept as read: nothing is lost on the way
        EXPECT_FALSE(note->grab().isNull());
        note->close();
    }
    ASSERT_TRUE(dir.Write("b.bmp", "not a bitmap"));
    TfrFusen* bitmap = OpenFusen(Path("b.bmp"), true, true, {});
    ASSERT_NE(bitmap, nullptr);
    EXPECT_FALSE(bitmap->grab().isNull());
}

}  // namespace
