// The application's modal windows as a port: whether one runs, and how to end it.
#pragma once

namespace platform {

class ModalWindows {
public:
    virtual ~ModalWindows() = default;
    virtual bool AnyOpen() const = 0;
    // Shows the user which window holds things up.
    virtual void BringForward() = 0;
    // Ends the topmost modal window as Esc would; the one below it (if any) stays.
    virtual void CloseTop() = 0;
};

// The modal windows of this application.
ModalWindows& ApplicationModals();

}  // namespace platform
