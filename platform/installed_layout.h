// Where the program finds what it ships. The same executables run from the build folder, with
// everything beside them, and installed (<prefix>/bin, <prefix>/share/kolvane,
// <prefix>/lib/kolvane): only their own place decides which, never a path fixed at build time.
#pragma once

#include <QString>
#include <string>

namespace platform {

// Name of the desktop entry, the icon and the AppStream data.
QString DesktopId();

// Folder of the shipped files (sounds, templates, the blank bitmap, help), without a final "/":
// <prefix>/share/kolvane when installed, else the executable's folder.
std::string ShippedFilesDir();

// Folder holding the hicolor theme with the program's icon: <prefix>/share/icons when
// installed, else icons/ beside the executable.
QString IconThemesDir();

// The sound and print modules: in the installed module folder when they are there, else beside
// the executable.
QString SoundModulePath();
QString PrintModulePath();

}  // namespace platform
