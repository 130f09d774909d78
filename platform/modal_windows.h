// The application's modal windows as a port: whether one runs, and how to end it.
#pragma once

class QWidget;

namespace platform {

class ModalWindows {
  public:
    virtual ~ModalWindows() = default;
    virtual bool AnyOpen() const = 0;
    // Shows the user which window holds things up.
    virtual void BringForward() = 0;
    // Ends the topmost modal window as Esc would, for an exit that cannot wait; the one below
    // it (if any) stays.
    virtual void CloseTop() = 0;
};

// True once CloseTop has closed the window: nobody may be there to answer its questions.
bool ClosedForExit(const QWidget* window);

// The modal windows of this application.
ModalWindows& ApplicationModals();

// Keeps the window usable while modal windows of the program run, as the tray icon and the
// notices must stay: each modal window that would block it lets it through until it hides.
void KeepUsableAboveModals(QWidget* window);
// Lets the window through the modal window that runs now (a window opened from the tray above
// a modal view) until that one hides; modal windows opened later block it as usual. Nothing
// when no modal window runs.
void UsableAboveRunningModal(QWidget* window);

}  // namespace platform
