#include "open_memo_list.h"

#include <gtest/gtest.h>

#include "cp932.h"
#include "open_memo_table.h"
#include "temp_folder.h"

using namespace accessories;

namespace {

// What a start would open, in order.
std::vector<ListedMemo> Listed(const std::string& iniPath, const std::string& memoPath) {
    std::vector<ListedMemo> listed;
    RestoreOpenMemoList(iniPath, memoPath, [&](const ListedMemo& m) {
        listed.push_back(m);
        return true;
    });
    return listed;
}

class OpenMemoList : public ::testing::Test {
  protected:
    void SetUp() override { ClearOpenMemoTable(); }
    void TearDown() override {
        ClearOpenMemoTable();
        ForgetRestoredMemoList();
    }
    void Put(int slot, const std::string& path, bool bitmap) {
        OpenMemoTable[slot].FileName = path;
        OpenMemoTable[slot].IsBitmap = bitmap ? 1 : 0;
    }
    TempFolder dir;
};

TEST_F(OpenMemoList, NoNoteGivesOnlyTheVersion) {
    ASSERT_TRUE(WriteOpenMemoList(dir.File("memoOp.Ini")));
    EXPECT_EQ(dir.Read("memoOp.Ini"), "[MEMO]\r\nVER=3\r\n");
}

TEST_F(OpenMemoList, EverySlotInUseTheLastOneToo) {
    Put(0, "/m/a.txt", false);
    Put(5, Sj("/m/仕事/絵.bmp"), true);
    Put(30, "/m/last.txt", false);
    ASSERT_TRUE(dir.Write("memoOp.Ini", "[MEMO]\r\nVER=1\r\nTXT7=old.txt\r\n[keep]\r\na=1\r\n"));
    ASSERT_TRUE(WriteOpenMemoList(dir.File("memoOp.Ini")));
    EXPECT_EQ(dir.Read("memoOp.Ini"), "[keep]\r\na=1\r\n[MEMO]\r\nVER=3\r\nTXT0=/m/a.txt\r\nBMP5=" +
                                          Sj("/m/仕事/絵.bmp") + "\r\nTXT30=/m/last.txt\r\n");

    const std::vector<ListedMemo> listed = Listed(dir.File("memoOp.Ini"), "/other");
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0].path, "/m/a.txt");
    EXPECT_FALSE(listed[0].isBitmap);
    EXPECT_EQ(listed[1].path, Sj("/m/仕事/絵.bmp"));
    EXPECT_TRUE(listed[1].isBitmap);
    EXPECT_EQ(listed[2].path, "/m/last.txt");
}

TEST_F(OpenMemoList, PathsByVersion) {
    struct {
        const char* name;
        std::string file;
        std::vector<std::string> paths;
    } const cases[] = {
        {"version 1: relative to the memo folder",
         "[MEMO]\r\nVER=1\r\nTXT0=a.txt\r\n",
         {"/memo/a.txt"}},
        {"no version reads as 1", "[MEMO]\r\nBMP3=p.bmp\r\n", {"/memo/p.bmp"}},
        {"version 2: doubled slash tidied",
         "[MEMO]\r\nVER=2\r\nTXT0=/memo//a.txt\r\n",
         {"/memo/a.txt"}},
        {"version 3 as it stands", "[MEMO]\r\nVER=3\r\nTXT0=/memo//a.txt\r\n", {"/memo//a.txt"}},
        {"bitmap before text of one slot, old files end at 29",
         "[MEMO]\r\nVER=3\r\nTXT2=/t.txt\r\nBMP2=/b.bmp\r\nTXT29=/z.txt\r\nTXT31=/no.txt\r\n",
         {"/b.bmp", "/t.txt", "/z.txt"}},
        {"absurd keys and values", "[MEMO]\r\nVER=99999999999\r\nTXT-1=/x\r\nTXT0=\r\n", {}},
        {"no section", "[OTHER]\r\nTXT0=/x.txt\r\n", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(dir.Write("memoOp.Ini", c.file));
        std::vector<std::string> paths;
        for (const ListedMemo& m : Listed(dir.File("memoOp.Ini"), "/memo/")) {
            paths.push_back(m.path);
        }
        EXPECT_EQ(paths, c.paths);
    }
    EXPECT_TRUE(Listed(dir.File("missing.Ini"), "/memo").empty());
}

}  // namespace
