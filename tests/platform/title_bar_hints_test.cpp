#include "title_bar_hints.h"

#include <gtest/gtest.h>

#include "title_bar.h"

namespace {

using platform::MotifHints;
using platform::TitleBar;

// The property as a window manager reads it: flags, functions, decorations, input, status.
TEST(TitleBarHints, EveryKindAsksForExactlyItsButtonsAndBorder) {
    struct {
        const char* name;
        TitleBar kind;
        bool fixed;
        uint32_t functions, decorations;
    } const cases[] = {
        // move 0x04, resize 0x02, minimise 0x08, maximise 0x10, close 0x20;
        // border 0x02, resize handles 0x04, title 0x08, menu 0x10, minimise 0x20, maximise 0x40
        {"main window", TitleBar::MinimizeOnly, false, 0x2c, 0x3a},
        {"main window, fixed", TitleBar::MinimizeOnly, true, 0x2c, 0x3a},
        {"dialog border", TitleBar::Dialog, false, 0x24, 0x1a},
        {"dialog border, fixed", TitleBar::Dialog, true, 0x24, 0x1a},
        {"system menu only, sizable", TitleBar::CloseOnly, false, 0x26, 0x1e},
        {"system menu only, single border", TitleBar::CloseOnly, true, 0x24, 0x1a},
        {"no minimise, sizable", TitleBar::NoMinimize, false, 0x36, 0x5e},
        {"no minimise, fixed: nothing to maximise", TitleBar::NoMinimize, true, 0x24, 0x1a},
        {"all buttons, sizable", TitleBar::Full, false, 0x3e, 0x7e},
        {"all buttons, single border", TitleBar::Full, true, 0x2c, 0x3a},
        {"no buttons, sizable", TitleBar::NoButtons, false, 0x06, 0x0e},
        {"no buttons, fixed", TitleBar::NoButtons, true, 0x04, 0x0a},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const MotifHints h = platform::MotifHintsFor(c.kind, c.fixed);
        EXPECT_EQ(h.flags, 0x3u);  // functions and decorations both count
        EXPECT_EQ(h.functions, c.functions);
        EXPECT_EQ(h.decorations, c.decorations);
        EXPECT_EQ(h.inputMode, 0);
        EXPECT_EQ(h.status, 0u);
        // "All" would turn the listed bits into the ones taken away.
        EXPECT_FALSE(h.functions & MotifHints::kFuncAll);
        EXPECT_FALSE(h.decorations & MotifHints::kDecorAll);
    }
}

TEST(TitleBarHints, ButtonsFollowTheWindowsWords) {
    struct {
        TitleBar kind;
        bool fixed;
        bool menu, minimize, maximize, close, keepsOneSize;
    } const cases[] = {
        {TitleBar::MinimizeOnly, false, true, true, false, true, true},
        {TitleBar::Dialog, false, true, false, false, true, true},
        {TitleBar::CloseOnly, false, true, false, false, true, false},
        {TitleBar::CloseOnly, true, true, false, false, true, true},
        {TitleBar::NoMinimize, false, true, false, true, true, false},
        {TitleBar::Full, false, true, true, true, true, false},
        {TitleBar::Full, true, true, true, false, true, true},
        {TitleBar::NoButtons, false, false, false, false, false, false},
        {TitleBar::NoButtons, true, false, false, false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind) * 2 + c.fixed);
        const platform::TitleBarButtons b = platform::ButtonsFor(c.kind, c.fixed);
        EXPECT_EQ(b.menu, c.menu);
        EXPECT_EQ(b.minimize, c.minimize);
        EXPECT_EQ(b.maximize, c.maximize);
        EXPECT_EQ(b.close, c.close);
        EXPECT_EQ(b.fixed, c.keepsOneSize);
    }
}

// Openbox draws a minimise and a maximise button on every normal window and dialog; the caption
// of a small dialog then no longer fits. Other window managers follow the hints.
TEST(TitleBarHints, OpenboxDrawsWindowsWithoutMinimiseOrMaximiseAsToolbars) {
    struct {
        TitleBar kind;
        bool fixed;
        const char* windowManager;
        bool toolbar;
    } const cases[] = {
        {TitleBar::Dialog, true, "Openbox", true},
        {TitleBar::CloseOnly, true, "Openbox", true},
        {TitleBar::CloseOnly, false, "Openbox", false},  // resizable: stays in the switcher
        {TitleBar::NoButtons, true, "Openbox", true},
        {TitleBar::NoMinimize, true, "Openbox", true},  // fixed: nothing to maximise
        {TitleBar::NoMinimize, false, "Openbox", false},
        {TitleBar::MinimizeOnly, true, "Openbox", false},
        {TitleBar::Full, false, "Openbox", false},
        {TitleBar::Dialog, true, "Metacity", false},
        {TitleBar::Dialog, true, "Xfwm4", false},
        {TitleBar::Dialog, true, "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.windowManager << " " << static_cast<int>(c.kind)
                                        << (c.fixed ? " fixed" : ""));
        const char* type = platform::WindowTypeFor(c.kind, c.fixed, c.windowManager);
        if (c.toolbar)
            EXPECT_STREQ(type, "_NET_WM_WINDOW_TYPE_TOOLBAR");
        else
            EXPECT_EQ(type, nullptr);
        // A kind said to need no type is never given one: the window manager is not asked.
        if (type != nullptr) {
            EXPECT_TRUE(platform::MayTakeOwnType(c.kind, c.fixed));
        }
    }
}

}  // namespace
