// Which of the program's views are open right now. Each window marks itself open when it is
// created and closed when it goes; menus of other windows ask before they offer commands that
// would clash with it, and the way back from the tray brings the open one forward.
#pragma once

class QWidget;

namespace foundation {

enum class WindowKind {
    OptionsHub,
    YearView,
    MonthView,
    MemoIndex,
    Launcher,
    ToDoList,
    JumpDialog,
};

// False until the window's owner says otherwise.
bool IsOpen(WindowKind kind);
// window may be nullptr (a view known to be open without a window to show, as in tests).
void SetWindowOpen(WindowKind kind, bool open, QWidget* window = nullptr);
// The window of an open view, or nullptr.
QWidget* OpenWindow(WindowKind kind);
// Every window back to "not open" (tests).
void ResetOpenWindows();

// Marks a view open for the lifetime of the scope.
class OpenWindowScope {
  public:
    OpenWindowScope(WindowKind kind, QWidget* window) : kind_(kind) {
        SetWindowOpen(kind, true, window);
    }
    ~OpenWindowScope() { SetWindowOpen(kind_, false); }
    OpenWindowScope(const OpenWindowScope&) = delete;
    OpenWindowScope& operator=(const OpenWindowScope&) = delete;

  private:
    WindowKind kind_;
};

}  // namespace foundation
