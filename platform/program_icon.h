// The icon of a command line's program, as the desktop shows it.
#pragma once

#include <QIcon>
#include <QString>

namespace platform {

// Icon of the command line's program: the Icon= of a .desktop file in the XDG application
// folders whose program matches, else a generic program icon; a program that cannot be found
// (or an empty command line) gets a question icon. Never null while a QApplication runs.
QIcon ProgramIcon(const QString& commandLine);

}  // namespace platform
