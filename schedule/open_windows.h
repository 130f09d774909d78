// Which of the program's modeless windows are open right now. Each window marks itself open
// when it is created and closed when it goes; menus of other windows ask before they offer
// commands that would clash with it.
#pragma once

enum class WindowKind {
    OptionsHub,
    YearView,
    MonthView,
    MemoIndex,
    Launcher,
    ToDoList,
};

// False until the window's owner says otherwise.
bool IsOpen(WindowKind kind);
void SetWindowOpen(WindowKind kind, bool open);
// Every window back to "not open" (tests).
void ResetOpenWindows();
