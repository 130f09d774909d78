// Window-manager state of top-level widgets, changed without hiding them: QWidget::setWindowFlags
// on a shown window recreates it hidden, so shown windows are changed through their QWindow.
#pragma once

#include <functional>
#include <string>
#include <vector>

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
// keeping its own frame, whenever skip() says so at its show (nullptr: always), except those
// that keep their button for their minimise (below).
void KeepWindowsOffTaskbar(std::function<bool()> skip);

// Some window managers (metacity) offer no minimise on a window without a task-bar button, as
// nothing would bring it back. A window that minimises into the tray needs the button there:
// each time it is shown and framed, when the window manager withholds its minimise while it
// skips the task bar, it keeps its task-bar button from then on; where minimise() says false (no
// tray now), nothing is changed.
void OfferMinimise(QWidget* window, std::function<bool()> minimise);
// Whether a window manager that lists the window's allowed actions withholds minimise because
// the window skips the task bar (both atom names as _NET_WM_ALLOWED_ACTIONS and _NET_WM_STATE
// hold them).
bool MinimiseWithheldForSkippedTaskbar(const std::vector<std::string>& allowedActions,
                                       const std::vector<std::string>& states);

}  // namespace platform
