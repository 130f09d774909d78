#include "shell_link.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "file_io.h"
#include "paths.h"
#include "program_icon.h"

namespace foundation {

namespace {

// The string escapes of a desktop entry value.
QString EscapeValue(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (QChar c : value) {
        switch (c.unicode()) {
            case '\\':
                out += QLatin1String("\\\\");
                break;
            case '\n':
                out += QLatin1String("\\n");
                break;
            case '\t':
                out += QLatin1String("\\t");
                break;
            case '\r':
                out += QLatin1String("\\r");
                break;
            default:
                out += c;
        }
    }
    return out;
}

QString ExecQuoted(const QString& argument) {
    QString out = QStringLiteral("\"");
    for (QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        out += c;
    }
    out += QLatin1Char('"');
    return out;
}

// Field codes start with "%"; a literal one is doubled.
QString ExecPercent(const QString& argument) {
    QString out = argument;
    out.replace(QLatin1Char('%'), QLatin1String("%%"));
    return out;
}

// A path in the program's CP932 form that names the same file, or nothing.
bool Cp932Path(const QString& path, std::string& out) {
    out = platform::FromDiskPath(path);
    return platform::DiskPath(out) == path;
}

// A program shows its own icon. Ours ship theirs; any other program's the desktop finds itself.
QString IconOf(const QString& program) {
    const QFileInfo info(program);
    if (info.absolutePath() != platform::ExecutableDirOnDisk()) return QString();
    if (info.fileName() != QLatin1String("Kolvane") && info.fileName() != QLatin1String("tavikg"))
        return QString();
    return platform::OwnIconEntry();
}

}  // namespace

QString SpecialFolder(TShellLinkType type) {
    switch (type) {
        case lnkStartup:
            return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                   QStringLiteral("/autostart");
        case lnkDesktop:
        case lnkDesktopDirectory:
            return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        case lnkPrograms:
        case lnkStartMenu:
            return QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
        case lnkPersonal:
            return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        case lnkAppData:
            return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        default:
            return QString();
    }
}

uint16_t ShellHotKeyWord(uint16_t hotKey) {
    uint16_t word = hotKey & 0x1FFF;
    if (hotKey & 0x2000) word |= 0x100;
    if (hotKey & 0x4000) word |= 0x200;
    if (hotKey & 0x8000) word |= 0x400;
    return word;
}

QString QuoteExecArgument(const QString& argument) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool quote = argument.isEmpty();
    for (QChar c : argument) quote = quote || reserved.contains(c);
    return ExecPercent(quote ? ExecQuoted(argument) : argument);
}

void TShellLink::SetFileName(const QString& value) {
    if (value == fileName_) return;
    fileName_ = value;
    const QFileInfo info(value);
    if (Description.isEmpty()) Description = info.completeBaseName();
    if (WorkDir.isEmpty()) {
        const int slash = value.lastIndexOf(QLatin1Char('/'));
        WorkDir = slash > 0 ? value.left(slash) : slash == 0 ? QStringLiteral("/") : QString();
    }
}

QString TShellLink::LinkPath() const {
    const QString folder = SpecialFolder(LinkType);
    if (folder.isEmpty()) throw EShellLinkError("Error in GetSpecialFolderLocation");
    return folder + QLatin1Char('/') + QFileInfo(fileName_).completeBaseName() +
           QStringLiteral(".desktop");
}

QString TShellLink::EntryText() const {
    // The program is always quoted; the arguments as the user would type them.
    QString exec = ExecPercent(ExecQuoted(fileName_));
    for (const QString& a : QProcess::splitCommand(Arguments))
        exec += QLatin1Char(' ') + QuoteExecArgument(a);
    QString name = Description.isEmpty() ? QFileInfo(fileName_).completeBaseName() : Description;
    if (name.isEmpty()) name = fileName_;
    // The description is the entry's name; a comment repeating it is flagged by validators.
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\n");
    text += QStringLiteral("Name=") + EscapeValue(name) + QLatin1Char('\n');
    text += QStringLiteral("Exec=") + EscapeValue(exec) + QLatin1Char('\n');
    if (!WorkDir.isEmpty())
        text += QStringLiteral("Path=") + EscapeValue(WorkDir) + QLatin1Char('\n');
    const QString icon = IconOf(fileName_);
    if (!icon.isEmpty()) text += QStringLiteral("Icon=") + EscapeValue(icon) + QLatin1Char('\n');
    text += QStringLiteral("Terminal=false\n");
    return text;
}

void TShellLink::CreateLink() {
    if (fileName_.isEmpty()) SetFileName(QCoreApplication::applicationFilePath());
    const QString path = LinkPath();
    std::string diskPath;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !Cp932Path(path, diskPath) ||
        !platform::WriteFileAtomic(diskPath, EntryText().toUtf8().toStdString()))
        throw EShellLinkError(("Error in Save: " + path).toStdString());
    // File managers start desktop entries only when they are executable.
    QFile::setPermissions(path,
                          QFile::permissions(path) | QFileDevice::ExeOwner | QFileDevice::ExeUser);
}

void TShellLink::DeleteLink() {
    const QString path = LinkPath();
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) return;
    if (!QFile::remove(path)) throw EShellLinkError(("Error in DeleteFile: " + path).toStdString());
}

}  // namespace foundation
