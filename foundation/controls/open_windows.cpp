#include "open_windows.h"

#include <QPointer>
#include <QWidget>

namespace foundation {

namespace {

constexpr int kKinds = static_cast<int>(WindowKind::JumpDialog) + 1;
bool open_[kKinds] = {};
// Guarded: a window freed without saying so is not handed out again.
QPointer<QWidget> windows_[kKinds];

}  // namespace

bool IsOpen(WindowKind kind) { return open_[static_cast<int>(kind)]; }

void SetWindowOpen(WindowKind kind, bool open, QWidget* window) {
    const int i = static_cast<int>(kind);
    open_[i] = open;
    windows_[i] = open ? window : nullptr;
}

QWidget* OpenWindow(WindowKind kind) {
    const int i = static_cast<int>(kind);
    return open_[i] ? windows_[i].data() : nullptr;
}

void ResetOpenWindows() {
    for (int i = 0; i < kKinds; ++i) {
        open_[i] = false;
        windows_[i] = nullptr;
    }
}

}  // namespace foundation
