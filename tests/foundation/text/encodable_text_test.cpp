#include "encodable_text.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTextDocument>

#include "cp932.h"
#include "fake_messages.h"

using namespace foundation;

namespace {

const QString kQuestion =
    U("次の文字はシフトJISにないため、保存できません。\r\n\r\n"
      "「😀」(U+1F600)　「♡」(U+2661)\r\n\r\n"
      "これらの文字を除いて保存しますか？\r\n"
      "「いいえ」を選ぶと、入力したままの文章に戻ります。");

}  // namespace

TEST(EncodableText, AskedOnceForAllTextsAndAnsweredByTheUser) {
    const struct {
        const char* name;
        std::deque<int> answers;
        QString first, second;  // as typed
        bool stored;
        QString firstAfter, secondAfter;
        size_t questions;
    } cases[] = {
        {"store without", {platform::kBtnYes}, U("M😀1"), U("♡x😀"), true, U("M1"), U("x"), 1},
        {"back to the text", {platform::kBtnNo}, U("M😀1"), U("♡x"), false, U("M😀1"), U("♡x"), 1},
        {"box closed", {0}, U("M😀1"), U("♡"), false, U("M😀1"), U("♡"), 1},
        {"nothing to ask", {}, U("〜−"), U("表"), true, U("〜−"), U("表"), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeMessages messages;
        messages.answers = c.answers;
        QString first = c.first, second = c.second;
        EXPECT_EQ(ConfirmEncodable({&first, nullptr, &second}), c.stored);
        EXPECT_EQ(first, c.firstAfter);
        EXPECT_EQ(second, c.secondAfter);
        ASSERT_EQ(messages.shown.size(), c.questions);
        if (c.questions == 0) continue;
        EXPECT_EQ(messages.shown[0].text, kQuestion);
        EXPECT_EQ(messages.shown[0].kind, platform::MsgKind::Warning);
        EXPECT_EQ(messages.shown[0].buttons,
                  (std::vector<int>{platform::kBtnYes, platform::kBtnNo}));
        EXPECT_EQ(messages.shown[0].defaultButton, platform::kBtnNo);
    }
}

TEST(EncodableText, ManyCharactersAreCountedBeyondTwenty) {
    QString text;
    for (char16_t c = u'가'; c < u'가' + 23; ++c) text += QChar(c);
    const QString question = UnencodableQuestion(platform::UnencodableCharacters(text));
    EXPECT_TRUE(question.contains(U("「갓」(U+AC13)　ほか3文字\r\n"))) << question.toStdString();
    EXPECT_FALSE(question.contains(U("「갔」")));
}

TEST(EncodableText, ATerminationTakesThemOutWithoutAsking) {
    platform::UnattendedMessages unattended;
    QString text = U("会議😀");
    EXPECT_TRUE(ConfirmEncodable(text));
    EXPECT_EQ(text, U("会議"));
    ASSERT_EQ(unattended.Texts().size(), 1u);
    EXPECT_EQ(unattended.Texts()[0],
              U("次の文字はシフトJISにないため、除いて保存しました。\r\n\r\n「😀」(U+1F600)"));
}

TEST(EncodableText, BoxesLoseTheCharactersOnlyWhenTheUserSaysSo) {
    FakeMessages messages;
    QTextDocument clean(U("予定"));
    QTextDocument typed(U("a😀\nb𠮷c"));
    typed.setModified(false);
    int refusedAt = -1;
    messages.answers = {platform::kBtnNo};
    EXPECT_FALSE(ConfirmDocuments({&clean, &typed}, &refusedAt));
    EXPECT_EQ(refusedAt, 1);
    EXPECT_EQ(typed.toPlainText(), U("a😀\nb𠮷c"));

    messages.answers = {platform::kBtnYes};
    EXPECT_TRUE(ConfirmDocuments({&clean, &typed}));
    EXPECT_EQ(typed.toPlainText(), U("a\nbc"));
    EXPECT_TRUE(typed.isModified());
    typed.undo();  // one step brings the text as typed back
    EXPECT_EQ(typed.toPlainText(), U("a😀\nb𠮷c"));

    QLineEdit project(U("家"));
    QLineEdit content(U("♡買物"));
    messages.answers = {platform::kBtnNo};
    EXPECT_FALSE(ConfirmLineEdits({&project, nullptr, &content}));
    EXPECT_EQ(content.text(), U("♡買物"));
    messages.answers = {platform::kBtnYes};
    EXPECT_TRUE(ConfirmLineEdits({&project, nullptr, &content}));
    EXPECT_EQ(content.text(), U("買物"));
    EXPECT_EQ(project.text(), U("家"));
}

TEST(EncodableText, UneditedTextKeepsItsBytes) {
    const struct {
        std::string original;
        QString shown;
        std::string stored;
    } cases[] = {
        {"\xED\x40", platform::FromCp932("\xED\x40"), "\xED\x40"},  // NEC-selected IBM code
        {"a\x80\xA0\xFD\xFF", platform::FromCp932("a\x80\xA0\xFD\xFF"), "a\x80\xA0\xFD\xFF"},
        {"\xED\x40", platform::FromCp932("\xED\x40") + U("x"),
         "\xFA\x5C"
         "x"},
        {"", U("表"), "\x95\x5C"},
    };
    for (const auto& c : cases) EXPECT_EQ(StoredText(c.shown, c.original), c.stored);
}
