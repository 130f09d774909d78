// The icon of a command line's program, as the desktop shows it, and the program's own icon.
#pragma once

#include <QIcon>
#include <QString>

namespace platform {

// Icon of the command line's program: the Icon= of a .desktop file in the XDG application
// folders whose program matches, else a generic program icon; a program that cannot be found
// (or an empty command line) gets a question icon. Never null while a QApplication runs.
QIcon ProgramIcon(const QString& commandLine);

// Kolvane's own icon for its windows and tray, from the icon files it ships up to 128 pixels;
// null only when they are missing.
QIcon OwnIcon();
// What a desktop entry's Icon= names for Kolvane's own icon: the icon's name when the desktop
// finds the shipped icon through its icon folders, else the icon file's absolute path (a build
// folder, a prefix the desktop does not search); empty when the files are missing.
QString OwnIconEntry();

}  // namespace platform
