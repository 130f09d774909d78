#include "paths.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <climits>
#include <cstdlib>

#include "cp932.h"

namespace platform {

std::string JoinPath(const std::string& dir, const std::string& name) { return dir + "/" + name; }

QString DiskPath(const std::string& cp932Path) { return FromCp932(cp932Path); }

std::string FromDiskPath(const QString& path) { return ToCp932(path); }

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    QFileInfo info(DiskPath(path));
    return info.exists() && !info.isDir();
}

bool IsFolder(const std::string& path) {
    if (path.empty()) return false;
    return QFileInfo(DiskPath(path)).isDir();
}

bool IsRootPath(const std::string& path) { return path.empty() || path == "/"; }

QString ExecutableDirOnDisk() {
    char buf[PATH_MAX + 1];
    ssize_t n = readlink("/proc/self/exe", buf, PATH_MAX);
    QString exe = n > 0 ? QString::fromLocal8Bit(buf, static_cast<int>(n)) : QString();
    if (exe.isEmpty() && QCoreApplication::instance())
        exe = QCoreApplication::applicationFilePath();
    return QFileInfo(exe).absolutePath();
}

std::string ExecutableDir() { return FromDiskPath(ExecutableDirOnDisk()); }

std::string DataHomeDir() {
    const char* home = std::getenv("KOLVANE_HOME");
    if (home && *home) {
        std::string dir = FromDiskPath(QString::fromLocal8Bit(home));
        while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
        return dir;
    }
    const char* xdg = std::getenv("XDG_DATA_HOME");
    QString base;
    // Relative values are to be ignored, as the XDG base directory rules say.
    if (xdg && *xdg == '/') base = QString::fromLocal8Bit(xdg);
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.local/share");
    while (base.size() > 1 && base.endsWith(QLatin1Char('/'))) base.chop(1);
    return FromDiskPath(base + QStringLiteral("/kolvane"));
}

bool MakeFolder(const std::string& path) {
    if (path.empty()) return false;
    const QString disk = DiskPath(path);
    if (QFileInfo(disk).isDir()) return true;
    return QDir().mkpath(disk) && QFileInfo(disk).isDir();
}

std::string FindNameIgnoringCase(const std::string& folder, const std::string& name) {
    const QString wanted = DiskPath(name);
    const QFileInfoList entries =
        QDir(DiskPath(folder)).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    QFileInfo best;
    for (const QFileInfo& e : entries) {
        if (e.fileName().compare(wanted, Qt::CaseInsensitive) != 0) continue;
        if (!best.exists() || e.lastModified() > best.lastModified() ||
            (e.lastModified() == best.lastModified() && e.fileName() == wanted))
            best = e;
    }
    return best.exists() ? FromDiskPath(best.fileName()) : name;
}

}  // namespace platform
