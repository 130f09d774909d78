// Window-manager state changes must never hide a shown window, and must survive re-creation.
#include "window_flags.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <QWindow>

using namespace platform;

namespace {

TEST(WindowFlags, TopMostTogglesWithoutHidingAShownWindow) {
    QWidget w;
    w.resize(100, 80);
    w.show();
    ASSERT_TRUE(w.isVisible());
    const struct { bool on; } steps[] = {{true}, {true}, {false}, {true}, {false}};
    for (const auto& step : steps) {
        SetTopMost(&w, step.on);
        EXPECT_TRUE(w.isVisible()) << step.on;
        EXPECT_EQ(IsTopMost(&w), step.on);
        ASSERT_NE(w.windowHandle(), nullptr);
        EXPECT_EQ(w.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), step.on);
    }
}

TEST(WindowFlags, TopMostBeforeTheFirstShowReachesTheWindow) {
    QWidget w;
    SetTopMost(&w, true);
    EXPECT_FALSE(w.isVisible());
    w.show();
    ASSERT_NE(w.windowHandle(), nullptr);
    EXPECT_TRUE(w.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST(WindowFlags, TopMostSurvivesHideAndShow) {
    QWidget w;
    w.show();
    SetTopMost(&w, true);
    w.hide();
    w.show();
    EXPECT_TRUE(w.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(IsTopMost(&w));
}

TEST(WindowFlags, ChildWidgetActsOnItsWindow) {
    QWidget w;
    auto* child = new QWidget(&w);
    w.show();
    SetTopMost(child, true);
    EXPECT_TRUE(IsTopMost(&w));
    EXPECT_TRUE(w.isVisible());
}

TEST(WindowFlags, MinimiseWithheldOnlyForTheSkippedTaskbar) {
    const std::vector<std::string> skipping{"_NET_WM_STATE_SKIP_TASKBAR"};
    const struct {
        const char* name;
        std::vector<std::string> actions, states;
        bool withheld;
    } cases[] = {
        // Metacity: a window without a task-bar button could never come back from minimise.
        {"metacity", {"_NET_WM_ACTION_MOVE", "_NET_WM_ACTION_CLOSE"}, skipping, true},
        {"openbox", {"_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_CLOSE"}, skipping, false},
        {"button kept already", {"_NET_WM_ACTION_CLOSE"}, {"_NET_WM_STATE_ABOVE"}, false},
        {"actions not listed", {}, skipping, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MinimiseWithheldForSkippedTaskbar(c.actions, c.states), c.withheld) << c.name;
}

TEST(WindowFlags, NullWidgetsAreIgnored) {
    SetTopMost(nullptr, true);
    RaiseWithoutActivating(nullptr);
    SkipTaskbar(nullptr);
    EXPECT_FALSE(IsTopMost(nullptr));
}

TEST(WindowFlags, RaiseLeavesAHiddenWindowHidden) {
    QWidget w;
    RaiseWithoutActivating(&w);
    EXPECT_FALSE(w.isVisible());
}

TEST(WindowFlags, SkipTaskbarMakesAHiddenWindowAToolWindow) {
    const Qt::WindowType types[] = {Qt::Window, Qt::Dialog, Qt::Tool};
    for (Qt::WindowType type : types) {
        QWidget w(nullptr, type);
        SkipTaskbar(&w);
        EXPECT_EQ(w.windowType(), Qt::Tool) << type;
        w.show();
        EXPECT_TRUE(w.isVisible());
    }
}

TEST(WindowFlags, SkipTaskbarNeverHidesAShownWindow) {
    QWidget w;
    w.show();
    SkipTaskbar(&w);
    EXPECT_TRUE(w.isVisible());
}

}  // namespace
