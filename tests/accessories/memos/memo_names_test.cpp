#include "memo_names.h"

#include <gtest/gtest.h>

#include "cp932.h"
#include "fake_clock.h"
#include "temp_folder.h"

using namespace accessories;

namespace {

TEST(TitleToFileName, ReplacesWhatNoFileNameMayHold) {
    FakeClock clock;
    clock.Set(2004, 2, 9, 7, 5, 3);
    struct {
        std::string title, expected;
    } const cases[] = {
        {"a/b:c", Sj("a／b：c")},
        {"\\/:;,*?\"<>|.", Sj("￥／：；，＊？”＜＞｜．")},
        {"..", Sj("．．")},
        {Sj("表ポ"), Sj("表ポ")},  // trail bytes 0x5C and 0x7C stay inside their characters
        {Sj("買物 メモ"), Sj("買物 メモ")},
        {"", "MEMO04-02-09_07-05-03"},
        {" leading blank", "MEMO04-02-09_07-05-03"},
        {"ab\x81", "ab\x81"},            // a lead byte at the end counts as single
        {"a\x81/", "a\x81" + Sj("／")},  // "/" is no trail byte: 0x81 stands alone
        {std::string("a\0b", 3), "ab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        EXPECT_EQ(TitleToFileName(c.title), c.expected);
    }
}

TEST(TitleToFileName, FitsTheFileSystemAtACharacterBoundary) {
    // 100 kanji are 300 bytes on disk: the name stops at 83 (249 bytes + ".txt" <= 255).
    std::string title;
    for (int i = 0; i < 100; ++i) title += Sj("漢");
    const std::string name = TitleToFileName(title);
    EXPECT_EQ(name.size(), 83u * 2);
    EXPECT_LE(platform::Cp932ToUtf8(name).size() + 4, 255u);

    const std::string ascii(400, 'x');
    EXPECT_EQ(TitleToFileName(ascii), std::string(251, 'x'));
    // A cut never separates a replaced character's two bytes.
    const std::string slashes(300, '/');
    const std::string cut = TitleToFileName(slashes);
    EXPECT_EQ(cut.size() % 2, 0u);
    EXPECT_EQ(platform::Cp932ToUtf8(cut).size(), 83u * 3);
}

TEST(CompanionIniPath, ReplacesTheExtensionOfTheFileName) {
    struct {
        std::string memo, ini;
    } const cases[] = {
        {Sj("/m/買物.txt"), Sj("/m/買物.Ini")},
        {"/m/pic.bmp", "/m/pic.Ini"},
        {"/m/a.b.txt", "/m/a.b.Ini"},
        {"/m.d/noext", "/m.d/noext.Ini"},
        {"/m/.txt", "/m/.Ini"},
        {".txt", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.memo);
        EXPECT_EQ(CompanionIniPath(c.memo), c.ini);
    }
}

TEST(ExistingCompanionFile, FoundInAnyLetterCaseOfIni) {
    TempFolder dir;
    ASSERT_TRUE(dir.Write("a.txt", "x"));
    EXPECT_EQ(ExistingCompanionFile(dir.File("a.txt")), "");
    ASSERT_TRUE(dir.Write("a.INI", "[TLWH]\r\n"));
    EXPECT_EQ(ExistingCompanionFile(dir.File("a.txt")), dir.File("a.INI"));
    ASSERT_TRUE(dir.Write("A.ini", "other memo"));
    ASSERT_TRUE(dir.Write("b.txt", "x"));
    // The memo's own name is never matched in another case.
    EXPECT_EQ(ExistingCompanionFile(dir.File("b.txt")), "");
}

TEST(MemoCategoryFolder, OneSlashBetweenParts) {
    struct {
        std::string memoPath, category, folder;
    } const cases[] = {
        {"/home/u/memo", "", "/home/u/memo/"},
        {"/home/u/memo/", "", "/home/u/memo/"},
        {"/home/u/memo//", Sj("仕事"), Sj("/home/u/memo/仕事/")},
        {"/", "", "/"},
        {"/", "a", "/a/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MemoCategoryFolder(c.memoPath, c.category), c.folder);
    }
    EXPECT_EQ(FileNameOf("/a/b/c.txt"), "c.txt");
    EXPECT_EQ(FolderPartOf("/a/b/c.txt"), "/a/b/");
}

}  // namespace
