#include "window_frame.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

namespace {

TEST(WindowFrame, WindowsWhollyOffEveryScreenComeBack) {
    const std::vector<QRect> screens = {QRect(0, 0, 1280, 800), QRect(-1024, 0, 1024, 768)};
    struct {
        QRect window;
        QPoint at;
    } const cases[] = {
        {QRect(100, 100, 206, 265), QPoint(100, 100)},
        {QRect(-300, 50, 206, 265), QPoint(-300, 50)},    // on the left screen
        {QRect(-100, -10, 206, 265), QPoint(-100, -10)},  // partly off, still reachable
        {QRect(-31073, 0, 206, 265), QPoint(0, 0)},       // a wrapped 99999
        {QRect(5000, 200, 206, 265), QPoint(1280 - 206, 200)},
        {QRect(100, 900, 206, 265), QPoint(100, 800 - 265)},
        {QRect(100, -31073, 206, 265), QPoint(100, 0)},
        {QRect(9000, 9000, 2000, 900), QPoint(0, 0)},  // larger than the screen
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::OntoScreens(c.window, screens), c.at)
            << c.window.x() << "," << c.window.y();
    EXPECT_EQ(platform::OntoScreens(QRect(-5000, 3, 10, 10), {}), QPoint(-5000, 3));
}

TEST(WindowFrame, DialogsComeWhollyOntoTheUsableArea) {
    const QRect area(0, 0, 1280, 776);  // a panel below
    struct {
        QRect outer;  // frame included
        QPoint at;
    } const cases[] = {
        {QRect(96, -20, 533, 426), QPoint(96, 0)},  // the title bar above the screen
        {QRect(400, 300, 533, 426), QPoint(400, 300)},
        {QRect(1000, 500, 533, 426), QPoint(747, 350)},
        {QRect(-5, 10, 100, 50), QPoint(0, 10)},
        {QRect(50, 50, 1400, 900), QPoint(0, 0)},  // larger than the area
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::WhollyInside(c.outer, area), c.at) << c.outer.x() << "," << c.outer.y();
}

// The window manager's frame is in device pixels; placing with it unconverted put the day
// window a whole title bar too low on a scaled screen.
TEST(WindowFrame, FrameInLogicalPixels) {
    struct {
        QMargins device;
        qreal ratio;
        QMargins logical;
    } const cases[] = {
        {QMargins(1, 20, 1, 1), 1.0, QMargins(1, 20, 1, 1)},
        {QMargins(1, 20, 1, 1), 1.5, QMargins(1, 13, 1, 1)},
        {QMargins(1, 20, 1, 1), 2.0, QMargins(1, 10, 1, 1)},
        {QMargins(4, 27, 4, 4), 2.0, QMargins(2, 14, 2, 2)},
        {QMargins(0, 0, 0, 0), 2.0, QMargins()},
        {QMargins(1, 20, 1, 1), 0.0, QMargins(1, 20, 1, 1)},  // no screen to ask
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::LogicalFrame(c.device, c.ratio), c.logical) << c.ratio;
}

}  // namespace

TEST(WindowFrame, FramePlacedAtItsStoredPlace) {
    QWidget w;
    w.resize(200, 100);
    platform::PlaceFrameAt(&w, QPoint(30, 40), QMargins(1, 20, 1, 1));
    // The client area inside the frame the window manager will draw.
    EXPECT_EQ(w.geometry(), QRect(31, 60, 200, 100));

    // A window manager that placed the window itself: the first paint takes it back.
    QWidget moved;
    moved.resize(200, 100);
    platform::PlaceFrameAt(&moved, QPoint(30, 40), QMargins());
    moved.move(500, 300);
    moved.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&moved));
    QTRY_COMPARE(moved.pos(), QPoint(30, 40));
    // Later moves are the user's own.
    moved.move(70, 80);
    moved.update();
    QTest::qWait(50);
    EXPECT_EQ(moved.pos(), QPoint(70, 80));
}
