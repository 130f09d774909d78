// What a title-bar kind asks of the window manager, in the terms of the Motif window-manager
// hints (the _MOTIF_WM_HINTS property). Pure: no window, no display.
#pragma once

#include <cstdint>
#include <string_view>

namespace platform {

enum class TitleBar;

// The five 32-bit fields of _MOTIF_WM_HINTS, in the order they stand in the property.
struct MotifHints {
    // Which of the fields below mean something.
    static constexpr uint32_t kHasFunctions = 1u << 0;
    static constexpr uint32_t kHasDecorations = 1u << 1;
    // What the user may do with the window through the window manager.
    static constexpr uint32_t kFuncAll = 1u << 0;
    static constexpr uint32_t kFuncResize = 1u << 1;
    static constexpr uint32_t kFuncMove = 1u << 2;
    static constexpr uint32_t kFuncMinimize = 1u << 3;
    static constexpr uint32_t kFuncMaximize = 1u << 4;
    static constexpr uint32_t kFuncClose = 1u << 5;
    // What the frame shows.
    static constexpr uint32_t kDecorAll = 1u << 0;
    static constexpr uint32_t kDecorBorder = 1u << 1;
    static constexpr uint32_t kDecorResizeHandles = 1u << 2;
    static constexpr uint32_t kDecorTitle = 1u << 3;
    static constexpr uint32_t kDecorMenu = 1u << 4;
    static constexpr uint32_t kDecorMinimize = 1u << 5;
    static constexpr uint32_t kDecorMaximize = 1u << 6;

    uint32_t flags = 0;
    uint32_t functions = 0;
    uint32_t decorations = 0;
    int32_t inputMode = 0;
    uint32_t status = 0;

    bool operator==(const MotifHints&) const = default;
};

// The buttons a kind offers, and whether the window keeps one size.
struct TitleBarButtons {
    bool menu = false;
    bool minimize = false;
    bool maximize = false;
    bool close = false;
    bool fixed = false;

    bool operator==(const TitleBarButtons&) const = default;
};

// Kinds that are fixed by their words (the main window, dialog border) are fixed whatever
// `fixed` says; a fixed window cannot be maximised.
TitleBarButtons ButtonsFor(TitleBar kind, bool fixed);

// Every function and decoration is listed explicitly (never "all"), so that a window manager
// that honours the hints offers exactly these.
MotifHints MotifHintsFor(TitleBar kind, bool fixed);

// The window type (an _NET_WM_WINDOW_TYPE atom name) a kind needs under the named window
// manager for its title bar to show only its own buttons; null: the window keeps its own type.
// Openbox gives every normal window and dialog a minimise button, and a maximise button beside
// it, whatever the Motif hints, size hints and owner say; its toolbar type has neither. Only
// fixed dialogs take it, as a toolbar is left out of the window switcher.
const char* WindowTypeFor(TitleBar kind, bool fixed, std::string_view windowManager);

// False when WindowTypeFor gives the kind no type under any window manager: the window manager
// need not be asked.
bool MayTakeOwnType(TitleBar kind, bool fixed);

}  // namespace platform
