#include "title_bar_hints.h"

#include "title_bar.h"

namespace platform {

TitleBarButtons ButtonsFor(TitleBar kind, bool fixed) {
    TitleBarButtons b;
    b.fixed = fixed;
    switch (kind) {
        case TitleBar::MinimizeOnly:
            b.menu = b.minimize = b.close = true;
            b.fixed = true;
            break;
        case TitleBar::Dialog:
            b.menu = b.close = true;
            b.fixed = true;
            break;
        case TitleBar::CloseOnly:
            b.menu = b.close = true;
            break;
        case TitleBar::NoMinimize:
            b.menu = b.maximize = b.close = true;
            break;
        case TitleBar::Full:
            b.menu = b.minimize = b.maximize = b.close = true;
            break;
        case TitleBar::NoButtons:
            break;
    }
    // Maximising a window of one size would only move it.
    if (b.fixed) b.maximize = false;
    return b;
}

MotifHints MotifHintsFor(TitleBar kind, bool fixed) {
    using H = MotifHints;
    const TitleBarButtons b = ButtonsFor(kind, fixed);
    H h;
    h.flags = H::kHasFunctions | H::kHasDecorations;
    h.functions = H::kFuncMove;
    h.decorations = H::kDecorBorder | H::kDecorTitle;
    if (!b.fixed) {
        h.functions |= H::kFuncResize;
        h.decorations |= H::kDecorResizeHandles;
    }
    if (b.menu) h.decorations |= H::kDecorMenu;
    if (b.minimize) {
        h.functions |= H::kFuncMinimize;
        h.decorations |= H::kDecorMinimize;
    }
    if (b.maximize) {
        h.functions |= H::kFuncMaximize;
        h.decorations |= H::kDecorMaximize;
    }
    if (b.close) h.functions |= H::kFuncClose;
    return h;
}

bool MayTakeOwnType(TitleBar kind, bool fixed) {
    const TitleBarButtons b = ButtonsFor(kind, fixed);
    // A toolbar leaves the window switcher: only dialogs of one size, which are never
    // switched to on their own, take that type.
    return b.fixed && !b.minimize && !b.maximize;
}

const char* WindowTypeFor(TitleBar kind, bool fixed, std::string_view windowManager) {
    if (windowManager != "Openbox" || !MayTakeOwnType(kind, fixed)) return nullptr;
    return "_NET_WM_WINDOW_TYPE_TOOLBAR";
}

}  // namespace platform
