#include <gtest/gtest.h>

#include "cp932.h"

using platform::Cp932ToUtf8;
using platform::Utf8ToCp932;

TEST(Cp932, ConvertsBothWays) {
    struct Case {
        const char* utf8;
        std::string cp932;
    } cases[] = {
        {"abc", "abc"},
        {"ポ", "\x83\x7C"},
        {"表", "\x95\x5C"},
        {"\\", "\\"},
        {"～", "\x81\x60"},          // FULLWIDTH TILDE is 0x8160 in CP932
        {"ｶﾞ", "\xB6\xDE"},
        {"①", "\x87\x40"},          // NEC special character
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932) << c.utf8;
        EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << c.utf8;
    }
}

TEST(Cp932, UnmappableCharacterBecomesQuestionMarkAndRestSurvives) {
    EXPECT_EQ(Utf8ToCp932("a😀b"), "a?b");
    EXPECT_EQ(Utf8ToCp932("한글x"), "??x");
}

TEST(Cp932, InvalidBytesDecodeAsQuestionMark) {
    EXPECT_EQ(Cp932ToUtf8("a\x81"), "a?");          // lone lead byte at the end
    EXPECT_EQ(Cp932ToUtf8("\xFF" "b"), "?b");
    EXPECT_EQ(Cp932ToUtf8("\x81\x20z"), "? z");     // lead byte without a trail byte
}

TEST(Cp932, LineEnds) {
    EXPECT_EQ(platform::LfToCrLf(std::string("a\nb\r\nc\rd")), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(platform::CrLfToLf(std::string("a\r\nb\r\n")), "a\nb\n");
    EXPECT_EQ(platform::LfToCrLf(QStringLiteral("x\ny")), QStringLiteral("x\r\ny"));
    EXPECT_EQ(platform::CrLfToLf(QStringLiteral("x\r\ny")), QStringLiteral("x\ny"));
}
