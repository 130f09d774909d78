#include "ini_profile.h"

#include <gtest/gtest.h>

#include <random>

#include "cp932.h"
#include "temp_folder.h"

using platform::IniProfile;

namespace {

IniProfile Parsed(const std::string& bytes) {
    IniProfile p;
    p.Parse(bytes);
    return p;
}

const std::string kFile =
    "; settings\r\n"
    "[etc]\r\n"
    "  TM_TT = 15000 \r\n"
    "odd line\r\n"
    "name=\"  quoted \"\r\n"
    "empty=\r\n"
    "\r\n"
    "[Path]\r\n"
    "dat_Path=/home/a\r\n"
    "\r\n"
    "; about memo\r\n"
    "[memo]\r\n"
    "color=65535\r\n";

}  // namespace

TEST(IniProfile, ReadsWithCaseInsensitiveNamesTrimmingAndQuotes) {
    IniProfile p = Parsed(kFile);
    struct Case {
        const char* section;
        const char* key;
        std::string expected;
    } cases[] = {
        {"etc", "TM_TT", "15000"},    {"ETC", "tm_tt", "15000"}, {" etc ", " TM_TT", "15000"},
        {"etc", "name", "  quoted "}, {"etc", "empty", ""},      {"path", "DAT_PATH", "/home/a"},
        {"etc", "odd line", "def"},   {"etc", "missing", "def"}, {"none", "TM_TT", "def"},
        {"etc", "dat_Path", "def"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(p.ReadString(c.section, c.key, "def"), c.expected) << c.section << "/" << c.key;
    EXPECT_EQ(p.Sections(), (std::vector<std::string>{"etc", "Path", "memo"}));
    EXPECT_EQ(p.Keys("ETC"), (std::vector<std::string>{"TM_TT", "name", "empty"}));
    EXPECT_TRUE(p.ValueExists("etc", "empty"));
    EXPECT_FALSE(p.ValueExists("etc", "odd line"));
}

TEST(IniProfile, ReadsIntegersTolerantly) {
    struct Case {
        const char* value;
        int32_t expected;
    } cases[] = {
        {"42", 42},
        {" -7 ", -7},
        {"+5", 5},
        {"$FF", 255},
        {"0x10", 16},
        {"0XfF", 255},
        {"-$10", -16},
        {"4294967295", -1},
        {"-16777201", -16777201},
        {"4278190095", -16777201},
        {"18446744073709551617", 1},
        {"\"12\"", 12},
        {"12abc", -99},
        {"", -99},
        {"-", -99},
        {"$", -99},
        {"0x", -99},
        {"1 2", -99},
        {"$G1", -99},
        {"1.5", -99},
    };
    for (const auto& c : cases) {
        IniProfile p = Parsed(std::string("[s]\r\nk=") + c.value + "\r\n");
        EXPECT_EQ(p.ReadInteger("s", "k", -99), c.expected) << c.value;
    }
    struct BoolCase {
        const char* value;
        bool def;
        bool expected;
    } bools[] = {
        {"1", false, true},     {"0", true, false},  {"2", false, true},    {"TRUE", false, true},
        {"false", true, false}, {"yes", true, true}, {"yes", false, false}, {"", true, true},
    };
    for (const auto& c : bools) {
        IniProfile p = Parsed(std::string("[s]\r\nk=") + c.value + "\r\n");
        EXPECT_EQ(p.ReadBool("s", "k", c.def), c.expected) << c.value;
    }
}

TEST(IniProfile, EditsKeepEveryOtherLineInPlace) {
    IniProfile p = Parsed(kFile);
    p.WriteInteger("ETC", "tm_tt", -16777201);  // replaced in place, key keeps its spelling
    p.WriteString("etc", "added", "a\r\nb");    // after the last entry, before the blank line
    p.WriteString("memo", "fontNAME", Sj("ＭＳ Ｐゴシック"));
    p.WriteBool("new", "flag", true);
    p.DeleteKey("path", "DAT_PATH");
    EXPECT_EQ(p.Serialize(),
              "; settings\r\n"
              "[etc]\r\n"
              "TM_TT=-16777201\r\n"
              "odd line\r\n"
              "name=\"  quoted \"\r\n"
              "empty=\r\n"
              "added=a  b\r\n"
              "\r\n"
              "[Path]\r\n"
              "\r\n"
              "; about memo\r\n"
              "[memo]\r\n"
              "color=65535\r\n" +
                  Sj("fontNAME=ＭＳ Ｐゴシック") +
                  "\r\n"
                  "[new]\r\n"
                  "flag=1\r\n");
    p.EraseSection("PATH");
    p.EraseSection("etc");
    EXPECT_EQ(p.Serialize(), "; settings\r\n[memo]\r\ncolor=65535\r\n" +
                                 Sj("fontNAME=ＭＳ Ｐゴシック") + "\r\n[new]\r\nflag=1\r\n");
    EXPECT_FALSE(p.SectionExists("etc"));
}

TEST(IniProfile, DuplicatesUseTheFirstAndEraseRemovesAll) {
    IniProfile p = Parsed("[a]\nk=1\nk=2\n[A]\nk=3\nj=4\n");
    EXPECT_EQ(p.ReadString("a", "k", ""), "1");
    EXPECT_EQ(p.ReadString("a", "j", "none"), "none");
    EXPECT_EQ(p.Sections(), std::vector<std::string>{"a"});
    EXPECT_EQ(p.Keys("a"), std::vector<std::string>{"k"});
    p.DeleteKey("a", "K");
    EXPECT_FALSE(p.ValueExists("a", "k"));
    p.EraseSection("a");
    EXPECT_EQ(p.Serialize(), "");
}

TEST(IniProfile, LineEndsAndRoundTrip) {
    struct Case {
        std::string in;
        std::string out;
    } cases[] = {
        {"[s]\nk=1\n", "[s]\r\nk=1\r\n"},
        {"[s]\rk=1\r\r", "[s]\r\nk=1\r\n\r\n"},
        {"[s]\r\nk=1", "[s]\r\nk=1\r\n"},
        {"pre\n\n[s] ; c\n  k = 1 \n", "pre\r\n\r\n[s] ; c\r\n  k = 1 \r\n"},
        {"", ""},
    };
    for (const auto& c : cases) {
        std::string once = Parsed(c.in).Serialize();
        EXPECT_EQ(once, c.out);
        EXPECT_EQ(Parsed(once).Serialize(), once);
    }
    EXPECT_EQ(Parsed("[s] ; c\n").ReadString("s", "k", "d"), "d");
    EXPECT_TRUE(Parsed("[s] ; c\n").SectionExists("S"));
}

TEST(IniProfile, Cp932BytesAreNotSplitOrFolded) {
    // "表" = 95 5C, "ポ" = 83 7C; "ゾ" = 83 5D and "ア"/"ヂ" differ only in a letter trail byte.
    std::string file =
        "[" + Sj("予定ゾ") + "]\r\n" + Sj("表") + "=" + Sj("ポ表") + "\r\n" + Sj("ア") + "=1\r\n";
    IniProfile p = Parsed(file);
    EXPECT_EQ(p.Sections(), std::vector<std::string>{Sj("予定ゾ")});
    EXPECT_EQ(p.ReadString(Sj("予定ゾ"), Sj("表"), ""), Sj("ポ表"));
    EXPECT_EQ(p.ReadString(Sj("予定ゾ"), Sj("ヂ"), "none"), "none");
    EXPECT_EQ(p.Serialize(), file);
}

TEST(IniProfile, SaveLoadSaveIsByteExactAndFailedSaveLeavesNoFile) {
    TempFolder dir;
    IniProfile a(dir.File("k.ini"));
    EXPECT_FALSE(a.Loaded());
    a.Parse(kFile);
    a.WriteString(Sj("予定"), "v", Sj("表ポ"));
    ASSERT_TRUE(a.Save());
    std::string saved = dir.Read("k.ini");
    IniProfile b(dir.File("k.ini"));
    EXPECT_TRUE(b.Loaded());
    EXPECT_EQ(b.ReadString(Sj("予定"), "v", ""), Sj("表ポ"));
    ASSERT_TRUE(b.Save());
    EXPECT_EQ(dir.Read("k.ini"), saved);

    IniProfile c(dir.File("missing/k.ini"));
    c.WriteString("s", "k", "v");
    EXPECT_FALSE(c.Save());
    EXPECT_FALSE(dir.Exists("missing/k.ini"));
    EXPECT_FALSE(IniProfile().Save());
    EXPECT_FALSE(c.Reload());
    EXPECT_FALSE(c.SectionExists("s"));
}

TEST(IniProfile, DamagedInputDoesNotCrash) {
    std::mt19937 rng(7);
    for (int round = 0; round < 50; ++round) {
        std::string bytes(1 + rng() % 4000, '\0');
        for (char& c : bytes) c = static_cast<char>(rng() % 8 == 0 ? "[]=;\r\n"[rng() % 6] : rng());
        IniProfile p = Parsed(bytes);
        for (const auto& s : p.Sections())
            for (const auto& k : p.Keys(s)) p.ReadInteger(s, k, 0);
        std::string once = p.Serialize();
        EXPECT_EQ(Parsed(once).Serialize(), once);
    }
    std::string huge = "[s]\nk=" + std::string(1 << 20, '\x95') + std::string("\0x", 2);
    EXPECT_EQ(Parsed(huge).ReadString("s", "k", "").size(), (1u << 20) + 2);
    EXPECT_EQ(Parsed("[unterminated\nk=1").ReadString("unterminated", "k", ""), "1");
}
