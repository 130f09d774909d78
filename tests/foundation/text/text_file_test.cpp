#include "text_file.h"

#include <gtest/gtest.h>

#include <vector>

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

TEST(ReadBlock, SlotsAndWhatTheyHold) {
    struct Case {
        std::string bytes;
        bool started;
        uint8_t hasText;
        std::string text;
        std::string nextLine;  // what the following read gives
    } cases[] = {
        {"#S#!\r\n#E#!\r\nz", true, 0, "", "z"},
        {"#S#!\r\n\r\n#E#!\r\nz", true, 1, "", "z"},
        {"#S#!\r\na\r\n b \r\n#E#!\r\nz", true, 1, "a\r\n b ", "z"},
        {"#S#!\na\rb\n#E#!\nz", true, 1, "a\r\nb", "z"},
        {"#S#!\r\n#S#!\r\n#E#!\r\nz", true, 1, "#S#!", "z"},
        {"#S#!\r\n#E#! \r\n#E#!\r\nz", true, 1, "#E#! ", "z"},
        {"#s#!\r\n#E#!\r\n", false, 0, "", "#E#!"},
        {" #S#!\r\nz", false, 0, "", "z"},
        {"#S#! \r\nz", false, 0, "", "z"},
        {"", false, 0, "", ""},
        // Cut inside the block: what was read stays.
        {"#S#!\r\na\r\nb", true, 1, "a\r\nb", ""},
        {"#S#!\r\n", true, 0, "", ""},
        {"#S#!\r\n\r\n", true, 1, "", ""},
    };
    for (const auto& c : cases) {
        TextReader in(c.bytes);
        std::string text = "old";
        uint8_t hasText = 7;
        EXPECT_EQ(ReadBlock(in, text, &hasText), c.started) << c.bytes;
        EXPECT_EQ(hasText, c.hasText) << c.bytes;
        EXPECT_EQ(text, c.text) << c.bytes;
        EXPECT_EQ(in.ReadLine(), c.nextLine) << c.bytes;
    }
}

TEST(ReadBlock, WrittenTextsReadBack) {
    const std::string texts[] = {"",          "one",  "a\r\n\r\nb",       "  lead\r\ntrail  ",
                                 "#S#!\r\nx", "\r\n", "\x83\x7C|\x95\x5C"};
    TextWriter out;
    for (const auto& t : texts) WriteBlock(out, true, t);
    TextReader in(out.Bytes());
    for (const auto& t : texts) {
        std::string text;
        uint8_t hasText = 0;
        ASSERT_TRUE(ReadBlock(in, text, &hasText));
        EXPECT_EQ(hasText, 1);
        EXPECT_EQ(text, t);
    }
    EXPECT_TRUE(in.Eof());
}

TEST(ReadBlock, MendedEndMarkerKeepsLaterSlotsInPlace) {
    TextWriter out;
    WriteBlock(out, true, "a\r\n#E#!\r\nb");
    WriteBlock(out, true, "second");
    TextReader in(out.Bytes());
    std::string text;
    ReadBlock(in, text);
    EXPECT_EQ(text, "a\r\n#E#! \r\nb");
    ReadBlock(in, text);
    EXPECT_EQ(text, "second");
}

}  // namespace
