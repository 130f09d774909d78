#include "cp932.h"

#include <gtest/gtest.h>

using platform::Cp932ToUtf8;
using platform::Utf8ToCp932;

TEST(Cp932, ConvertsBothWays) {
    struct Case {
        const char* utf8;
        std::string cp932;
    } cases[] = {
        {"abc", "abc"},     {"ポ", "\x83\x7C"}, {"表", "\x95\x5C"},
        {"\\", "\\"},       {"～", "\x81\x60"},  // FULLWIDTH TILDE is 0x8160 in CP932
        {"ｶﾞ", "\xB6\xDE"}, {"①", "\x87\x40"},   // NEC special character
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932) << c.utf8;
        EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << c.utf8;
        EXPECT_EQ(platform::FromCp932(c.cp932), QString::fromUtf8(c.utf8)) << c.utf8;
    }
}

TEST(Cp932, UnmappableCharacterBecomesQuestionMarkAndRestSurvives) {
    EXPECT_EQ(Utf8ToCp932("a😀b"), "a?b");
    EXPECT_EQ(Utf8ToCp932("한글x"), "??x");
}

TEST(Cp932, InvalidBytesDecodeAsQuestionMark) {
    EXPECT_EQ(Cp932ToUtf8("a\x81"), "a?");  // lone lead byte at the end
    EXPECT_EQ(Cp932ToUtf8("\xFF"
                          "b"),
              "?b");
    EXPECT_EQ(Cp932ToUtf8("\x81\x20z"), "? z");  // lead byte without a trail byte
}

TEST(Cp932, LineEnds) {
    EXPECT_EQ(platform::LfToCrLf(std::string("a\nb\r\nc\rd")), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(platform::CrLfToLf(std::string("a\r\nb\r\n")), "a\nb\n");
    EXPECT_EQ(platform::LfToCrLf(QStringLiteral("x\ny")), QStringLiteral("x\r\ny"));
    EXPECT_EQ(platform::CrLfToLf(QStringLiteral("x\r\ny")), QStringLiteral("x\ny"));
}

TEST(Cp932, ListTextsDecodeAsTheConverterDoes) {
    // Every byte and pair of bytes, also cut short and between other characters.
    std::vector<std::string> texts;
    for (int a = 0x80; a <= 0xFF; ++a) {
        texts.push_back(std::string(1, static_cast<char>(a)));
        for (int b = 0; b <= 0xFF; ++b)
            texts.push_back("x" + std::string{static_cast<char>(a), static_cast<char>(b)} +
                            "\x82\xA0");
    }
    for (const std::string& t : texts)
        ASSERT_EQ(platform::FromCp932(t), QString::fromStdString(Cp932ToUtf8(t)))
            << QByteArray::fromStdString(t).toHex().toStdString();
}

TEST(Cp932, CharactersItCannotHold) {
    const QString lone = QString(QChar(0xD83D)) + QStringLiteral("a");  // half of a pair
    const struct {
        QString text;
        QStringList found;
        QString without;
    } cases[] = {
        {U("P😀〜𠮷Q"), {U("😀"), U("𠮷")}, U("P〜Q")},
        {U("M😀♡1😀"), {U("😀"), U("♡")}, U("M1")},
        {U("令和㋿"), {U("㋿")}, U("令和")},
        // Characters with a code of their own stay, whatever code they get.
        {U("〜−‖¢£¬—～①ｶ\\表"), {}, U("〜−‖¢£¬—～①ｶ\\表")},
        {U("한a"), {U("한")}, U("a")},
        {lone, {QString(QChar(0xD83D))}, U("a")},
        {QString(), {}, QString()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::UnencodableCharacters(c.text), c.found) << c.text.toStdString();
        EXPECT_EQ(platform::WithoutUnencodable(c.text), c.without) << c.text.toStdString();
    }
    EXPECT_EQ(platform::ToCp932(U("P〜Q")), "P\x81\x60Q");
}
