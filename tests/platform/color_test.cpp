#include "color.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>

using platform::FromQColor;
using platform::ResolveColor;
using platform::ToQColor;

TEST(Color, PlainColoursHaveRedInTheLowByteAndRoundTrip) {
    struct Case {
        uint32_t stored;
        QColor color;
    } cases[] = {
        {255, QColor(255, 0, 0)},
        {0xFF00, QColor(0, 255, 0)},
        {0xFF0000, QColor(0, 0, 255)},
        {65535, QColor(255, 255, 0)},
        {16711935, QColor(255, 0, 255)},
        {0x00123456, QColor(0x56, 0x34, 0x12)},
        {0, QColor(0, 0, 0)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResolveColor(c.stored), c.stored) << c.stored;
        EXPECT_EQ(ToQColor(c.stored), c.color) << c.stored;
        EXPECT_EQ(FromQColor(c.color), c.stored) << c.stored;
    }
}

TEST(Color, SystemColoursResolveToPlainRgb) {
    const uint32_t stored[] = {platform::SystemColor(15), platform::SystemColor(8),
                               static_cast<uint32_t>(-16777208), platform::SystemColor(24),
                               platform::SystemColor(200)};
    for (uint32_t s : stored) {
        EXPECT_TRUE(platform::IsSystemColor(s));
        EXPECT_EQ(ResolveColor(s) & 0xFF000000u, 0u) << std::hex << s;
    }
    EXPECT_EQ(ToQColor(platform::SystemColor(15)),
              QGuiApplication::palette().color(QPalette::Button));
    EXPECT_EQ(ToQColor(platform::SystemColor(8)),
              QGuiApplication::palette().color(QPalette::WindowText));
    EXPECT_FALSE(platform::IsSystemColor(0x00FFFFFF));
}
