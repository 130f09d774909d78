// Window-manager state of top-level widgets, changed without hiding them: QWidget::setWindowFlags
// on a shown window recreates it hidden, so shown windows are changed through their QWindow.
#pragma once

#include <functional>

class QWidget;

namespace platform {

// Always on top or not; the window stays shown, where it is, and keeps its focus.
void SetTopMost(QWidget* widget, bool on);
bool IsTopMost(const QWidget* widget);

// To the top of the window order without taking the focus; a hidden window stays hidden.
void RaiseWithoutActivating(QWidget* widget);

// No task-bar button: a tool window (set while still hidden, as it shapes the frame) that also
// asks the window manager to skip the task bar each time it is shown.
void SkipTaskbar(QWidget* widget);

// No task-bar button for a window of any type (a plain framed or frameless window stays one).
void SkipTaskbarKeepingType(QWidget* widget);

// Every top-level window of the application shown from now on asks for no task-bar button,
// keeping its own frame, whenever skip() says so at its show (nullptr: always).
void KeepWindowsOffTaskbar(std::function<bool()> skip);

}  // namespace platform
