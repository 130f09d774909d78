#include "file_io.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <climits>

#include "file_faults.h"
#include "paths.h"

namespace platform {

namespace {

std::function<bool(const std::string&)> g_readFault;
std::function<bool(WriteStep, const std::string&)> g_writeFault;

constexpr char kTemporaryPrefix[] = ".kolvane-save-";
constexpr char kTemporarySuffix[] = ".tmp";
constexpr size_t kTemporaryRandom = 6;
constexpr char kTemporaryLetters[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

thread_local int g_lastWriteError = 0;

// A fault that sets no errno of its own fails as an I/O error.
bool WriteFails(WriteStep step, const std::string& path) {
    if (!g_writeFault) return false;
    errno = EIO;
    return g_writeFault(step, path);
}

// Whether the kernel lets us follow this link: never another user's link in a sticky folder
// that everyone may write (/tmp), unless the folder is that user's; so a link planted there
// never sends our file to a place of the planter's choosing.
bool MayFollow(const struct stat& link, const QByteArray& folder) {
    struct stat dir;
    if (::stat(folder.constData(), &dir) != 0) return false;
    const bool shared = (dir.st_mode & S_ISVTX) && (dir.st_mode & S_IWOTH);
    return !shared || link.st_uid == ::geteuid() || link.st_uid == dir.st_uid;
}

QByteArray FolderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// The file a link names (through any chain of links), so that the link stays a link. False
// where the kernel would refuse to follow a link of the chain, or at a loop.
bool FinalTarget(const QByteArray& disk, QByteArray& target) {
    QByteArray current = disk;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info;
        if (::lstat(current.constData(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            target = current;
            return true;
        }
        const QByteArray folder = FolderOf(current);
        if (!MayFollow(info, folder)) return false;
        char next[PATH_MAX];
        const ssize_t n = ::readlink(current.constData(), next, sizeof next);
        if (n <= 0 || n >= static_cast<ssize_t>(sizeof next)) return false;
        const QByteArray link(next, n);
        current = link.startsWith('/') ? link : folder + '/' + link;
    }
    return false;
}

// Creates a new temporary of our own name in the folder; -1 on failure. A file that replaces
// another gets that one's permissions later and is private until then; a new one gets what
// the umask allows, as any new file.
int CreateTemporary(const QString& folder, bool replacing, QByteArray& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string file = kTemporaryPrefix;
        for (size_t i = 0; i < kTemporaryRandom; ++i)
            file += kTemporaryLetters[QRandomGenerator::global()->bounded(
                static_cast<int>(sizeof kTemporaryLetters - 1))];
        file += kTemporarySuffix;
        name = QFile::encodeName(folder + QLatin1Char('/') + QString::fromLatin1(file.c_str()));
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                              replacing ? 0600 : 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Every byte or false: a short write (full disk, size limit) must not pass for a whole one.
bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = ENOSPC;  // nothing taken and no error: no room
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// The rename itself reaches the disk only with its folder.
void SyncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

void SetReadFaultForTests(std::function<bool(const std::string& path)> fails) {
    g_readFault = std::move(fails);
}

void SetWriteFaultForTests(std::function<bool(WriteStep step, const std::string& path)> fails) {
    g_writeFault = std::move(fails);
}

bool ReadWholeFile(const std::string& path, std::string& out) {
    out.clear();
    if (path.empty()) return false;
    if (g_readFault && g_readFault(path)) return false;
    // Plain calls: a search reads thousands of small files, and each QFile costs three stats.
    const int fd = ::open(QFile::encodeName(DiskPath(path)).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
    std::string bytes;
    size_t size = 0;
    // One byte more than the size finds the end in the first read; a file that grows (or
    // tells no size) is read on.
    bytes.resize(info.st_size > 0 ? static_cast<size_t>(info.st_size) + 1 : 4096);
    while (ok) {
        if (size == bytes.size()) bytes.resize(bytes.size() * 2);
        const ssize_t n = ::read(fd, bytes.data() + size, bytes.size() - size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        size += static_cast<size_t>(n);
    }
    ::close(fd);
    if (!ok) return false;
    bytes.resize(size);
    out = std::move(bytes);
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

namespace {

bool WriteFileAtomicOnce(const std::string& path, std::string_view bytes, int& error) {
    // Taken at each failure, before a close or unlink can change it.
    auto failed = [&](int code) {
        error = code;
        return false;
    };
    if (path.empty()) return failed(ENOENT);
    QByteArray targetName;
    // A link the kernel would not follow is refused as the kernel refuses it.
    if (!FinalTarget(QFile::encodeName(DiskPath(path)), targetName)) return failed(EACCES);
    struct stat old;
    const bool replacing = ::stat(targetName.constData(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode)) return failed(EISDIR);
    if (replacing && ::access(targetName.constData(), W_OK) != 0) return failed(errno);
    if (WriteFails(WriteStep::Create, path)) return failed(errno);
    const QString folder = QFile::decodeName(FolderOf(targetName));
    QByteArray temporary;
    const int fd = CreateTemporary(folder, replacing, temporary);
    if (fd < 0) return failed(errno);
    bool ok = !WriteFails(WriteStep::Write, path) && WriteAll(fd, bytes);
    if (!ok) error = errno;
    if (ok && replacing) {
        // A folder shared through a group keeps it, where the user is in that group; the
        // group first, as a change of group clears the set-group bit that the mode restores.
        // Neither is ours to insist on: the save goes on without.
        [[maybe_unused]] const int kept = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        ::fchmod(fd, old.st_mode & 07777);
    }
    ok = ok && !WriteFails(WriteStep::Sync, path) && (::fsync(fd) == 0 || errno == EINVAL);
    if (!ok && error == 0) error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && !WriteFails(WriteStep::Rename, path) &&
        ::rename(temporary.constData(), targetName.constData()) == 0) {
        SyncFolder(folder);
        return true;
    }
    if (ok) error = errno;
    ::unlink(temporary.constData());
    return false;
}

}  // namespace

bool WriteFileAtomic(const std::string& path, std::string_view bytes) {
    int error = 0;
    const bool written = WriteFileAtomicOnce(path, bytes, error);
    g_lastWriteError = written ? 0 : (error != 0 ? error : EIO);
    return written;
}

int LastWriteError() { return g_lastWriteError; }

bool IsSaveTemporaryName(const std::string& fileName) {
    const size_t prefix = sizeof kTemporaryPrefix - 1;
    const size_t suffix = sizeof kTemporarySuffix - 1;
    if (fileName.size() != prefix + kTemporaryRandom + suffix) return false;
    if (fileName.compare(0, prefix, kTemporaryPrefix) != 0) return false;
    if (fileName.compare(prefix + kTemporaryRandom, suffix, kTemporarySuffix) != 0) return false;
    for (size_t i = prefix; i < prefix + kTemporaryRandom; ++i) {
        const char c = fileName[i];
        const bool alnum =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alnum) return false;
    }
    return true;
}

int RemoveStaleTemporaries(const std::string& folder, long long minAgeSeconds) {
    if (folder.empty()) return 0;
    const QDir dir(DiskPath(folder));
    const long long limit = QDateTime::currentSecsSinceEpoch() - minAgeSeconds;
    int removed = 0;
    // Unsorted: a folder of many years of months is read at every start.
    for (const QString& entry :
         dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted)) {
        if (!IsSaveTemporaryName(FromDiskPath(entry))) continue;
        const QByteArray name = QFile::encodeName(dir.filePath(entry));
        struct stat info;
        if (::lstat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
        if (info.st_uid != ::getuid() || info.st_mtime > limit) continue;
        if (::unlink(name.constData()) == 0) ++removed;
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

namespace {

bool WriteNew(const std::string& path, std::string_view bytes, mode_t mode) {
    if (path.empty() || WriteFails(WriteStep::Create, path)) return false;
    const QByteArray disk = QFile::encodeName(DiskPath(path));
    const int fd =
        ::open(disk.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0) return false;
    bool ok = !WriteFails(WriteStep::Write, path) && WriteAll(fd, bytes);
    // The caller may write over the original next: the copy must be on the disk first.
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    // Made by this call a moment ago: removing it deletes nothing of the user's.
    if (!ok) ::unlink(disk.constData());
    return ok;
}

}  // namespace

bool WriteNewFile(const std::string& path, std::string_view bytes, unsigned permissions) {
    return WriteNew(path, bytes, static_cast<mode_t>(permissions & 0777));
}

bool WritePrivateNewFile(const std::string& path, std::string_view bytes) {
    return WriteNew(path, bytes, 0600);
}

bool NameTaken(const std::string& path) {
    struct stat st;
    return !path.empty() && ::lstat(QFile::encodeName(DiskPath(path)).constData(), &st) == 0;
}

}  // namespace platform
