// The X display the application runs on, for what Qt does not offer (window-manager hints and
// states). Null on any other platform (offscreen, Wayland).
#pragma once

#include <string>

typedef struct _XDisplay Display;

namespace platform {

Display* X11Display();

// The name the running window manager gives itself ("Openbox", "Metacity" ...); empty when
// there is none or it does not say.
std::string WindowManagerName();

}  // namespace platform
