#include "open_memo_table.h"

#include <gtest/gtest.h>

#include <memory>

using namespace accessories;

namespace {

class Table : public ::testing::Test {
  protected:
    void SetUp() override { ClearOpenMemoTable(); }
    void TearDown() override { ClearOpenMemoTable(); }
};

TEST_F(Table, LowestFreeSlotAndFullTable) {
    for (int i = 0; i < kMemoSlots; ++i) {
        ASSERT_EQ(FindFreeMemoSlot(), i);
        OpenMemoTable[i].FileName = "/m/" + std::to_string(i) + ".txt";
    }
    EXPECT_EQ(FindFreeMemoSlot(), -1);
    FreeMemoSlot(20);
    FreeMemoSlot(5);
    EXPECT_EQ(FindFreeMemoSlot(), 5);
}

TEST_F(Table, ExactPathsOnly) {
    OpenMemoTable[3].FileName = "/home/u/memo/Work/a.txt";
    OpenMemoTable[4].Link = "/home/u/memo/other.txt";  // a free slot is never matched
    struct {
        const char* path;
        bool found;
    } const cases[] = {
        {"/home/u/memo/Work/a.txt", true},   {"/home/u/memo/work/a.txt", false},
        {"/home/u/memo/Work//a.txt", false}, {"/home/u/memo/Work/A.txt", false},
        {"/home/u/memo/other.txt", false},   {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BringOpenMemoToFront(c.path), c.found) << c.path;
        EXPECT_EQ(FindOpenMemo(c.path), c.found ? 3 : -1) << c.path;
    }
}

TEST_F(Table, ASlotWhoseWindowIsGoneIsFree) {
    auto note = std::make_unique<QWidget>();
    OpenMemoTable[0].FileName = "/m/a.txt";
    SetMemoSlotWindow(0, note.get());
    OpenMemoTable[1].FileName = "/m/b.txt";  // being opened: no window yet
    EXPECT_TRUE(MemoSlotInUse(0));
    EXPECT_TRUE(MemoSlotInUse(1));
    EXPECT_EQ(FindFreeMemoSlot(), 2);
    note.reset();
    EXPECT_FALSE(MemoSlotInUse(0));
    EXPECT_EQ(FindFreeMemoSlot(), 0);
    EXPECT_FALSE(BringOpenMemoToFront("/m/a.txt"));
}

TEST_F(Table, ClearEmptiesNamesAndLinks) {
    for (int i = 0; i < kMemoSlots; ++i) {
        OpenMemoTable[i].FileName = "x";
        OpenMemoTable[i].Link = "y";
    }
    ClearOpenMemoTable();
    for (int i = 0; i < kMemoSlots; ++i) {
        EXPECT_EQ(OpenMemoTable[i].FileName, "");
        EXPECT_EQ(OpenMemoTable[i].Link, "");
    }
}

}  // namespace
