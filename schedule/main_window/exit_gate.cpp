#include "exit_gate.h"

#include <utility>

namespace schedule {

ExitGate::ExitGate(platform::ModalWindows& modals) : modals_(modals) {}

ExitGate::~ExitGate() = default;

void ExitGate::Request(std::function<void()> exit, bool urgent) {
    if (!exit) return;
    if (!modals_.AnyOpen()) {
        pending_ = std::move(exit);
        Run();
        return;
    }
    // An urgent exit replaces a waiting one of the user; a user's exit never delays an urgent one.
    if (!pending_ || urgent || !urgent_) pending_ = std::move(exit);
    urgent_ = urgent_ || urgent;
    if (!poll_) {
        poll_ = platform::CurrentTimers().CreateTimer();
        poll_->SetHandler([this] { Poll(); });
    }
    poll_->SetInterval(kPollMs);
    if (urgent_) {
        modals_.CloseTop();
    } else {
        modals_.BringForward();
    }
}

void ExitGate::Poll() {
    if (modals_.AnyOpen()) {
        // Closing one modal window can uncover another beneath it.
        if (urgent_) modals_.CloseTop();
        return;
    }
    Run();
}

void ExitGate::Run() {
    if (poll_) poll_->SetInterval(0);
    std::function<void()> exit = std::move(pending_);
    pending_ = nullptr;
    urgent_ = false;
    if (exit) exit();
}

}  // namespace schedule
