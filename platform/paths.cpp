#include "paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
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

namespace {

// An XDG base folder: the variable when it holds an absolute path (relative values are to be
// ignored, as the XDG base directory rules say), else the default below the home folder.
QString XdgFolder(const char* variable, const char* underHome) {
    QString base;
    const char* value = std::getenv(variable);
    if (value && *value == '/') base = QString::fromLocal8Bit(value);
    if (base.isEmpty()) base = QDir::homePath() + QLatin1Char('/') + QLatin1String(underHome);
    while (base.size() > 1 && base.endsWith(QLatin1Char('/'))) base.chop(1);
    return base;
}

}  // namespace

std::string DataHomeDir() {
    const char* home = std::getenv("KOLVANE_HOME");
    if (home && *home) {
        std::string dir = FromDiskPath(QString::fromLocal8Bit(home));
        while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
        return dir;
    }
    return FromDiskPath(XdgFolder("XDG_DATA_HOME", ".local/share") + QStringLiteral("/kolvane"));
}

bool IsOwnFolder(const std::string& path) {
    struct stat st;
    if (path.empty() || ::stat(QFile::encodeName(DiskPath(path)).constData(), &st) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & S_IWOTH) == 0;
}

std::string PrivateStateDir() {
    const QString base = XdgFolder("XDG_STATE_HOME", ".local/state");
    const QString dir = base + QStringLiteral("/kolvane");
    QDir().mkpath(base);
    ::mkdir(QFile::encodeName(dir).constData(), 0700);
    const std::string path = FromDiskPath(dir);
    return IsOwnFolder(path) ? path : std::string();
}

std::string RuntimeDir() {
    const char* value = std::getenv("XDG_RUNTIME_DIR");
    if (!value || *value != '/') return std::string();
    struct stat st;
    // The session's own folder is the user's and closed to everyone else; anything else is
    // not what it claims to be.
    if (::lstat(value, &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() ||
        (st.st_mode & 077) != 0)
        return std::string();
    return FromDiskPath(QString::fromLocal8Bit(value));
}

std::string SharedTempDir() { return FromDiskPath(QDir::tempPath()); }

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
