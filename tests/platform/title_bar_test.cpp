#include "title_bar.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QWidget>
#include <memory>

namespace {

TEST(TitleBar, ButtonsAndBorderFollowTheKind) {
    using platform::TitleBar;
    struct {
        TitleBar kind;
        bool close, minimize, maximize, fixed;
    } const cases[] = {
        {TitleBar::MinimizeOnly, true, true, false, true},
        {TitleBar::Dialog, true, false, false, true},
        {TitleBar::CloseOnly, true, false, false, false},
        {TitleBar::NoMinimize, true, false, true, false},
        {TitleBar::Full, true, true, true, false},
        {TitleBar::NoButtons, false, false, false, false},
    };
    for (const auto& c : cases) {
        for (bool dialog : {false, true}) {
            std::unique_ptr<QWidget> w = dialog ? std::make_unique<QDialog>()
                                                : std::make_unique<QWidget>();
            w->resize(200, 100);
            platform::SetTitleBar(w.get(), c.kind);
            const Qt::WindowFlags f = w->windowFlags();
            EXPECT_EQ(w->windowType(), dialog ? Qt::Dialog : Qt::Window);
            EXPECT_TRUE(f & Qt::CustomizeWindowHint);
            EXPECT_EQ(bool(f & Qt::WindowCloseButtonHint), c.close);
            EXPECT_EQ(bool(f & Qt::WindowMinimizeButtonHint), c.minimize);
            EXPECT_EQ(bool(f & Qt::WindowMaximizeButtonHint), c.maximize);
            EXPECT_EQ(w->minimumSize() == w->maximumSize(), c.fixed);
        }
    }
}

TEST(TitleBar, KeepsAlwaysOnTop) {
    QWidget w(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
    platform::SetTitleBar(&w, platform::TitleBar::Dialog);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
}

}  // namespace
