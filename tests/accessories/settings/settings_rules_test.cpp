#include "settings_rules.h"

#include <gtest/gtest.h>

using namespace accessories;

namespace {

TEST(SettingsRules, TypedNumbers) {
    const struct {
        const char* text;
        std::optional<int> value;
    } cases[] = {
        {"15", 15},
        {" 7 ", 7},
        {"+5", 5},
        {"-3", -3},
        {"0", 0},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {"1 2", std::nullopt},
        {"1.5", std::nullopt},
        {"99999999999", std::nullopt},
        {"１２", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WholeNumber(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(SettingsRules, NoticeMinutesAndToDoDays) {
    const struct {
        int typed;
        uint8_t minutes, days;
    } cases[] = {
        {-5, 5, 5},
        {0, 0, 0},
        {59, 59, 59},
        {60, 15, 60},
        {75, 15, 75},
        {300, 15, 255},
        {316, 15, 255},
        {-3, 3, 3},
        {255, 15, 255},
        {256, 15, 255},
        {-2147483647 - 1, 15, 255},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NoticeMinutes(c.typed), c.minutes) << c.typed;
        EXPECT_EQ(ToDoAlertDays(c.typed), c.days) << c.typed;
    }
}

TEST(SettingsRules, ListPositionsOfStoredValues) {
    EXPECT_EQ(NoticeTimeIndex(15000), 3);
    EXPECT_EQ(NoticeTimeIndex(1000), 0);
    EXPECT_EQ(NoticeTimeIndex(0), 0);
    EXPECT_EQ(NoticeTimeIndex(60000), 12);
    EXPECT_EQ(NoticeTimeIndex(65000), 0);
    EXPECT_EQ(ListIndex(2, 3), 2);
    EXPECT_EQ(ListIndex(3, 3), 0);  // yoAruDsp 3
    EXPECT_EQ(ListIndex(7, 7), 0);  // StYoubiNo 7
    EXPECT_EQ(ListIndex(255, 7), 0);
}

TEST(SettingsRules, HotKeyLetters) {
    const struct {
        char16_t typed;
        char letter;
    } cases[] = {
        {u'k', 'K'}, {u'K', 'K'}, {u'a', 'A'}, {u'z', 'Z'}, {u'1', 0}, {u'\b', 0},
        {u' ', 0},   {u'Ａ', 0},  {u'ｋ', 0},  {u'@', 0},   {u'[', 0},
    };
    for (const auto& c : cases) EXPECT_EQ(HotKeyLetter(QChar(c.typed)), c.letter) << int(c.typed);
}

TEST(SettingsRules, CentresTheWholeWindowWithItsFrame) {
    const struct {
        QRect screen;
        QSize client;
        QMargins frame;  // left, top, right, bottom
        QPoint client_at;
    } cases[] = {
        // The frame, title bar included, is centred, not the client area.
        {{0, 0, 1280, 800}, {600, 417}, {1, 20, 1, 1}, {340, 201}},
        {{0, 0, 1280, 800}, {600, 417}, {}, {340, 191}},
        // Odd spans: each half is taken before truncating (640 - 301.5 gives 338).
        {{0, 0, 1280, 801}, {601, 418}, {1, 20, 1, 1}, {339, 201}},
        {{1280, 0, 1024, 768}, {600, 417}, {4, 24, 4, 4}, {1492, 185}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CentredClientPos(c.screen, c.client, c.frame), c.client_at) << c.client_at.y();
}

}  // namespace
