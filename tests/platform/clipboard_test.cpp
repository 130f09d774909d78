#include "clipboard.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include "cp932.h"
#include "fake_clipboard.h"

namespace {

TEST(Clipboard, TextCrossesAsCp932WithCrLf) {
    FakeClipboard clip;
    struct {
        std::optional<QString> held;
        bool hasText;
        std::string cp932;
    } const cases[] = {
        {std::nullopt, false, ""},
        {QString(), false, ""},
        {QString::fromUtf8("会議\n10:00"), true, Sj("会議\r\n10:00")},
        {QString::fromUtf8("a\r\nb"), true, "a\r\nb"},
        {QString::fromUtf8("☃x"), true, "?x"},
    };
    for (const auto& c : cases) {
        clip.text = c.held;
        EXPECT_EQ(platform::ClipboardHasText(), c.hasText);
        EXPECT_EQ(platform::ClipboardTextCp932(), c.cp932);
    }
    platform::SetClipboardTextCp932(Sj("表\r\n2行"));
    EXPECT_EQ(clip.text, QString::fromUtf8("表\n2行"));
}

TEST(Clipboard, DesktopClipboardWithoutDataHasNoText) {
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(platform::ClipboardHasText());
    EXPECT_EQ(platform::ClipboardTextCp932(), "");
    platform::SetClipboardTextCp932("abc\r\ndef");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("abc\ndef"));
    EXPECT_TRUE(platform::ClipboardHasText());
}

}  // namespace
