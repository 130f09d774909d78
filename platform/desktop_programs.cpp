#include "desktop_programs.h"

#include <QFileInfo>
#include <QStandardPaths>

#include "process.h"

namespace platform {

bool IsWindowsTextEditor(const QString& program) {
    const QString name = QFileInfo(program).fileName().toLower();
    return name == QLatin1String("notepad.exe") || name == QLatin1String("write.exe") ||
           name == QLatin1String("notepad") || name == QLatin1String("write");
}

QStringList DesktopCommand(const QString& program, const QStringList& args) {
    if (program.isEmpty()) return {};
    if (!IsWindowsTextEditor(program)) return QStringList{program} + args;
    QStringList candidates;
    const QString chosen = qEnvironmentVariable("KOLVANE_TEXT_EDITOR");
    if (!chosen.isEmpty()) candidates << chosen;
    candidates << QStringLiteral("gnome-text-editor") << QStringLiteral("gedit")
               << QStringLiteral("mousepad") << QStringLiteral("kate") << QStringLiteral("kwrite")
               << QStringLiteral("xed") << QStringLiteral("pluma") << QStringLiteral("featherpad")
               << QStringLiteral("leafpad");
    for (const QString& c : candidates) {
        const QString found = QStandardPaths::findExecutable(c);
        if (!found.isEmpty()) return QStringList{found} + args;
    }
    if (args.size() == 1) {
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (!opener.isEmpty()) return {opener, args.front()};
    }
    return {};
}

QString ProgramInFolderOrPath(const QString& folder, const QString& name) {
    const QFileInfo own(folder + QLatin1Char('/') + name);
    if (own.isFile() && own.isExecutable()) return own.filePath();
    return QStandardPaths::findExecutable(name);
}

bool StartDesktopProgram(const QString& program, const QStringList& args, const QString& workDir) {
    QStringList command = DesktopCommand(program, args);
    if (command.isEmpty()) return false;
    const QString exe = command.takeFirst();
    return StartDetached(exe, command, workDir);
}

}  // namespace platform
