// What the user is told when the desktop gives programs no global key (a Wayland session
// without the GlobalShortcuts portal, or whose user refused it), and when.
#pragma once

#include <QString>

namespace schedule {

// The file in BaseDir whose presence says the user was told.
inline constexpr const char* kNoHotKeyToldFile = "hotkey-notice";

// Empty when nothing is said: the user was told before and has not just asked for the key.
QString NoHotKeyNotice(char letter, bool toldBefore, bool userAsked);

}  // namespace schedule
