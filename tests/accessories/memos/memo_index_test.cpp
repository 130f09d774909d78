#include "memo_index.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <functional>

#include "cp932.h"
#include "fake_clipboard.h"
#include "fake_desktop.h"
#include "fake_messages.h"
#include "fake_trash.h"
#include "fonts.h"
#include "fusen_window.h"
#include "globals.h"
#include "memo_notes.h"
#include "open_memo_table.h"
#include "open_windows.h"
#include "paths.h"
#include "program_test.h"
#include "temp_folder.h"

using namespace foundation;
using namespace accessories;

namespace {

class Index : public ProgramTest {
  protected:
    void SetUp() override {
        Settings.memo_path = dir.Path();
        ClearOpenMemoTable();
        MakeFolder("Work");
        MakeFolder("Home");
        ASSERT_TRUE(dir.Write("a.txt", Sj("一\r\n二")));
        ASSERT_TRUE(dir.Write("b.txt", "b"));
        ASSERT_TRUE(dir.Write("p.bmp", "BM"));
        ASSERT_TRUE(dir.Write("Work/w.txt", "w"));
        ASSERT_TRUE(dir.Write("Work/w.bmp", "BM"));
        index = new TfrMokuzi;
        index->FormShow();
    }
    void TearDown() override {
        delete index;
        ForEachNote([](TfrFusen& n) { delete &n; });
        ClearOpenMemoTable();
    }
    void MakeFolder(const std::string& name) {
        ASSERT_TRUE(QDir().mkpath(platform::DiskPath(dir.File(name))));
    }
    QListWidgetItem* Category(const char* utf8) {
        for (int i = 0; i < index->lv1->count(); ++i) {
            if (index->lv1->item(i)->text() == U(utf8)) return index->lv1->item(i);
        }
        return nullptr;
    }
    void Show(const char* category) {
        index->lv1->setCurrentItem(Category(category));
        index->ListView1Click();
    }
    std::vector<QString> Files() {
        std::vector<QString> names;
        for (int i = 0; i < index->FileListBox1->count(); ++i) {
            names.push_back(index->FileListBox1->item(i)->text());
        }
        return names;
    }
    void Select(std::initializer_list<int> rows) {
        index->FileListBox1->clearSelection();
        for (int r : rows) {
            index->FileListBox1->setCurrentItem(index->FileListBox1->item(r));
            index->FileListBox1->item(r)->setSelected(true);
        }
    }

    TempFolder dir;
    FakeMessages messages;
    TfrMokuzi* index = nullptr;
};

TEST_F(Index, CategoriesFilesAndPreview) {
    EXPECT_EQ(index->windowTitle(), U("メモ目次"));
    EXPECT_TRUE(IsOpen(WindowKind::MemoIndex));
    ASSERT_EQ(index->lv1->count(), 3);
    EXPECT_EQ(index->lv1->item(0)->text(), U("標準"));
    EXPECT_EQ(index->lv1->currentItem(), index->lv1->item(0));
    EXPECT_EQ(Files(), (std::vector<QString>{"a.txt", "b.txt"}));
    index->FileListBox1->setCurrentRow(0);
    EXPECT_EQ(index->mm1->toPlainText(), U("一\n二"));
    index->FilterComboBox1->setCurrentIndex(1);
    EXPECT_EQ(Files(), std::vector<QString>{"p.bmp"});
    Show("Work");
    EXPECT_EQ(index->CurFolder, "Work");
    EXPECT_EQ(index->FileListFolder(), dir.Path() + "/Work/");
    EXPECT_EQ(Files(), std::vector<QString>{"w.bmp"});
    delete index;
    index = nullptr;
    EXPECT_FALSE(IsOpen(WindowKind::MemoIndex));
    EXPECT_EQ(frMokuzi, nullptr);
}

TEST_F(Index, OpenAsNotesOfTheFilterKind) {
    index->FilterComboBox1->setCurrentIndex(1);
    Select({0});
    index->mnuMemoOpClick();
    EXPECT_EQ(OpenMemoTable[0].FileName, dir.File("p.bmp"));
    EXPECT_EQ(OpenMemoTable[0].IsBitmap, 1);
    index->FilterComboBox1->setCurrentIndex(0);
    Select({0, 1});
    index->mnuMemoOpClick();
    EXPECT_EQ(OpenMemoTable[1].FileName, dir.File("a.txt"));
    EXPECT_EQ(OpenMemoTable[2].FileName, dir.File("b.txt"));
    EXPECT_EQ(OpenMemoTable[2].IsBitmap, 0);
}

TEST_F(Index, DeleteMemosToTheTrash) {
    FakeTrash trash;
    index->FileListBox1->setCurrentItem(nullptr);
    index->mnuDlClick();
    EXPECT_EQ(messages.Texts(), std::vector<QString>{U("削除するメモが選択されていません。")});
    EXPECT_TRUE(trash.paths.empty());
    Select({1});
    index->mnuDlClick();
    EXPECT_EQ(trash.paths, std::vector<std::string>{dir.File("b.txt")});
}

TEST_F(Index, DropOntoACategory) {
    Select({0, 1});
    index->ListView1DragDrop(Category("標準"));  // shown: each memo is already there
    EXPECT_EQ(messages.Texts(),
              (std::vector<QString>{U("これらのメモをﾌｫﾙﾀﾞ 標準 に移動します。"),
                                    U("移動先に同名のメモが存在するため移動できません。"),
                                    U("移動先に同名のメモが存在するため移動できません。")}));
    messages.shown.clear();
    messages.answers = {platform::kBtnNo};
    index->ListView1DragDrop(Category("Home"));
    EXPECT_EQ(Files().size(), 2u);
    messages.answers = {platform::kBtnYes};
    Select({0, 1});
    index->ListView1DragDrop(Category("Home"));
    EXPECT_TRUE(Files().empty());
    EXPECT_EQ(dir.Read("Home/a.txt"), Sj("一\r\n二"));
    EXPECT_EQ(dir.Read("Home/b.txt"), "b");

    Show("Work");
    messages.shown.clear();
    index->FilterComboBox1->setCurrentIndex(1);
    Select({0});
    index->ListView1DragDrop(Category("Work"));
    EXPECT_EQ(messages.Texts(), std::vector<QString>{U("同じﾌｫﾙﾀﾞに移動することはできません。")});
}

TEST_F(Index, NewFolder) {
    FakeDialogs dialogs;
    struct {
        std::optional<QString> answer;
        std::vector<QString> messages;
        const char* made;
    } const cases[] = {
        {std::nullopt, {}, nullptr},
        {QString(), {U("ﾌｫﾙﾀﾞ名が空です。作成できません。")}, nullptr},
        {U("標準"), {U("新規ﾌｫﾙﾀﾞ名に「標準」は使えません。")}, nullptr},
        {U("a.txt"), {}, "a．txt"},
        {U("b．txt"), {U("新規ﾌｫﾙﾀﾞは作成できませんでした。")}, nullptr},
        {U("x/y"), {}, "x／y"},
    };
    ASSERT_TRUE(dir.Write(Sj("b．txt"), "a file"));
    for (const auto& c : cases) {
        messages.shown.clear();
        dialogs.texts.push_back(c.answer);
        index->bt_mkdirClick();
        EXPECT_EQ(dialogs.asked.back(), U("ﾌｫﾙﾀﾞの新規作成|ﾌｫﾙﾀﾞ名を入力してください。|"));
        if (c.answer && *c.answer == U("b．txt")) {
            EXPECT_EQ(
                messages.Texts(),
                std::vector<QString>{U("ﾌｫﾙﾀﾞ[b．txt]は既に存在するので新規作成できません。")});
            continue;
        }
        EXPECT_EQ(messages.Texts(), c.messages);
        if (c.made) {
            EXPECT_TRUE(platform::IsFolder(dir.File(Sj(c.made))));
            EXPECT_NE(Category(c.made), nullptr);
        }
    }
    messages.shown.clear();
    dialogs.texts.push_back(U("Work"));
    index->bt_mkdirClick();
    EXPECT_EQ(messages.Texts(), std::vector<QString>{U("新規ﾌｫﾙﾀﾞは作成できませんでした。")});
    EXPECT_EQ(messages.shown[0].kind, platform::MsgKind::Warning);
}

TEST_F(Index, RenameShownFolderAndItsNotes) {
    ASSERT_TRUE(dir.Write("Work/n.txt", "n"));
    OpenFusen(dir.File("Work/n.txt"), false, false, {});
    OpenFusen(dir.File("Home/gone.txt"), false, false, {});
    Show("Work");
    index->ListView1Edited(Category("Work"), QStringLiteral("a.b"));
    EXPECT_TRUE(platform::IsFolder(dir.File(Sj("a．b"))));
    EXPECT_FALSE(platform::IsFolder(dir.File("Work")));
    EXPECT_EQ(index->CurFolder, ".");
    EXPECT_EQ(index->lv1->currentItem()->text(), U("標準"));
    EXPECT_NE(Category("a．b"), nullptr);
    EXPECT_EQ(OpenMemoTable[0].FileName, dir.File(Sj("a．b/n.txt")));
    EXPECT_EQ(OpenMemoTable[1].FileName, dir.File("Home/gone.txt"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Index, RenameRefusals) {
    EXPECT_FALSE(index->ListView1Editing(Category("標準")));
    EXPECT_EQ(messages.Texts(), std::vector<QString>{U("標準ﾌｫﾙﾀﾞ名は変更できません。")});
    EXPECT_TRUE(index->ListView1Editing(Category("Work")));
    struct {
        const char* to;
        const char* message;
    } const cases[] = {
        {"標準", "新規ﾌｫﾙﾀﾞ名に「標準」は使えません。"},
        {"Home", "ﾌｫﾙﾀﾞ名を変更できません"},  // an existing folder is never replaced
    };
    for (const auto& c : cases) {
        messages.shown.clear();
        index->ListView1Edited(Category("Work"), U(c.to));
        EXPECT_EQ(messages.Texts(), std::vector<QString>{U(c.message)});
        EXPECT_EQ(dir.Read("Work/w.txt"), "w");
        EXPECT_NE(Category("Work"), nullptr);
    }
    EXPECT_TRUE(platform::IsFolder(dir.File("Home")));
}

TEST_F(Index, RenameWithCharactersShiftJisCannotHoldGoesBackToTheNameAsTyped) {
    index->show();
    QListWidgetItem* work = Category("Work");
    index->lv1->setCurrentItem(work);
    index->lv1->editItem(work);
    auto* editor = index->lv1->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    const QString typed = QString::fromUtf8("W\xF0\x9F\x98\x80");
    editor->setText(typed);
    messages.answers = {platform::kBtnNo};
    QTest::keyClick(editor, Qt::Key_Return);
    // The name comes to the index after the editor has closed.
    for (int i = 0; i < 10 && messages.shown.empty(); ++i) QCoreApplication::processEvents();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(platform::IsFolder(dir.File("Work")));
    // The editor open again is the one that shows the name as typed.
    QLineEdit* shown = nullptr;
    for (QLineEdit* e : index->lv1->viewport()->findChildren<QLineEdit*>())
        if (e->isVisible()) shown = e;
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text(), typed);
}

TEST_F(Index, DeleteFolderClosesEveryNoteInIt) {
    FakeTrash trash;
    TfrFusen* text = OpenFusen(dir.File("Work/w.txt"), false, false, {});
    TfrFusen* bitmap = OpenFusen(dir.File("Work/w.bmp"), true, false, {});
    TfrFusen* other = OpenFusen(dir.File("a.txt"), false, false, {});
    index->lv1->setCurrentItem(Category("標準"));
    index->bt_DelDirClick();
    EXPECT_EQ(messages.Texts(), std::vector<QString>{U("標準ﾌｫﾙﾀﾞは削除できません。")});
    Show("Work");
    messages.shown.clear();
    messages.answers = {platform::kBtnNo};
    index->bt_DelDirClick();
    EXPECT_EQ(messages.Texts(), std::vector<QString>{U("ﾌｫﾙﾀﾞ Work を削除します。")});
    EXPECT_TRUE(trash.paths.empty());
    messages.answers = {platform::kBtnYes};
    index->bt_DelDirClick();
    EXPECT_FALSE(text->isVisible());
    EXPECT_FALSE(bitmap->isVisible());
    EXPECT_TRUE(other->isVisible());
    EXPECT_EQ(trash.paths, std::vector<std::string>{dir.File("Work")});
    EXPECT_EQ(index->CurFolder, ".");
    // The notes wrote their companion files before the folder went.
    EXPECT_TRUE(dir.Exists("Work/w.Ini"));
}

// Moving the folder mark row by row draws the list as a freshly opened index does.
TEST_F(Index, TheMarkAfterEachActionAsAFreshIndexDrawsIt) {
    FakeDialogs dialogs;
    FakeTrash trash;
    messages.answers = {platform::kBtnYes};
    const auto drawn = [](TfrMokuzi* w) {
        w->lv1->setFixedSize(145, 120);
        return w->lv1->grab().toImage();
    };
    struct {
        const char* what;
        std::function<void(TfrMokuzi*)> act;
    } const steps[] = {
        {"open", [](TfrMokuzi*) {}},
        {"show Work", [this](TfrMokuzi*) { Show("Work"); }},
        {"show Home", [this](TfrMokuzi*) { Show("Home"); }},
        {"rename the shown Home",
         [this](TfrMokuzi* w) { w->ListView1Edited(Category("Home"), QStringLiteral("Hx")); }},
        {"rename another",
         [this](TfrMokuzi* w) {
             Show("Work");
             w->ListView1Edited(Category("Hx"), QStringLiteral("Hy"));
         }},
        {"new folder",
         [&dialogs](TfrMokuzi* w) {
             dialogs.texts.push_back(QStringLiteral("Aa"));
             w->bt_mkdirClick();
         }},
        {"delete the shown Work", [](TfrMokuzi* w) { w->bt_DelDirClick(); }},
    };
    for (const auto& step : steps) {
        step.act(index);
        const QImage live = drawn(index);
        TfrMokuzi fresh;
        fresh.CurFolder = index->CurFolder;
        fresh.FormShow();
        EXPECT_EQ(live, drawn(&fresh)) << step.what;
    }
    EXPECT_EQ(index->CurFolder, ".");
    EXPECT_NE(Category("Hy"), nullptr);
    EXPECT_NE(Category("Aa"), nullptr);
}

TEST_F(Index, CopyAndMenuStates) {
    FakeClipboard clipboard;
    index->FileListBox1->setCurrentRow(0);
    index->PopupMenu1Popup();
    EXPECT_FALSE(index->Copy1->isEnabled());
    index->mnuMemoCbCpClick();
    EXPECT_EQ(clipboard.text.value_or(QString()), U("一\n二"));
    EXPECT_FALSE(index->mm1->textCursor().hasSelection());
    index->FileListBox1->clearSelection();
    index->PopupMenu2Popup();
    EXPECT_FALSE(index->mnuMemoOp->isEnabled());
    EXPECT_FALSE(index->mnuMemoDel->isEnabled());
    Select({1});
    index->PopupMenu2Popup();
    EXPECT_TRUE(index->mnuMemoOp->isEnabled());
}

TEST_F(Index, CloseKeepsTheBoundsInTheSettings) {
    index->setGeometry(40, 50, 400, 300);
    index->close();
    index = nullptr;  // deleted on close
    EXPECT_EQ(Settings.mokuzi_tlwh.l, 40);
    EXPECT_EQ(Settings.mokuzi_tlwh.t, 50);
    EXPECT_EQ(Settings.mokuzi_tlwh.w, 400);
    EXPECT_EQ(Settings.mokuzi_tlwh.h, 300);
    EXPECT_GT(Settings.mokuzi_tlwh.lv1_w, 0);
    EXPECT_GT(Settings.mokuzi_tlwh.fb1_h, 0);
}

TEST_F(Index, CategoriesKeepTheirWidthAndTheMenuFitsAtTheSavedSize) {
    platform::InstallFontSubstitutes();  // the menu's widths are those of the program's font
    delete index;
    index = new TfrMokuzi;
    Settings.mokuzi_tlwh = INIT().mokuzi_tlwh;
    index->PlaceFromSettings();
    index->show();
    QApplication::processEvents();
    auto* more = index->MainMenu1->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
    ASSERT_NE(more, nullptr);
    EXPECT_FALSE(more->isVisible()) << "a menu item hides behind the overflow button";
    EXPECT_LE(index->MainMenu1->sizeHint().width(), 266);
    EXPECT_EQ(index->lv1->width(), 145);
    EXPECT_EQ(index->FileListBox1->height(), 177);
    index->resize(index->width() + 200, index->height() + 100);
    QApplication::processEvents();
    EXPECT_EQ(index->lv1->width(), 145);
    EXPECT_EQ(index->FileListBox1->height(), 177);
    // A picture larger than the preview changes neither the window nor its panes.
    QImage big(900, 700, QImage::Format_RGB32);
    big.fill(Qt::white);
    ASSERT_TRUE(big.save(platform::DiskPath(dir.File("p.bmp")), "BMP"));
    const QSize before = index->size();
    index->FilterComboBox1->setCurrentIndex(1);
    index->FileListBox1->setCurrentRow(0);
    QApplication::processEvents();
    ASSERT_TRUE(index->img->isVisible());
    EXPECT_EQ(index->size(), before);
    EXPECT_EQ(index->lv1->width(), 145);
    EXPECT_EQ(index->FileListBox1->height(), 177);
}

TEST(RightClickSelection, AsTheFileListWantsIt) {
    using V = std::vector<bool>;
    struct {
        V selected;
        int row;
        V expected;
    } const cases[] = {
        {{false, false, false}, 1, {false, true, false}},
        {{true, false, false}, 2, {false, false, true}},
        {{true, false, false}, -1, {false, false, false}},
        {{true, true, false}, 1, {true, true, false}},   // on a selected row: kept
        {{true, true, false}, 2, {false, false, true}},  // on another row: only that one
        {{true, true, false}, -1, {false, false, false}},
        {{}, -1, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(RightClickSelection(c.selected, c.row), c.expected);
}

TEST(PlaceMemoIndex, KeptOnTheDesktop) {
    const QRect desktop(0, 0, 1280, 800);
    struct {
        MokuziTLWH saved;
        QRect expected;
    } const cases[] = {
        {{{10, 20, 266, 377}, 145, 177}, QRect(20, 10, 266, 377)},
        {{{10, 1240, 266, 377}, 145, 177}, QRect(0, 10, 266, 377)},
        {{{-5, -1, 266, 377}, 145, 177}, QRect(0, 0, 266, 377)},
        {{{100, 300, 1280, 800}, 145, 177}, QRect(0, 0, 1274, 794)},
        {{{760, 10, 266, 377}, 145, 177}, QRect(10, 0, 266, 377)},
        {{{0, 0, 0, 0}, 145, 177}, QRect(0, 0, 100, 100)},
    };
    for (const auto& c : cases) EXPECT_EQ(PlaceMemoIndex(c.saved, desktop), c.expected);
}

}  // namespace
