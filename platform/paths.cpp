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

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The character a mark at the position stands for; -1 when no whole mark is there.
char32_t MarkedAt(std::string_view text, size_t at) {
    if (at + kPathMarkLength > text.size() || text[at] != kPathMark) return char32_t(-1);
    char32_t value = 0;
    for (size_t i = 1; i < kPathMarkLength; ++i) {
        const int digit = HexValue(text[at + i]);
        if (digit < 0) return char32_t(-1);
        value = value * 16 + static_cast<char32_t>(digit);
    }
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    return value == 0 || value > 0x10FFFF || surrogate ? char32_t(-1) : value;
}

void AppendMark(std::string& out, char32_t c) {
    out += kPathMark;
    for (int shift = 20; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
}

}  // namespace

QString DiskPath(std::string_view cp932Path) {
    if (cp932Path.find(kPathMark) == std::string_view::npos) return FromCp932(cp932Path);
    QString out;
    size_t plain = 0;
    for (size_t i = 0; i < cp932Path.size(); ++i) {
        const char32_t c = MarkedAt(cp932Path, i);
        if (c == char32_t(-1)) continue;
        out += FromCp932(cp932Path.substr(plain, i - plain));
        out += QString::fromUcs4(&c, 1);
        i += kPathMarkLength - 1;
        plain = i + 1;
    }
    return out + FromCp932(cp932Path.substr(plain));
}

std::string FromDiskPath(const QString& path) {
    std::string cp932 = ToCp932(path);
    // Nearly every path: CP932 holds it whole.
    if (FromCp932(cp932) == path) return cp932;
    cp932.clear();
    for (const char32_t c : path.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        const std::string bytes = ToCp932(one);
        // Kept as is only where it reads back as the same character: "〜" would come back
        // as "～" and name another folder.
        if (FromCp932(bytes) == one)
            cp932 += bytes;
        else
            AppendMark(cp932, c);
    }
    return cp932;
}

QString CharactersOutsideCp932(const std::string& cp932Path) {
    QString found;
    for (size_t i = 0; i < cp932Path.size(); ++i) {
        const char32_t c = MarkedAt(cp932Path, i);
        if (c == char32_t(-1)) continue;
        const QString one = QString::fromUcs4(&c, 1);
        if (!found.contains(one)) found += one;
        i += kPathMarkLength - 1;
    }
    return found;
}

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
