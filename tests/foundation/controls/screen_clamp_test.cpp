#include "screen_clamp.h"

#include <gtest/gtest.h>

using namespace foundation;

TEST(ScreenClamp, StoredBoundsStayReachable) {
    const QSize screen(1280, 800);
    const struct {
        QRect in, out;
    } cases[] = {
        {{100, 50, 640, 480}, {100, 50, 640, 480}},
        {{0, 0, 1280, 800}, {0, 0, 1274, 794}},  // as large as the screen
        {{300, 200, 2000, 900}, {0, 0, 1994, 894}},
        {{-1, -5, 640, 480}, {0, 0, 640, 480}},
        {{1230, 750, 640, 480}, {0, 0, 640, 480}},  // within 50 of the right and bottom
        {{1229, 749, 640, 480}, {1229, 749, 640, 480}},
    };
    for (const auto& c : cases) EXPECT_EQ(ClampToScreen(c.in, screen), c.out) << c.in.x();
}
