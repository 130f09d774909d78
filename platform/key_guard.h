// Keys that stay where they were pressed.
//
// A window that closes on a key press (Escape, Return, a menu's Alt+letter) leaves the rest of
// that key, its auto-repeats and its release, to the window that takes the focus next: held a
// moment too long, Alt+C on a closing notice types "c" into the day's schedule. One
// application-wide filter sends the repeats and the release of a key only to the window its
// press went to, and no Alt+character types into a text box (a shortcut that finds no window
// types nothing, as in the system's own text boxes).
#pragma once

namespace platform {

// Installs the filter on the application once; later calls do nothing.
void InstallKeyGuard();

}  // namespace platform
