// The Windows programs that stored settings name ("notepad.exe", "write.exe") started as the
// desktop's counterparts; any other program is started as it is named.
#pragma once

#include <QString>
#include <QStringList>
#include <string>

namespace platform {

// True for the stored names that stand for the desktop's text editor (compared without regard
// to case, with or without a folder in front).
bool IsWindowsTextEditor(const QString& program);

// The command that starts program with the given arguments: a Windows text editor becomes
// the first text editor found on PATH (KOLVANE_TEXT_EDITOR first), or xdg-open for a single
// file; anything else stays as it is. Empty when nothing can start it.
QStringList DesktopCommand(const QString& program, const QStringList& args);

// The program called name: the executable file of that name in folder, else the first one on
// PATH. Empty when there is neither.
QString ProgramInFolderOrPath(const QString& folder, const QString& name);

// Starts it detached (no shell); false when it could not be started.
bool StartDesktopProgram(const QString& program, const QStringList& args,
                         const QString& workDir = QString());

}  // namespace platform
