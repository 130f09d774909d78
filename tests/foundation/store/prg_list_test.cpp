#include <gtest/gtest.h>

#include "cp932.h"
#include "schedule_store.h"
#include "temp_folder.h"

using namespace foundation;

namespace {

const std::string kEmptyLines = [] {
    std::string s;
    for (int i = 0; i < 19; ++i) s += " \r\n";
    return s;
}();

TEST(PrgListFile, EntriesThatWouldSplitAreEscapedAndReadBackWhole) {
    const struct {
        std::string name, file, line;
    } cases[] = {
        {Sj("メモ帳"), "notepad.exe", "S|" + Sj("メモ帳") + "|notepad.exe"},
        // "ポ" ends in the byte of "|": no escape needed, and none written.
        {Sj("ポスト"), "/usr/bin/a|b", "S|" + Sj("ポスト") + "|/usr/bin/a|b"},
        {"100%", "x", "S|100%|x"},
        {"a|b", "/bin/x", "S%|a%7Cb|/bin/x"},
        {"50%|off", "/bin/x %1", "S%|50%25%7Coff|/bin/x %251"},
        {"two\r\nlines", "/bin/x", "S%|two%0D%0Alines|/bin/x"},
        {"n", "/bin/x\nrm", "S%|n|/bin/x%0Arm"},
        // Damaged names: a lone lead byte would take the "|" after it, or hide a line break.
        {"ab\x83", "/bin/x|y", "S%|ab%83|/bin/x%7Cy"},
        {"\x83\r", "x", "S%|%83%0D|x"},
        {"n", "/bin/x\x83", "S|n|/bin/x\x83"},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        prg out[21];
        out[1] = {c.name, c.file};
        ASSERT_TRUE(store::SavePrgs(dir.Path(), out));
        EXPECT_EQ(dir.Read("Kolvane32.prg"), c.line + "\r\n" + kEmptyLines) << c.name;
        prg in[21];
        store::LoadPrgs(dir.Path(), in);
        EXPECT_EQ(in[1].Name, c.name);
        EXPECT_EQ(in[1].FileName, c.file);
    }
}

TEST(PrgListFile, PlainLinesAreNeverDecoded) {
    TempFolder dir;
    ASSERT_TRUE(dir.Write("Kolvane32.prg", "S|a%7Cb|/bin/x %25\r\nS%|c%7Cd|e\r\n"));
    prg in[21];
    store::LoadPrgs(dir.Path(), in);
    EXPECT_EQ(in[1].Name, "a%7Cb");
    EXPECT_EQ(in[1].FileName, "/bin/x %25");
    EXPECT_EQ(in[2].Name, "c|d");
    EXPECT_EQ(in[2].FileName, "e");
}

}  // namespace
