#include "program_icon.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStyle>
#include <QTextStream>

#include "installed_layout.h"
#include "png_file.h"

namespace platform {
namespace {

QIcon StyleIcon(QStyle::StandardPixmap which) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return QIcon();
    return QApplication::style()->standardIcon(which);
}

QIcon GenericProgramIcon() {
    QIcon icon = QIcon::fromTheme(QStringLiteral("application-x-executable"));
    if (icon.isNull()) icon = StyleIcon(QStyle::SP_FileIcon);
    return icon;
}

// Full path of the program, or empty when it is not there.
QString FindProgram(const QString& program) {
    if (program.contains(QLatin1Char('/'))) {
        QFileInfo info(program);
        return info.exists() && !info.isDir() ? info.absoluteFilePath() : QString();
    }
    return QStandardPaths::findExecutable(program);
}

struct DesktopEntry {
    QString exec;
    QString icon;
};

// Exec= and Icon= of the [Desktop Entry] group.
DesktopEntry ReadDesktopEntry(const QString& path) {
    DesktopEntry entry;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return entry;
    QTextStream in(&file);
    bool inMain = false;
    while (!in.atEnd()) {
        QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMain = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inMain) continue;
        if (line.startsWith(QLatin1String("Exec=")))
            entry.exec = line.mid(5).trimmed();
        else if (line.startsWith(QLatin1String("Icon=")))
            entry.icon = line.mid(5).trimmed();
    }
    return entry;
}

QIcon IconByName(const QString& name) {
    if (name.isEmpty()) return QIcon();
    if (QFileInfo(name).isAbsolute()) return QFileInfo::exists(name) ? QIcon(name) : QIcon();
    return QIcon::fromTheme(name);
}

// Icon= of the first .desktop file whose Exec program or own name matches the program.
QIcon DesktopIcon(const QString& programPath) {
    const QString fileName = QFileInfo(programPath).fileName();
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
        QDirIterator it(folder, {QStringLiteral("*.desktop")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            DesktopEntry entry = ReadDesktopEntry(path);
            if (entry.icon.isEmpty()) continue;
            const QStringList exec = QProcess::splitCommand(entry.exec);
            bool matches = QFileInfo(path).completeBaseName() == fileName;
            if (!exec.isEmpty()) {
                const QString execProgram = exec.front();
                matches = matches || execProgram == programPath ||
                          (!execProgram.contains(QLatin1Char('/')) && execProgram == fileName);
            }
            if (!matches) continue;
            QIcon icon = IconByName(entry.icon);
            if (!icon.isNull()) return icon;
        }
    }
    return QIcon();
}

// The largest of the shipped sizes: a file every desktop can show.
QString OwnIconFile() {
    return IconThemesDir() + QStringLiteral("/hicolor/256x256/apps/") + DesktopId() +
           QStringLiteral(".png");
}

}  // namespace

QIcon OwnIcon() {
    // Every window hands each size of its icon to the window manager as it is created; the
    // 256 one alone is three quarters of those pixels and slowed the start by a tenth. Where a
    // desktop shows the program that large, it takes the installed icon by its name.
    constexpr int kLargest = 128;
    QIcon icon;
    const QDir hicolor(IconThemesDir() + QStringLiteral("/hicolor"));
    const QString file = QStringLiteral("/apps/") + DesktopId() + QStringLiteral(".png");
    for (const QString& size : hicolor.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (size.section(QLatin1Char('x'), 0, 0).toInt() > kLargest) continue;
        const QString path = hicolor.filePath(size + file);
        if (QFileInfo::exists(path)) icon.addPixmap(ReadPng(path));
    }
    return icon;
}

QString OwnIconEntry() {
    const QFileInfo own(OwnIconFile());
    if (!own.exists()) return QString();
    const QString found =
        QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                               QStringLiteral("icons/hicolor/256x256/apps/") + own.fileName());
    if (!found.isEmpty() && QFileInfo(found).canonicalFilePath() == own.canonicalFilePath())
        return DesktopId();
    return own.absoluteFilePath();
}

QIcon ProgramIcon(const QString& commandLine) {
    const QStringList args = QProcess::splitCommand(commandLine);
    const QString programPath = args.isEmpty() ? QString() : FindProgram(args.front());
    if (programPath.isEmpty()) return StyleIcon(QStyle::SP_MessageBoxQuestion);
    QIcon icon = DesktopIcon(programPath);
    if (icon.isNull()) icon = GenericProgramIcon();
    return icon;
}

}  // namespace platform
