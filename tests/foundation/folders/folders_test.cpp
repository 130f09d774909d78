#include "folders.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include "cp932.h"
#include "fake_folder_picker.h"
#include "fake_messages.h"
#include "fake_process.h"
#include "fake_trash.h"
#include "globals.h"
#include "path_dialog.h"
#include "paths.h"
#include "program_test.h"
#include "scoped_port.h"
#include "temp_folder.h"

using namespace foundation;

namespace {

using platform::FromCp932;

bool MakeFolder(const std::string& path) { return QDir().mkpath(platform::DiskPath(path)); }

TEST(OtherUserStartFolder, ParentOfTheScheduleFolder) {
    struct {
        std::string datPath;
        bool ok;
        std::string start;
    } const cases[] = {
        {"/x/users/hanako/", true, "/x/users"},
        {"/x/users/hanako", true, "/x/users"},
        {"/x/users/hanako//", true, "/x/users"},
        {"/hanako/", true, "/"},
        {Sj("/x/利用者/花子/"), true, Sj("/x/利用者")},
        {"/", false, ""},
        {"//", false, ""},
        {"", false, ""},
    };
    for (const auto& c : cases) {
        std::string start;
        EXPECT_EQ(OtherUserStartFolder(c.datPath, start), c.ok) << c.datPath;
        if (c.ok) {
            EXPECT_EQ(start, c.start) << c.datPath;
        }
    }
}

TEST(OtherUserViewerStart, UserNamePathYearMonthAsSeparateArguments) {
    struct {
        std::string chosen;
        bool ok;
        QStringList args;
    } const cases[] = {
        {"/x/users/taro", true, {"taro", "/x/users/taro", "2024", "3"}},
        {"/x/users/taro/", true, {"taro", "/x/users/taro", "2024", "3"}},
        {"/x/my users/ta ro", true, {"ta ro", "/x/my users/ta ro", "2024", "3"}},
        {Sj("/x/users/花子"), true, {"花子", "/x/users/花子", "2024", "3"}},
        {"/", false, {}},
        {"", false, {}},
    };
    for (const auto& c : cases) {
        ViewerStart start;
        EXPECT_EQ(OtherUserViewerStart(c.chosen, "/opt/kol vane", 2024, 3, start), c.ok)
            << c.chosen;
        if (!c.ok) continue;
        EXPECT_EQ(start.program, QStringLiteral("/opt/kol vane/tavikg"));
        EXPECT_EQ(start.args, c.args) << c.chosen;
    }
}

class ViewOtherUserTest : public ProgramTest {
  protected:
    void SetUp() override {
        users = temp.File("users");
        ASSERT_TRUE(MakeFolder(users + "/hanako"));
        ASSERT_TRUE(MakeFolder(users + "/taro"));
        Settings.dat_Path = users + "/hanako/";
        AppDir = "/opt/k";
        CurYear = 2024;
        CurMonth = 7;
    }

    TempFolder temp;
    std::string users;
    FakeMessages messages;
    FakeProcesses processes;
    FakeFolderPicker picker;
};

TEST_F(ViewOtherUserTest, ChosenSiblingStartsTheViewer) {
    picker.answers = {users + "/taro"};
    ViewOtherUser();
    EXPECT_EQ(picker.captions, std::vector<QString>{QStringLiteral("他のユーザー予定の参照")});
    EXPECT_EQ(picker.starts, std::vector<std::string>{users});
    ASSERT_EQ(processes.starts.size(), 1u);
    // Beside this program, never in AppDir (the shipped files once installed).
    EXPECT_EQ(processes.starts[0].program,
              platform::ExecutableDirOnDisk() + QStringLiteral("/tavikg"));
    EXPECT_EQ(processes.starts[0].args,
              (QStringList{"taro", FromCp932(users + "/taro"), "2024", "7"}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ViewOtherUserTest, RefusalsAndCancel) {
    struct {
        bool ownFolder;  // the temp schedule folder, else datPath
        std::string datPath;
        std::string answer;
        int pickerCalls;
        QString message;
    } const cases[] = {
        {false, "/", "", 0, "他のユーザー予定を参照できるディレクトリ構成ではありません。"},
        {false, "//", "", 0, "他のユーザー予定を参照できるディレクトリ構成ではありません。"},
        {false, "", "", 0, "他のユーザー予定を参照できるディレクトリ構成ではありません。"},
        {true, "", "/", 1, "指定されたディレクトリは参照できません。"},
        {true, "", "//", 1, "指定されたディレクトリは参照できません。"},
        {true, "", "", 1, ""},  // cancelled
    };
    for (const auto& c : cases) {
        messages.shown.clear();
        picker.starts.clear();
        Settings.dat_Path = c.ownFolder ? users + "/hanako/" : c.datPath;
        picker.answers = {c.answer};
        ViewOtherUser();
        EXPECT_EQ(picker.starts.size(), size_t(c.pickerCalls)) << c.datPath << " " << c.answer;
        EXPECT_TRUE(processes.starts.empty());
        if (c.message.isEmpty()) {
            EXPECT_TRUE(messages.shown.empty());
        } else {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].text, c.message);
            EXPECT_EQ(messages.shown[0].kind, platform::MsgKind::Plain);
            EXPECT_EQ(messages.shown[0].buttons, std::vector<int>{platform::kBtnOk});
        }
    }
}

TEST_F(ViewOtherUserTest, MissingParentFolderStopsWithAnError) {
    Settings.dat_Path = temp.File("gone/hanako/");
    ViewOtherUser();
    EXPECT_TRUE(picker.starts.empty());
    EXPECT_TRUE(processes.starts.empty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, platform::MsgKind::Error);
}

TEST_F(ViewOtherUserTest, DialogOpensBesideTheScheduleFolder) {
    const platform::ScopedPort<FolderPickerPort> dialog(SetFolderPickerPort, nullptr);
    QString caption;
    std::string current;
    // The dialog is modal: press O.K from inside its event loop.
    QTimer::singleShot(0, [&] {
        ASSERT_NE(frPath, nullptr);
        caption = frPath->windowTitle();
        current = frPath->CurrentFolder();
        frPath->Button1->click();
    });
    ViewOtherUser();
    EXPECT_EQ(frPath, nullptr);
    EXPECT_EQ(caption, QStringLiteral("他のユーザー予定の参照"));
    EXPECT_EQ(current, users);
    // O.K at once chooses the start folder itself, named "users".
    ASSERT_EQ(processes.starts.size(), 1u);
    EXPECT_EQ(processes.starts[0].args, (QStringList{"users", FromCp932(users), "2024", "7"}));
}

class CheckFoldersTest : public ProgramTest {
  protected:
    TempFolder temp;
    FakeMessages messages;
};

TEST_F(CheckFoldersTest, ListsEachMissingFolderInOrder) {
    ASSERT_TRUE(MakeFolder(temp.File("yotei")));
    ASSERT_TRUE(MakeFolder(temp.File("memo")));
    ASSERT_TRUE(MakeFolder(temp.File("nikki")));
    ASSERT_TRUE(temp.Write("plain", "x"));
    const std::string y = temp.File("yotei/"), m = temp.File("memo"), n = temp.File("nikki");
    const std::string gy = temp.File("no1"), gm = temp.File("plain"), gn = "";
    const QString tail = QStringLiteral("\r\n環境設定の内容を確認してください。");
    auto line = [](const char* label, const std::string& f) {
        return QString::fromUtf8(label) + FromCp932(f) + QStringLiteral("]が見つかりません。\r\n");
    };
    struct {
        std::string dat, memo, ni;
        QString text;  // empty: no box
    } const cases[] = {
        {y, m, n, ""},
        {gy, gm, gn,
         line("予定ﾃﾞｰﾀを格納するﾌｫﾙﾀﾞ[", gy) + line("ﾒﾓを格納するﾌｫﾙﾀﾞ[", gm) +
             line("日記を格納するﾌｫﾙﾀﾞ[", gn) + tail},
        {y, gm, n, line("ﾒﾓを格納するﾌｫﾙﾀﾞ[", gm) + tail},
        {y, m, gy, line("日記を格納するﾌｫﾙﾀﾞ[", gy) + tail},
    };
    for (const auto& c : cases) {
        messages.shown.clear();
        Settings.dat_Path = c.dat;
        Settings.memo_path = c.memo;
        Settings.ni_dir = c.ni;
        EXPECT_EQ(CheckFolders(), !c.text.isEmpty());
        if (c.text.isEmpty()) {
            EXPECT_TRUE(messages.shown.empty());
            continue;
        }
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, c.text);
        EXPECT_EQ(messages.shown[0].kind, platform::MsgKind::Warning);
        EXPECT_EQ(messages.shown[0].caption, QStringLiteral("警告"));
        EXPECT_EQ(messages.shown[0].buttons, std::vector<int>{platform::kBtnYes});
    }
}

TEST(DeleteToRecycleBin, GoesThroughTheTrashAndReportsFailure) {
    FakeTrash trash;
    const std::string path = Sj("/m/仕事");
    EXPECT_EQ(DeleteToRecycleBin(nullptr, path), 0);
    trash.result = false;
    EXPECT_NE(DeleteToRecycleBin(nullptr, path), 0);
    EXPECT_EQ(trash.paths, (std::vector<std::string>{path, path}));
}

TEST(TidyPath, DoubledSlashBeforeTheFileName) {
    struct {
        std::string in, out;
    } const cases[] = {
        {"/memo//a.txt", "/memo/a.txt"},
        {"/memo/a.txt", "/memo/a.txt"},
        {"/memo///a.txt", "/memo//a.txt"},  // one slash less, no more
        {"/a//memo/a.txt", "/a//memo/a.txt"},
        {"//a.txt", "/a.txt"},
        {"/memo//", "/memo/"},
        {"a.txt", "a.txt"},
        {"", ""},
        {Sj("/表//ソ.txt"), Sj("/表/ソ.txt")},
    };
    for (const auto& c : cases) {
        std::string out = "stale";
        TidyPath(c.in, out);
        EXPECT_EQ(out, c.out) << c.in;
    }
}

class MemoFolders : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* d : {"仕事", "家庭", ".hidden", "b", "a/inner"})
            ASSERT_TRUE(MakeFolder(temp.File(Sj(d))));
        ASSERT_TRUE(temp.Write("note.txt", "x"));
        ASSERT_TRUE(
            QFile::link(platform::DiskPath(temp.File("a")), platform::DiskPath(temp.File("link"))));
    }
    TempFolder temp;
};

TEST_F(MemoFolders, StandardThenPlainFoldersSorted) {
    // Byte order of CP932: 家庭 (0x89C6) before 仕事 (0x8E64).
    const std::string expected = Sj("標準\r\na\r\nb\r\n家庭\r\n仕事\r\n");
    struct {
        std::string folder, text;
    } const cases[] = {
        {temp.Path() + "/", expected},
        {temp.Path(), expected},
        {temp.File("missing/"), Sj("標準\r\n")},
        {temp.File("note.txt"), Sj("標準\r\n")},
        {"", Sj("標準\r\n")},
    };
    for (const auto& c : cases) {
        std::string text = "stale";
        MemoFolderList(c.folder, text);
        EXPECT_EQ(text, c.text) << c.folder;
    }
}

TEST_F(MemoFolders, ListViewItems) {
    QListWidget view;
    view.addItem("old");
    QPixmap pm(16, 16);
    pm.fill(Qt::red);
    FillMemoFolderView(temp.Path() + "/", &view, QIcon(pm));
    QStringList texts;
    for (int i = 0; i < view.count(); ++i) texts << view.item(i)->text();
    EXPECT_EQ(texts, (QStringList{"標準", "a", "b", "家庭", "仕事"}));
    EXPECT_FALSE(view.item(0)->icon().isNull());
    EXPECT_TRUE(view.item(1)->icon().isNull());
    EXPECT_TRUE(view.item(0)->data(Qt::UserRole).toByteArray().isEmpty());
    EXPECT_EQ(view.item(4)->data(Qt::UserRole).toByteArray().toStdString(), Sj("仕事"));

    FillMemoFolderView(temp.File("missing/"), &view);
    ASSERT_EQ(view.count(), 1);
    EXPECT_EQ(view.item(0)->text(), QStringLiteral("標準"));
}

TEST(TfrPathDialog, LayoutAndTexts) {
    TfrPath d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("パスの指定"));
    EXPECT_EQ(d.size(), QSize(392, 238));
    EXPECT_EQ(d.font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(d.font().pointSize(), 9);
    struct {
        QWidget* w;
        QRect r;
    } const places[] = {
        {d.Panel1, {8, 8, 289, 225}},     {d.drBox, {56, 8, 217, 18}},
        {d.dlistbox, {56, 40, 217, 177}}, {d.Button1, {312, 8, 73, 25}},
        {d.Button2, {312, 48, 73, 25}},
    };
    for (const auto& p : places) EXPECT_EQ(p.w->geometry(), p.r) << p.w->objectName().toStdString();
    EXPECT_EQ(d.Label1->pos(), QPoint(8, 8));
    EXPECT_EQ(d.Label2->pos(), QPoint(8, 40));
    EXPECT_EQ(d.Label1->text(), QStringLiteral("ﾄﾞﾗｲﾌﾞ:"));
    EXPECT_EQ(d.Label2->text(), QStringLiteral("ﾃﾞｨﾚｸﾄﾘ:"));
    EXPECT_EQ(d.Button1->text(), QStringLiteral("O.K(&O)"));
    EXPECT_EQ(d.Button2->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    EXPECT_GE(d.drBox->findText("/"), 0);
}

TEST(TfrPathDialog, SelectedPathByWayOfClosing) {
    TempFolder temp;
    const std::string deep = temp.File(Sj("利用者/太郎"));
    ASSERT_TRUE(MakeFolder(deep));
    enum Close { Ok, Cancel, Reject, OkAtRoot, OkAtMissing };
    struct {
        Close close;
        int result;
        std::string selected;
    } const cases[] = {
        {Ok, 1, deep},      {Cancel, 2, ""},
        {Reject, 2, ""},                                                // Esc or the title bar
        {OkAtRoot, 1, "/"}, {OkAtMissing, 1, temp.File(Sj("利用者"))},  // nearest existing parent
    };
    for (const auto& c : cases) {
        TfrPath d;
        d.SelectedPath = "stale";
        d.SetStartFolder(c.close == OkAtMissing ? temp.File(Sj("利用者/花子/x")) : deep);
        if (c.close == OkAtRoot) {
            d.drBox->setCurrentIndex(d.drBox->findText("/"));
            d.drBoxChange();
        }
        QTimer::singleShot(0, &d, [&d, &c] {
            EXPECT_TRUE(d.SelectedPath.empty());  // cleared on showing
            d.SelectedPath = "stale";
            if (c.close == Cancel)
                d.Button2->click();
            else if (c.close == Reject)
                d.reject();
            else
                d.Button1->click();
        });
        EXPECT_EQ(d.exec(), c.result) << c.close;
        EXPECT_EQ(d.SelectedPath, c.selected) << c.close;
    }
}

}  // namespace
