// The buttons and border a window's title bar shows, named as the windows describe them.
// Set before the window is first shown.
#pragma once

#include <optional>

#include "title_bar_hints.h"

class QWidget;

namespace platform {

enum class TitleBar {
    // System menu and minimise; fixed single border (the main window).
    MinimizeOnly,
    // Dialog border: close only, not resizable.
    Dialog,
    // System menu only: close only, resizable unless fixed.
    CloseOnly,
    // System menu and maximise, no minimise; resizable (the month view).
    NoMinimize,
    // System menu, minimise and maximise; resizable unless fixed.
    Full,
    // A title bar without buttons; resizable unless fixed.
    NoButtons,
};

// Keeps the window's type (window or dialog); fixed makes the current size the only one.
// Besides Qt's window flags, the window carries its own window-manager hints (the Motif hints,
// written again whenever Qt rewrites them), and a window manager that offers a minimise or
// maximise the kind does not have anyway sees the window come straight back. Under openbox,
// which draws both on every window and dialog, a kind with neither is shown as a toolbar.
// Openbox keeps its window-menu icon and close button on every window with a title bar,
// whatever the type and hints say: there a kind without them still shows them, and the close
// button cancels the dialog as Escape does.
void SetTitleBar(QWidget* window, TitleBar kind, bool fixed = false);

// The buttons SetTitleBar gave the window; none when it never ran on it.
std::optional<TitleBarButtons> TitleBarOf(const QWidget* window);

}  // namespace platform
