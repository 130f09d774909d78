#include "open_windows.h"

namespace {

constexpr int kKinds = static_cast<int>(WindowKind::ToDoList) + 1;
bool open_[kKinds] = {};

}  // namespace

bool IsOpen(WindowKind kind) { return open_[static_cast<int>(kind)]; }

void SetWindowOpen(WindowKind kind, bool open) { open_[static_cast<int>(kind)] = open; }

void ResetOpenWindows() {
    for (bool& o : open_) o = false;
}
