#include <gtest/gtest.h>

#include <QAction>
#include <QListWidget>
#include <QTableWidget>
#include <QTest>

#include "cp932.h"
#include "fake_desktop.h"
#include "fake_messages.h"
#include "fake_process.h"
#include "globals.h"
#include "launcher_setup.h"
#include "launcher_window.h"
#include "program_test.h"
#include "temp_folder.h"

using namespace foundation;
using namespace accessories;

namespace {

class LauncherTest : public ProgramTest {
  protected:
    LauncherTest() {
        BaseDir = dir_.Path();
        PrgList[1] = {Sj("エディタ"), "/bin/sh"};
        PrgList[2] = {Sj("名前だけ"), ""};
        PrgList[3] = {"three", "/bin/true"};
        PrgList[4] = {"four", "/bin/false"};
    }
    TempFolder dir_;
    FakeProcesses processes_;
    FakeMessages messages_;
};

TEST_F(LauncherTest, ListsTwentyEntriesOnceWithImageNumbers) {
    TfrRun run;
    EXPECT_EQ(run.windowTitle(), U("ﾌﾟﾛｸﾞﾗﾑの実行"));
    run.FormActivate();
    run.FormActivate();
    ASSERT_EQ(run.ListView1->count(), 20);
    EXPECT_EQ(run.ListView1->item(0)->text(), U("エディタ"));
    EXPECT_EQ(run.ListView1->item(1)->text(), U("名前だけ"));
    const int images[] = {1, 0, 2, 3, 0};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(run.ListView1->item(i)->data(Qt::UserRole).toInt(), images[i]) << i;
    EXPECT_EQ(run.ImageList1.size(), 4u);
}

TEST_F(LauncherTest, ClickStartsTheEntryAndCloses) {
    const struct {
        int row;
        bool startFails;
        size_t starts;
        const char* told;  // nullptr: nothing
    } cases[] = {
        {2, false, 1, nullptr},
        {1, false, 0, nullptr},
        {5, false, 0, nullptr},
        {2, true, 1,
         "ﾌﾟﾛｸﾞﾗﾑ[/bin/true]を起動できませんでした。\r\n"
         "ﾌﾟﾛｸﾞﾗﾑﾗﾝﾁｬの設定で、ﾌﾟﾛｸﾞﾗﾑﾌｧｲﾙ名を確かめてください。"},
        {1, true, 0, nullptr},
    };
    for (const auto& c : cases) {
        processes_.starts.clear();
        processes_.result = !c.startFails;
        messages_.shown.clear();
        TfrRun run;
        run.show();
        run.ListView1->setCurrentRow(c.row);
        run.ListView1DblClick();
        EXPECT_EQ(processes_.starts.size(), c.starts) << c.row;
        EXPECT_FALSE(run.isVisible()) << c.row;
        ASSERT_EQ(messages_.shown.size(), c.told ? 1u : 0u) << c.row;
        if (c.told) {
            EXPECT_EQ(messages_.shown[0].text, U(c.told));
        }
    }
    processes_.result = true;
    TfrRun run;
    run.show();
    run.ListView1->setCurrentRow(0);
    processes_.starts.clear();
    QTest::keyClick(run.ListView1, Qt::Key_Return);
    ASSERT_EQ(processes_.starts.size(), 1u);
    EXPECT_EQ(processes_.starts[0].program, QStringLiteral("/bin/sh"));
    EXPECT_EQ(processes_.starts[0].workDir, QStringLiteral("/bin"));
}

TEST_F(LauncherTest, SetupSavesOnOkOnly) {
    {
        TfrSetPrg setup;
        EXPECT_EQ(setup.windowTitle(), U("プログラムランチャの設定"));
        EXPECT_EQ(setup.sg->horizontalHeaderItem(0)->text(), U("プログラム名"));
        EXPECT_EQ(setup.sg->horizontalHeaderItem(1)->text(), U("プログラムファイル名"));
        EXPECT_EQ(setup.sg->item(0, 0)->text(), U("エディタ"));
        setup.sg->setCurrentCell(0, 0);
        setup.mnuDelClick();
        ASSERT_EQ(messages_.shown.size(), 1u);
        EXPECT_EQ(messages_.shown[0].text,
                  U("現在選択されている行の設定を削除してよろしいですか？"));
        EXPECT_EQ(setup.sg->item(0, 1)->text(), QString());
        setup.mnuCanClick();
    }
    EXPECT_EQ(PrgList[1].FileName, "/bin/sh");
    EXPECT_FALSE(dir_.Exists("Kolvane32.prg"));

    FakeDialogs dialogs;
    dialogs.files = {QStringLiteral("/opt/My App/run")};
    TfrSetPrg setup;
    setup.sg->setCurrentCell(2, 0);
    setup.mnuSanClick();
    EXPECT_EQ(dialogs.asked.at(0), U("プログラムファイルの参照|/bin/true"));
    setup.sg->item(1, 0)->setText(QStringLiteral("a|b"));
    ASSERT_TRUE(setup.mnuClClick());
    EXPECT_EQ(PrgList[3].FileName, "/opt/My App/run");
    std::string expected = "S|" + Sj("エディタ") + "|/bin/sh\r\n \r\nS|three|/opt/My App/run\r\n" +
                           "S|four|/bin/false\r\n";
    for (int i = 5; i <= 20; ++i) expected += " \r\n";
    EXPECT_EQ(dir_.Read("Kolvane32.prg"), expected);
}

TEST_F(LauncherTest, SetupKeepsListAndEditsWhenTheFileCannotBeWritten) {
    BaseDir = dir_.File("missing/folder");
    TfrSetPrg setup;
    setup.sg->item(0, 0)->setText(QStringLiteral("new"));
    EXPECT_FALSE(setup.mnuClClick());
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].kind, platform::MsgKind::Error);
    EXPECT_EQ(PrgList[1].Name, Sj("エディタ"));
    EXPECT_EQ(setup.sg->item(0, 0)->text(), QStringLiteral("new"));
}

}  // namespace
