#include "memo_file_ops.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QWidget>
#include <memory>

#include "cp932.h"
#include "fake_messages.h"
#include "fake_trash.h"
#include "open_memo_table.h"
#include "paths.h"
#include "temp_folder.h"

using namespace accessories;

namespace {

class MemoFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        ClearOpenMemoTable();
        ASSERT_TRUE(QDir().mkpath(platform::DiskPath(dir.File("Work"))));
        ASSERT_TRUE(QDir().mkpath(platform::DiskPath(dir.File("work"))));
        base = dir.Path() + "/";
    }
    void TearDown() override { ClearOpenMemoTable(); }
    // A note window that frees its slot when it closes, as a note does.
    QWidget* Note(int slot, const std::string& path) {
        auto* w = new QWidget;
        w->setAttribute(Qt::WA_DeleteOnClose);
        notes.emplace_back(w);
        OpenMemoTable[slot].FileName = path;
        SetMemoSlotWindow(slot, w);
        QObject::connect(w, &QObject::destroyed, [slot] { FreeMemoSlot(slot); });
        return w;
    }
    TempFolder dir;
    std::string base;
    FakeMessages messages;
    std::vector<QPointer<QWidget>> notes;
};

TEST_F(MemoFiles, MoveTakesTheCompanionAndTheNoteAlong) {
    ASSERT_TRUE(dir.Write("a.txt", "text"));
    ASSERT_TRUE(dir.Write("a.Ini", "[TLWH]\r\n"));
    ASSERT_TRUE(dir.Write("b.txt", "other"));
    Note(0, base + "a.txt");
    Note(1, base + "b.txt");
    EXPECT_EQ(MoveOrDeleteMemo(base + "a.txt", base + "Work/"), 0);
    EXPECT_EQ(dir.Read("Work/a.txt"), "text");
    EXPECT_EQ(dir.Read("Work/a.Ini"), "[TLWH]\r\n");
    EXPECT_FALSE(dir.Exists("a.txt"));
    EXPECT_FALSE(dir.Exists("a.Ini"));
    EXPECT_EQ(OpenMemoTable[0].FileName, base + "Work/a.txt");
    EXPECT_EQ(OpenMemoTable[1].FileName, base + "b.txt");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MemoFiles, MoveNeverReplacesAndLeavesTheNoteWhenRefused) {
    struct {
        const char* name;
        std::vector<std::pair<std::string, std::string>> files;
    } const cases[] = {
        {"memo of that name there", {{"a.txt", "new"}, {"Work/a.txt", "old"}}},
        {"settings of that name there",
         {{"a.txt", "new"}, {"a.Ini", "[N]\r\n"}, {"Work/a.Ini", "[OLD]\r\n"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder d;
        ASSERT_TRUE(QDir().mkpath(platform::DiskPath(d.File("Work"))));
        for (const auto& [name, bytes] : c.files) ASSERT_TRUE(d.Write(name, bytes));
        const std::string from = d.Path() + "/a.txt";
        OpenMemoTable[0].FileName = from;
        messages.shown.clear();
        EXPECT_NE(MoveOrDeleteMemo(from, d.Path() + "/Work/"), 0);
        EXPECT_EQ(messages.Texts(), std::vector<QString>{QString::fromUtf8(
                                        "移動先に同名のメモが存在するため移動できません。")});
        for (const auto& [name, bytes] : c.files) EXPECT_EQ(d.Read(name), bytes) << name;
        EXPECT_EQ(OpenMemoTable[0].FileName, from);
    }
}

TEST_F(MemoFiles, FailedMoveSaysSoAndKeepsEverything) {
    ASSERT_TRUE(dir.Write("a.txt", "text"));
    OpenMemoTable[0].FileName = base + "a.txt";
    EXPECT_NE(MoveOrDeleteMemo(base + "a.txt", base + "gone/"), 0);
    EXPECT_EQ(messages.Texts(),
              std::vector<QString>{QString::fromUtf8("ﾒﾓ[a.txt]を移動できませんでした。")});
    EXPECT_EQ(dir.Read("a.txt"), "text");
    EXPECT_EQ(OpenMemoTable[0].FileName, base + "a.txt");
    // A memo that is not there: nothing to tell.
    messages.shown.clear();
    EXPECT_NE(MoveOrDeleteMemo(base + "none.txt", base + "Work/"), 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MemoFiles, DeleteClosesTheNoteAndTrashesBoth) {
    FakeTrash trash;
    ASSERT_TRUE(dir.Write("a.bmp", "BM"));
    ASSERT_TRUE(dir.Write("a.ini", "[TLWH]\r\n"));
    QWidget* note = Note(2, base + "a.bmp");
    note->show();
    EXPECT_EQ(MoveOrDeleteMemo(base + "a.bmp", ""), 0);
    EXPECT_FALSE(note->isVisible());
    EXPECT_EQ(trash.paths, (std::vector<std::string>{base + "a.bmp", base + "a.ini"}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MemoFiles, FailedTrashSaysSo) {
    FakeTrash trash;
    trash.result = false;
    ASSERT_TRUE(dir.Write("a.txt", "x"));
    EXPECT_NE(MoveOrDeleteMemo(base + "a.txt", ""), 0);
    EXPECT_EQ(messages.Texts(),
              std::vector<QString>{QString::fromUtf8("ﾒﾓ[a.txt]をごみ箱へ移動できませんでした。")});
    EXPECT_EQ(dir.Read("a.txt"), "x");
}

TEST_F(MemoFiles, RetargetAndCloseByExactFolder) {
    OpenMemoTable[0].FileName = base + "Work/a.txt";
    OpenMemoTable[1].FileName = base + "work/a.txt";
    OpenMemoTable[2].FileName = base + "Work/sub/b.txt";
    OpenMemoTable[3].FileName = base + "Workshop/c.txt";
    RetargetOpenMemos(base + "Work/", base + "Job/");
    EXPECT_EQ(OpenMemoTable[0].FileName, base + "Job/a.txt");
    EXPECT_EQ(OpenMemoTable[1].FileName, base + "work/a.txt");
    EXPECT_EQ(OpenMemoTable[2].FileName, base + "Work/sub/b.txt");
    EXPECT_EQ(OpenMemoTable[3].FileName, base + "Workshop/c.txt");

    QWidget* text = Note(4, base + "Job/t.txt");
    QWidget* bitmap = Note(5, base + "Job/p.bmp");
    QWidget* other = Note(6, base + "work/t.txt");
    for (QWidget* w : {text, bitmap, other}) w->show();
    CloseOpenMemosUnder(base + "Job/");
    EXPECT_FALSE(text->isVisible());
    EXPECT_FALSE(bitmap->isVisible());
    EXPECT_TRUE(other->isVisible());
    EXPECT_EQ(OpenMemoTable[0].FileName, "");  // a slot without a window is simply freed
    EXPECT_EQ(OpenMemoTable[1].FileName, base + "work/a.txt");
    CloseOpenMemo(base + "WORK/t.txt");
    EXPECT_TRUE(other->isVisible());
    CloseOpenMemo(base + "work/t.txt");
    EXPECT_FALSE(other->isVisible());
}

}  // namespace
