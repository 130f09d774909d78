// How a launcher entry's command line becomes a started program.
#pragma once

#include <QString>
#include <QStringList>
#include <string>

namespace accessories {

struct LaunchCommand {
    QString program;
    QStringList args;
    QString workDir;  // the program's own folder when it has one; else empty
};

// The command line (CP932) as a user wrote it: a path with blanks may stand unquoted when it
// names an existing file. False when the line is blank.
bool ParseLaunchCommand(const std::string& commandLine, LaunchCommand& command);
// Starts it without a shell and without touching this program's current folder; the text
// editor names start the desktop's editor. False when nothing was started.
bool StartLaunchCommand(const std::string& commandLine);
// What the user is told when a command line could not be started: the line, and for the
// Windows editor names that the desktop has no editor for them.
QString LaunchFailureText(const std::string& commandLine);
// The file whose icon stands for the command line: the program, or the desktop's editor.
QString LaunchIconProgram(const std::string& commandLine);

}  // namespace accessories
