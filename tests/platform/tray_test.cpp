// Tray mouse codes and the port's handler rules.
#include "tray.h"

#include <gtest/gtest.h>

#include <vector>

#include "fake_tray.h"

using namespace platform;

namespace {

TEST(Tray, ActivationReasonsMapToMouseCodes) {
    const struct {
        QSystemTrayIcon::ActivationReason reason;
        int code;
    } cases[] = {
        {QSystemTrayIcon::Trigger, 0x201}, {QSystemTrayIcon::DoubleClick, 0x203},
        {QSystemTrayIcon::Context, 0x204}, {QSystemTrayIcon::MiddleClick, 0},
        {QSystemTrayIcon::Unknown, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(TrayMouseCodeFor(c.reason), c.code) << c.reason;
}

TEST(Tray, HandlerGetsCodesButNeverZero) {
    FakeTray tray;
    std::vector<int> got;
    TrayIcon().SetMouseHandler([&](int code) { got.push_back(code); });
    tray.Click(kTrayClick);
    tray.Click(0);
    tray.Click(kTrayDoubleClick);
    tray.Click(kTrayContext);
    EXPECT_EQ(got, (std::vector<int>{0x201, 0x203, 0x204}));
}

TEST(Tray, NoHandlerIsHarmless) {
    FakeTray tray;
    EXPECT_NO_THROW(tray.Click(kTrayDoubleClick));
    tray.SetMouseHandler([](int) {});
    tray.SetMouseHandler(nullptr);
    EXPECT_NO_THROW(tray.Click(kTrayClick));
}

TEST(Tray, HandlerMayReplaceItselfWhileRunning) {
    FakeTray tray;
    int calls = 0;
    tray.SetMouseHandler([&](int) {
        ++calls;
        tray.SetMouseHandler(nullptr);
    });
    tray.Click(kTrayClick);
    tray.Click(kTrayClick);
    EXPECT_EQ(calls, 1);
}

TEST(Tray, FakeReplacesTheDesktopIconAndGivesItBack) {
    {
        FakeTray tray;
        EXPECT_EQ(&TrayIcon(), &tray);
        TrayIcon().Show(QIcon(), QStringLiteral("tip"));
        EXPECT_TRUE(tray.shown);
        EXPECT_EQ(tray.tip, QStringLiteral("tip"));
    }
    // The desktop icon: offscreen there is no notification area, and hiding an icon never
    // shown is harmless.
    EXPECT_FALSE(TrayIcon().IsAvailable());
    TrayIcon().Hide();
}

}  // namespace
