// Windows that the program's modal windows let through.
#include "modal_windows.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <memory>

#include "tray.h"

using namespace platform;

namespace {

// A window with a button that counts the clicks the window system lets through.
struct Target {
    Target() : button(new QPushButton(QStringLiteral("x"), &window)) {
        window.resize(120, 60);
        button->setGeometry(10, 10, 100, 40);
        QObject::connect(button, &QPushButton::clicked, [this] { ++clicks; });
    }
    bool Usable() {
        const int before = clicks;
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(60, 30));
        return clicks > before;
    }
    QWidget window;
    QPushButton* button;
    int clicks = 0;
};

// Runs inside a new modal dialog, then closes it.
void InsideDialog(const std::function<void(QDialog&)>& inside) {
    QDialog dialog;
    QTimer::singleShot(0, &dialog, [&] {
        inside(dialog);
        dialog.reject();
    });
    dialog.exec();
}

TEST(ModalWindows, KeptUsableThroughEveryModalWindow) {
    Target target;
    KeepUsableAboveModals(&target.window);
    target.window.show();
    bool outer = false, inner = false, outerAgain = false;
    InsideDialog([&](QDialog&) {
        outer = target.Usable();
        InsideDialog([&](QDialog&) { inner = target.Usable(); });
        outerAgain = target.Usable();
    });
    EXPECT_TRUE(outer);
    EXPECT_TRUE(inner);
    EXPECT_TRUE(outerAgain) << "passed on to the dialog below when the inner one closed";
    EXPECT_EQ(target.window.windowHandle()->transientParent(), nullptr);
    EXPECT_TRUE(target.Usable());
}

TEST(ModalWindows, OpenedAboveARunningModalWindow) {
    const struct {
        const char* name;
        bool shownBefore;  // already open (and blocked) when the dialog started
    } cases[] = {{"opened during the dialog", false}, {"brought up during the dialog", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Target target;
        if (c.shownBefore) target.window.show();
        bool before = true, usable = false, underNested = true, afterNested = false;
        InsideDialog([&](QDialog& dialog) {
            target.window.show();
            before = target.Usable();
            UsableAboveRunningModal(&target.window);
            usable = target.Usable();
            EXPECT_EQ(target.window.windowHandle()->transientParent(), dialog.windowHandle());
            // A modal window opened later blocks it as usual.
            InsideDialog([&](QDialog&) { underNested = target.Usable(); });
            afterNested = target.Usable();
        });
        EXPECT_FALSE(before);
        EXPECT_TRUE(usable);
        EXPECT_FALSE(underNested);
        EXPECT_TRUE(afterNested);
        EXPECT_EQ(target.window.windowHandle()->transientParent(), nullptr);
        // Without a modal window nothing changes; the next dialog blocks it again.
        UsableAboveRunningModal(&target.window);
        bool blocked = false;
        InsideDialog([&](QDialog&) { blocked = !target.Usable(); });
        EXPECT_TRUE(blocked);
    }
}

TEST(ModalWindows, TheTrayIconsWindowIsKeptUsable) {
    // The window a tray embeds (XEmbed) is Qt's own; it is found by its name.
    Target icon;
    icon.window.setObjectName(QStringLiteral("QSystemTrayIconSys"));
    icon.window.show();
    TrayIcon().Show(QIcon(QPixmap(16, 16)), QStringLiteral("tip"));
    bool usable = false;
    InsideDialog([&](QDialog&) { usable = icon.Usable(); });
    EXPECT_TRUE(usable);
    TrayIcon().Hide();
}

}  // namespace
