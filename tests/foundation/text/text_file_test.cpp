#include "text_file.h"

#include <gtest/gtest.h>

#include <vector>

using namespace foundation;

namespace {

std::vector<std::string> AllLines(const std::string& bytes) {
    TextReader in(bytes);
    std::vector<std::string> lines;
    while (!in.Eof()) lines.push_back(in.ReadLine());
    return lines;
}

using Lines = std::vector<std::string>;

TEST(TextReader, EveryLineEndEndsOneLine) {
    struct Case {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},  // LF then a lone CR: two ends
        {"a\r\r\nb", {"a", "", "b"}},
        {"\r\n", {""}},
        {" x \t\r\n", {" x \t"}},
        {std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}},
    };
    for (const auto& c : cases) EXPECT_EQ(AllLines(c.bytes), c.lines) << c.bytes;
}

TEST(TextReader, PastTheEndGivesEmptyLines) {
    TextReader in("x\r\n");
    EXPECT_EQ(in.ReadLine(), "x");
    EXPECT_TRUE(in.Eof());
    EXPECT_EQ(in.ReadLine(), "");
    EXPECT_EQ(in.ReadLine(), "");
}

TEST(WriteBlock, BytesOfOneSlot) {
    struct Case {
        bool hasText;
        std::string text;
        std::string bytes;
    } cases[] = {
        {false, "", "#S#!\r\n#E#!\r\n"},
        {false, "ignored", "#S#!\r\n#E#!\r\n"},
        {true, "", "#S#!\r\n\r\n#E#!\r\n"},
        {true, "a\r\nb  ", "#S#!\r\na\r\nb  \r\n#E#!\r\n"},
        {true, "#S#!", "#S#!\r\n#S#!\r\n#E#!\r\n"},
        // An end marker inside the text would end the block on reading.
        {true, "#E#!", "#S#!\r\n#E#! \r\n#E#!\r\n"},
        {true, "a\r\n#E#!\r\nb", "#S#!\r\na\r\n#E#! \r\nb\r\n#E#!\r\n"},
        {true, "a\n#E#!\rb", "#S#!\r\na\n#E#! \rb\r\n#E#!\r\n"},
        {true, "#E#! ", "#S#!\r\n#E#! \r\n#E#!\r\n"},
        {true, "x#E#!", "#S#!\r\nx#E#!\r\n#E#!\r\n"},
    };
    for (const auto& c : cases) {
        TextWriter out;
        WriteBlock(out, c.hasText, c.text);
        EXPECT_EQ(out.Bytes(), c.bytes) << c.text;
    }
}

std::string B(const std::string& lines) { return "#S#!\r\n" + lines + "#E#!\r\n"; }

TEST(ReadBlockSlots, EachBlockInItsOwnSlotOrNone) {
    const std::string abc = B("a\r\n") + B("b\r\n") + B("c\r\n");
    struct Case {
        const char* what;
        std::string bytes;
        Lines slots;  // "-" for a slot without text
        bool clean;
        int firstUnplaced;
        std::vector<int> oddBytes = {};  // slots holding a NUL or no CP932 character
    } cases[] = {
        {"written", B("a\r\n") + B("") + B("\r\n"), {"a", "-", ""}, true, 0},
        {"empty file", "", {"-", "-", "-"}, true, 0},
        {"byte order mark", "\xEF\xBB\xBF" + abc, {"a", "b", "c"}, true, 0},
        {"LF line ends", "#S#!\na\n#E#!\n#S#!\n#E#!\n#S#!\nc\n#E#!", {"a", "-", "c"}, true, 0},
        {"start marker as text",
         B("#S#!\r\nx\r\n") + B("") + B(""),
         {"#S#!\r\nx", "-", "-"},
         true,
         0},
        {"stray line",
         B("a\r\n") + "stray\r\n" + B("b\r\n") + B("c\r\n"),
         {"a", "b", "c"},
         false,
         0},
        {"blank line in front", "\r\n" + abc, {"a", "b", "c"}, false, 0},
        {"line after the last block", abc + "x\r\n", {"a", "b", "c"}, false, 0},
        {"damaged end marker",
         "#S#!\r\na\r\n#E#?\r\n" + B("b\r\n") + B("c\r\n"),
         {"a", "b", "c"},
         false,
         0},
        {"lost end marker", "#S#!\r\na\r\n" + B("b\r\n") + B("c\r\n"), {"a", "b", "c"}, false, 0},
        {"damaged start marker",
         "#S#?\r\na\r\n#E#!\r\n" + B("b\r\n") + B("c\r\n"),
         {"a", "b", "c"},
         false,
         0},
        {"damaged start of an empty block",
         "#S#?\r\n#E#!\r\n" + B("b\r\n") + B("c\r\n"),
         {"-", "b", "c"},
         false,
         0},
        {"damaged end marker, cut short",
         "#S#!\r\na\r\n#E#?\r\n" + B("b\r\n"),
         {"a", "b", "-"},
         false,
         0},
        {"cut inside a block", B("a\r\n") + "#S#!\r\nb", {"a", "b", "-"}, false, 0},
        {"cut between blocks", B("a\r\n"), {"a", "-", "-"}, false, 0},
        {"a block too many", abc + B("d\r\n"), {"a", "b", "c"}, false, 0},
        {"NUL byte",
         B(std::string("a\0b\r\n", 5)) + B("") + B(""),
         {std::string("a\0b", 3), "-", "-"},
         false,
         0,
         {1}},
        {"invalid Shift-JIS",
         B("\x83\r\n") + B("\xFF\r\n") + B(""),
         {"\x83", "\xFF", "-"},
         false,
         0,
         {1, 2}},
        // Nothing tells whether the lone end marker closed a block of its own.
        {"stray end marker", B("a\r\n") + "#E#!\r\n" + B("b\r\n"), {"a", "-", "-"}, false, 2},
        {"only NUL bytes", std::string(40, '\0'), {"-", "-", "-"}, false, 1},
        // The NULs took the end of the first block and the start of the second.
        {"NULs over a block boundary",
         "#S#!\r\na" + std::string(8, '\0') + "b\r\n#E#!\r\n" + B("c\r\n"),
         {"-", "-", "-"},
         false,
         1},
        {"NULs over a later block boundary",
         B("a\r\n") + "#S#!\r\nb" + std::string(8, '\0') + "c\r\n#E#!\r\n",
         {"a", "-", "-"},
         false,
         2},
    };
    for (const auto& c : cases) {
        const BlockSlots read = ReadBlockSlots(c.bytes, 3);
        Lines got;
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_TRUE(read.hasText[i] || read.text[i].empty()) << c.what;
            got.push_back(read.hasText[i] ? read.text[i] : "-");
        }
        EXPECT_EQ(got, c.slots) << c.what;
        EXPECT_EQ(read.clean, c.clean) << c.what;
        EXPECT_EQ(read.firstUnplaced, c.firstUnplaced) << c.what;
        EXPECT_EQ(read.oddBytes, c.oddBytes) << c.what;
    }
}

TEST(ReadBlockSlots, WrittenTextsReadBack) {
    const std::string texts[] = {"",          "one",  "a\r\n\r\nb",       "  lead\r\ntrail  ",
                                 "#S#!\r\nx", "\r\n", "\x83\x7C|\x95\x5C"};
    TextWriter out;
    for (const auto& t : texts) WriteBlock(out, true, t);
    // A text line that is the end marker gets a blank and the later slots stay in place.
    WriteBlock(out, true, "a\r\n#E#!\r\nb");
    WriteBlock(out, true, "second");
    const BlockSlots read = ReadBlockSlots(out.Bytes(), 9);
    EXPECT_TRUE(read.clean);
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(read.hasText[i], 1);
        EXPECT_EQ(read.text[i], texts[i]);
    }
    EXPECT_EQ(read.text[7], "a\r\n#E#! \r\nb");
    EXPECT_EQ(read.text[8], "second");
}

}  // namespace
