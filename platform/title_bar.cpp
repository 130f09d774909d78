#include "title_bar.h"

#include <QWidget>

namespace platform {

void SetTitleBar(QWidget* window, TitleBar kind, bool fixed) {
    if (!window) return;
    Qt::WindowFlags flags = window->windowFlags() & Qt::WindowType_Mask;
    if (flags == Qt::Widget) flags = Qt::Window;
    // Keep what is not about the title bar (always on top, no task-bar button).
    flags |= window->windowFlags() & (Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus |
                                      Qt::X11BypassWindowManagerHint);
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    switch (kind) {
        case TitleBar::MinimizeOnly:
            flags |= Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                     Qt::WindowCloseButtonHint;
            fixed = true;
            break;
        case TitleBar::Dialog:
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
            fixed = true;
            break;
        case TitleBar::CloseOnly:
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
            break;
        case TitleBar::NoMinimize:
            flags |= Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                     Qt::WindowCloseButtonHint;
            break;
        case TitleBar::Full:
            flags |= Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                     Qt::WindowCloseButtonHint;
            break;
        case TitleBar::NoButtons:
            break;
    }
    window->setWindowFlags(flags);
    if (fixed) window->setFixedSize(window->size());
}

}  // namespace platform
