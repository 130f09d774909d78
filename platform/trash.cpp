#include "trash.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>
#include <cerrno>
#include <utility>

#include "paths.h"

namespace platform {
namespace {

// The freedesktop trash, written here because QFile::moveToTrash (Qt 6.4) puts
// the file into the current folder (and reports success) when the home trash cannot be made.

QByteArray Native(const QString& path) { return QFile::encodeName(path); }

bool StatOf(const QString& path, struct stat& st, bool follow = true) {
    QByteArray p = Native(path);
    return (follow ? ::stat(p.constData(), &st) : ::lstat(p.constData(), &st)) == 0;
}

// A folder of our own, made private when we make it; an existing symlink is never trusted.
bool PrivateFolder(const QString& path) {
    QByteArray p = Native(path);
    if (::mkdir(p.constData(), 0700) != 0 && errno != EEXIST) return false;
    struct stat st;
    return ::lstat(p.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
}

bool UsableTrash(const QString& trash) {
    return PrivateFolder(trash) && PrivateFolder(trash + "/files") &&
           PrivateFolder(trash + "/info");
}

QString HomeTrash() {
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty() || !QDir().mkpath(data)) return QString();
    QString trash = data + "/Trash";
    return UsableTrash(trash) ? trash : QString();
}

// On another file system than the home: $top/.Trash/$uid when the administrator provides a
// sticky .Trash, else $top/.Trash-$uid.
QString VolumeTrash(const QString& source) {
    QString top = QStorageInfo(QFileInfo(source).absolutePath()).rootPath();
    if (top.isEmpty()) return QString();
    if (top.endsWith('/')) top.chop(1);
    const QString uid = QString::number(::getuid());
    struct stat st;
    QString shared = top + "/.Trash";
    if (StatOf(shared, st, false) && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)) {
        QString mine = shared + "/" + uid;
        if (UsableTrash(mine)) return mine;
    }
    QString own = top + "/.Trash-" + uid;
    return UsableTrash(own) ? own : QString();
}

bool SameDevice(const QString& a, const QString& b) {
    struct stat sa, sb;
    return StatOf(a, sa) && StatOf(b, sb) && sa.st_dev == sb.st_dev;
}

bool MoveNoReplace(const QByteArray& from, const QByteArray& to) {
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system without the flag: the name was reserved by its info file just before.
    struct stat st;
    if (::lstat(to.constData(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::rename(from.constData(), to.constData()) == 0;
}

bool TrashInto(const QString& trash, const QString& source) {
    const QString base = QFileInfo(source).fileName();
    QByteArray info =
        "[Trash Info]\nPath=" + Native(source).toPercentEncoding("/") + "\nDeletionDate=" +
        QDateTime::currentDateTime().toString("yyyy-MM-ddThh:mm:ss").toLatin1() + "\n";
    for (int n = 1; n < 10000; ++n) {
        QString name = n == 1 ? base : base + "." + QString::number(n);
        QByteArray infoPath = Native(trash + "/info/" + name + ".trashinfo");
        QByteArray target = Native(trash + "/files/" + name);
        int fd = ::open(infoPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        bool written = ::write(fd, info.constData(), info.size()) == info.size();
        written = ::close(fd) == 0 && written;
        struct stat st;
        if (!written) {
            ::unlink(infoPath.constData());
            return false;
        }
        if (::lstat(target.constData(), &st) == 0) {  // a file without its info: name taken
            ::unlink(infoPath.constData());
            continue;
        }
        if (MoveNoReplace(Native(source), target)) return true;
        const int error = errno;
        ::unlink(infoPath.constData());
        if (error != EEXIST) return false;
    }
    return false;
}

class DesktopTrash final : public TrashPort {
  public:
    bool MoveToTrash(const std::string& cp932Path) override {
        std::string trimmed = cp932Path;
        while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
        if (IsRootPath(trimmed)) return false;
        // The entry itself (a link is trashed as a link), under its absolute name.
        QString source = QDir::cleanPath(QFileInfo(DiskPath(trimmed)).absoluteFilePath());
        struct stat st;
        if (source == QLatin1String("/") || !StatOf(source, st, false)) return false;

        // Only a rename: a file that cannot be renamed into a trash stays where it is.
        QString parent = QFileInfo(source).absolutePath();
        QString trash;
        if (SameDevice(parent, QDir::homePath())) {
            trash = HomeTrash();
        } else {
            QString home = HomeTrash();
            trash = !home.isEmpty() && SameDevice(parent, home) ? home : VolumeTrash(source);
        }
        if (trash.isEmpty() || !SameDevice(parent, trash)) return false;
        if (source == trash || source.startsWith(trash + "/")) return false;
        return TrashInto(trash, source);
    }
};

TrashPort* g_port = nullptr;

}  // namespace

TrashPort& Trash() {
    static DesktopTrash system;
    return g_port ? *g_port : system;
}

TrashPort* SetTrashPort(TrashPort* port) { return std::exchange(g_port, port); }

bool MoveToTrash(const std::string& cp932Path) {
    if (cp932Path.empty()) return false;
    return Trash().MoveToTrash(cp932Path);
}

}  // namespace platform
