// An exit asked for while a modal window runs waits until that window has closed, so no
// window is torn down under its own handler and the shutdown never runs inside a dialog.
#pragma once

#include <functional>
#include <memory>

#include "clock.h"
#include "modal_windows.h"

namespace schedule {

class ExitGate {
  public:
    // How often a waiting exit looks again whether the modal windows have gone.
    static constexpr int kPollMs = 100;

    explicit ExitGate(platform::ModalWindows& modals);
    ~ExitGate();

    // Runs exit now when no modal window is open, else as soon as the last one has closed.
    // Urgent exits (a signal, the session ending) close the modal windows themselves; the
    // user's own exit waits for the user and brings the modal window forward.
    void Request(std::function<void()> exit, bool urgent);
    bool Pending() const { return static_cast<bool>(pending_); }

  private:
    void Poll();
    void Run();

    platform::ModalWindows& modals_;
    std::unique_ptr<platform::Timer> poll_;
    std::function<void()> pending_;
    bool urgent_ = false;
};

}  // namespace schedule
