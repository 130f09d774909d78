// The X display the application runs on, for what Qt does not offer (window-manager hints and
// states). Null on any other platform (offscreen, Wayland).
#pragma once

typedef struct _XDisplay Display;

namespace platform {

Display* X11Display();

}  // namespace platform
