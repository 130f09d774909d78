#include "file_io.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "paths.h"

namespace platform {

namespace {
std::function<bool(const std::string&)> g_readFault;
}  // namespace

void SetReadFaultForTests(std::function<bool(const std::string& path)> fails) {
    g_readFault = std::move(fails);
}

bool ReadWholeFile(const std::string& path, std::string& out) {
    out.clear();
    if (path.empty()) return false;
    if (g_readFault && g_readFault(path)) return false;
    QString disk = DiskPath(path);
    if (QFileInfo(disk).isDir()) return false;
    QFile file(disk);
    if (!file.open(QIODevice::ReadOnly)) return false;
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return false;
    }
    out.assign(data.constData(), static_cast<size_t>(data.size()));
    return true;
}

bool NothingToRead(const std::string& path) {
    if (path.empty()) return true;
    struct stat info;
    const QByteArray disk = QFile::encodeName(DiskPath(path));
    // A folder that may not be searched hides whether the file is there: count it as there.
    if (::stat(disk.constData(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR || errno == ENAMETOOLONG || errno == ELOOP;
    return S_ISDIR(info.st_mode);
}

ReadResult ReadFile(const std::string& path, std::string& out) {
    if (ReadWholeFile(path, out)) return ReadResult::Read;
    return NothingToRead(path) ? ReadResult::Missing : ReadResult::Unreadable;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes) {
    if (path.empty()) return false;
    QString disk = DiskPath(path);
    if (QFileInfo(disk).isDir()) return false;
    QSaveFile file(disk);
    file.setDirectWriteFallback(false);
    // Unbuffered: a short write (disk full, size limit) must show here; a buffered QSaveFile
    // commits a truncated file and reports success.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
    qint64 written = file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    if (written != static_cast<qint64>(bytes.size()) || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::string AtomicTemporaryTarget(const std::string& fileName) {
    constexpr size_t kSuffix = 6;
    if (fileName.size() < kSuffix + 2) return std::string();
    const size_t dot = fileName.size() - kSuffix - 1;
    if (fileName[dot] != '.') return std::string();
    for (size_t i = dot + 1; i < fileName.size(); ++i) {
        const char c = fileName[i];
        const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alnum) return std::string();
    }
    return fileName.substr(0, dot);
}

int RemoveStaleTemporaries(const std::string& folder,
                           const std::function<bool(const std::string& fileName)>& ours,
                           long long minAgeSeconds) {
    if (folder.empty() || !ours) return 0;
    const QDir dir(DiskPath(folder));
    const QDateTime limit = QDateTime::currentDateTimeUtc().addSecs(-minAgeSeconds);
    int removed = 0;
    for (const QFileInfo& e : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks)) {
        const std::string name = FromDiskPath(e.fileName());
        if (AtomicTemporaryTarget(name).empty() || !ours(name)) continue;
        if (e.ownerId() != ::getuid() || e.lastModified().toUTC() > limit) continue;
        if (QFile::remove(e.absoluteFilePath())) ++removed;
    }
    return removed;
}

bool CopyFileAtomic(const std::string& source, const std::string& destination) {
    std::string bytes;
    if (!ReadWholeFile(source, bytes)) return false;
    return WriteFileAtomic(destination, bytes);
}

bool FileModifiedTime(const std::string& path, long long& secondsSinceEpoch) {
    QFileInfo info(DiskPath(path));
    if (!info.exists()) return false;
    QDateTime t = info.lastModified();
    if (!t.isValid()) return false;
    secondsSinceEpoch = t.toSecsSinceEpoch();
    return true;
}

}  // namespace platform

namespace platform {

bool RenameNoReplace(const std::string& from, const std::string& to) {
    const QByteArray src = QFile::encodeName(DiskPath(from));
    const QByteArray dst = QFile::encodeName(DiskPath(to));
    struct stat st;
    if (::lstat(dst.constData(), &st) == 0) return false;
    if (::renameat2(AT_FDCWD, src.constData(), AT_FDCWD, dst.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EINVAL || errno == ENOSYS) {
        // No such flag on this file system; the name was free a moment ago.
        if (::lstat(dst.constData(), &st) == 0) return false;
        return ::rename(src.constData(), dst.constData()) == 0;
    }
    if (errno != EXDEV) return false;
    if (::lstat(src.constData(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    // QFile::copy never replaces an existing file.
    if (!QFile::copy(DiskPath(from), DiskPath(to))) return false;
    if (!QFile::remove(DiskPath(from))) {
        QFile::remove(DiskPath(to));
        return false;
    }
    return true;
}

}  // namespace platform

namespace platform {

bool WriteNewFile(const std::string& path, std::string_view bytes) {
    if (path.empty()) return false;
    const QByteArray disk = QFile::encodeName(DiskPath(path));
    const int fd = ::open(disk.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += static_cast<size_t>(n);
        else if (n < 0 && errno == EINTR)
            continue;
        else
            ok = false;
    }
    // The caller may write over the original next: the copy must be on the disk first.
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    // Made by this call a moment ago: removing it deletes nothing of the user's.
    if (!ok) ::unlink(disk.constData());
    return ok;
}

}  // namespace platform
