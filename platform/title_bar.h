// The buttons and border a window's title bar shows, named as the windows describe them.
// Set before the window is first shown.
#pragma once

class QWidget;

namespace platform {

enum class TitleBar {
    // System menu and minimise; fixed single border (the main window).
    MinimizeOnly,
    // Dialog border: close only, not resizable.
    Dialog,
    // System menu only: close only, resizable.
    CloseOnly,
    // System menu and maximise, no minimise; resizable (the month view).
    NoMinimize,
    // System menu, minimise and maximise; resizable.
    Full,
    // A title bar without buttons; resizable unless fixed.
    NoButtons,
};

// Keeps the window's type (window or dialog); fixed makes the current size the only one.
void SetTitleBar(QWidget* window, TitleBar kind, bool fixed = false);

}  // namespace platform
