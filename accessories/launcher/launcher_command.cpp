#include "launcher_command.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include "cp932.h"
#include "desktop_programs.h"
#include "paths.h"

namespace accessories {

namespace {

bool IsFile(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

}  // namespace

bool ParseLaunchCommand(const std::string& commandLine, LaunchCommand& command) {
    command = LaunchCommand();
    const QString line = platform::DiskPath(commandLine).trimmed();
    if (line.isEmpty()) return false;
    const bool quoted = line.startsWith(QLatin1Char('"')) || line.startsWith(QLatin1Char('\''));
    if (!quoted && IsFile(line)) {
        command.program = line;
    } else if (!quoted) {
        // The shortest leading part that names a file is the program, as unquoted paths
        // with blanks were always read.
        for (int i = line.indexOf(QLatin1Char(' ')); i > 0;
             i = line.indexOf(QLatin1Char(' '), i + 1)) {
            if (!IsFile(line.left(i))) continue;
            command.program = line.left(i);
            command.args = QProcess::splitCommand(line.mid(i + 1));
            break;
        }
    }
    if (command.program.isEmpty()) {
        QStringList words = QProcess::splitCommand(line);
        if (words.isEmpty()) return false;
        command.program = words.takeFirst();
        command.args = words;
    }
    if (command.program.contains(QLatin1Char('/'))) {
        const QFileInfo info(command.program);
        if (info.absoluteDir().exists()) command.workDir = info.absolutePath();
    }
    return true;
}

bool StartLaunchCommand(const std::string& commandLine) {
    LaunchCommand command;
    if (!ParseLaunchCommand(commandLine, command)) return false;
    return platform::StartDesktopProgram(command.program, command.args, command.workDir);
}

QString LaunchFailureText(const std::string& commandLine) {
    const QString line = platform::FromCp932(commandLine).trimmed();
    LaunchCommand command;
    const bool editor =
        ParseLaunchCommand(commandLine, command) && platform::IsWindowsTextEditor(command.program);
    return QString::fromUtf8("ﾌﾟﾛｸﾞﾗﾑ[") + line +
           QString::fromUtf8("]を起動できませんでした。\r\n") +
           QString::fromUtf8(editor ? "このﾃﾞｽｸﾄｯﾌﾟにﾃｷｽﾄｴﾃﾞｨﾀが見つかりません。"
                                      "ﾌﾟﾛｸﾞﾗﾑﾗﾝﾁｬの設定で、使うﾌﾟﾛｸﾞﾗﾑを指定してください。"
                                    : "ﾌﾟﾛｸﾞﾗﾑﾗﾝﾁｬの設定で、ﾌﾟﾛｸﾞﾗﾑﾌｧｲﾙ名を確かめてください。");
}

QString LaunchIconProgram(const std::string& commandLine) {
    LaunchCommand command;
    if (!ParseLaunchCommand(commandLine, command)) return QString();
    const QStringList desktop = platform::DesktopCommand(command.program, {});
    return desktop.isEmpty() ? command.program : desktop.front();
}

}  // namespace accessories
