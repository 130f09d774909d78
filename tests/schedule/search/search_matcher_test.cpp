#include "search_matcher.h"

#include <gtest/gtest.h>

#include "cp932.h"

using namespace schedule;

namespace {

struct Case {
    std::string text, word;
    size_t at;  // npos: no match
};

constexpr size_t kNone = std::string::npos;

TEST(WordMatch, MatchesWholeCharactersOnly) {
    const Case cases[] = {
        {Sj("表"), "\\", kNone},  // 0x95 0x5C: the trail byte is no backslash
        {Sj("表\\"), "\\", 2},
        {Sj("ソ"), "\\", kNone},  // 0x83 0x5C
        {Sj("ア"), "A", kNone},   // 0x83 0x41
        {Sj("アA"), "A", 2},
        {Sj("ｱA"), "A", 1},  // half-width katakana is one byte
        {Sj("ｱ"), Sj("ア"), kNone},
        {Sj("ソフト表示"), Sj("表示"), 6},
        {Sj("表示"), Sj("表"), 0},
        {Sj("会議 10:00"), Sj("会議"), 0},
        {Sj("x会議"), Sj("会議"), 1},
        // "＆" (0x81 0x95) then "\": the bytes 95 5C of 表 straddle two characters.
        {"\x81\x95\x5C", Sj("表"), kNone},
        {"\x81\x95\x5C" + Sj("表"), Sj("表"), 3},
        // After a stray lead byte at the end nothing is split.
        {"ab\x83", "b", 1},
        {"", "a", kNone},
        {"abc", "", 0},
        {"aaa", "aa", 0},
        // A lead byte before a byte that cannot trail stands alone.
        {"\x83\x0A"
         "A",
         "A", 2},
        {"\x83\x0A"
         "A",
         "\n", 1},
        // A character CP932 holds under two or three codes is found under each of them.
        {"\xED\x40", Sj("纊"), 0},    // NEC-selected IBM extension, typed as FA5C
        {"x\x87\x90", Sj("≒"), 1},    // NEC row 13, typed as 81E0
        {"\xEE\xEF", Sj("ⅰ"), 0},     // typed as FA40
        {"\xFA\x40", "\xEE\xEF", 0},  // the word under its second code
        {"\xFA\x54", "\xEE\xF9", 0},  // ￢: 81CA, EEF9 and FA54
        {Sj("㈱≒"), "\xFA\x58\x87\x90", 0},
        {"\x81\x81\xE0", Sj("≒"), kNone},  // 81E0 straddles ＝ and a lone byte
        {"\x87\x87\x90", Sj("≒"), kNone},  // 8790 straddles 8787 and a lone byte
        {"\xFA\x40", Sj("ｉ"), kNone},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindWord(c.text, c.word), c.at) << platform::Cp932ToUtf8(c.text);
}

TEST(WordMatch, LongLinesWithManyFalseStarts) {
    // A megabyte of 表 holds a megabyte of 0x5C trail bytes, none of which is a backslash.
    std::string text;
    for (int i = 0; i < 500000; ++i) text += Sj("表");
    EXPECT_FALSE(ContainsWord(text, "\\"));
    text += "\\";
    EXPECT_EQ(FindWord(text, "\\"), 1000000u);
    EXPECT_TRUE(ContainsWord(text, Sj("表表")));
}

}  // namespace
