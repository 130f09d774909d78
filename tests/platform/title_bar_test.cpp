#include "title_bar.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "dialogs.h"
#include "message_box.h"

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
            std::unique_ptr<QWidget> w =
                dialog ? std::make_unique<QDialog>() : std::make_unique<QWidget>();
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

// Window managers that offer every button anyway: a minimise or maximise the kind does not
// have is taken back, one the kind has stays.
TEST(TitleBar, StatesTheKindDoesNotOfferAreTakenBack) {
    using platform::TitleBar;
    struct {
        TitleBar kind;
        Qt::WindowState state;
        bool stays;
    } const cases[] = {
        {TitleBar::Dialog, Qt::WindowMinimized, false},
        {TitleBar::NoButtons, Qt::WindowMinimized, false},
        {TitleBar::NoMinimize, Qt::WindowMinimized, false},
        {TitleBar::MinimizeOnly, Qt::WindowMinimized, true},
        {TitleBar::Full, Qt::WindowMinimized, true},
        {TitleBar::CloseOnly, Qt::WindowMaximized, false},
        {TitleBar::NoButtons, Qt::WindowMaximized, false},
        {TitleBar::NoMinimize, Qt::WindowMaximized, true},
        {TitleBar::Full, Qt::WindowMaximized, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind) * 10 + static_cast<int>(c.state));
        QDialog w;
        w.resize(200, 100);
        platform::SetTitleBar(&w, c.kind);
        w.show();
        w.setWindowState(c.state);
        // The take-back runs once the state change has run its course.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        // A window manager answers in its own time, and may first report the state it found
        // when it took the window on: its last word counts.
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return bool(w.windowState() & c.state) == c.stays; }, 5000));
        EXPECT_TRUE(w.isVisible());
    }
}

TEST(TitleBar, SettingTheKindAgainReplacesTheOldOne) {
    QDialog w;
    w.resize(200, 100);
    platform::SetTitleBar(&w, platform::TitleBar::Full);
    platform::SetTitleBar(&w, platform::TitleBar::Dialog);
    EXPECT_EQ(w.findChildren<QObject*>(QStringLiteral("TitleBarKeeper")).size(), 1);
    w.show();
    w.setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.isMinimized());
}

// The message box and the colour picker keep the size they fit themselves to: windows of one
// size, which openbox too shows with close alone.
TEST(TitleBar, MessageBoxesAndTheColourPickerHaveCloseAloneAndOneSize) {
    const struct {
        const char* name;
        std::function<void()> show;
    } cases[] = {
        {"message box",
         [] {
             platform::Messages().Show({platform::MsgKind::Warning,
                                        QStringLiteral("c"),
                                        QStringLiteral("t"),
                                        {platform::kBtnYes}});
         }},
        {"colour picker", [] { platform::Dialogs().Color(nullptr, QColor(Qt::red), {}); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<platform::TitleBarButtons> seen;
        QTimer::singleShot(0, [&] {
            if (QWidget* window = QApplication::activeModalWidget()) {
                seen = platform::TitleBarOf(window);
                window->close();
            }
        });
        c.show();
        EXPECT_EQ(seen, (platform::TitleBarButtons{true, false, false, true, true}));
    }
}

}  // namespace
