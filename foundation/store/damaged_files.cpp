#include "damaged_files.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <map>

#include "clock.h"
#include "file_io.h"
#include "paths.h"

namespace foundation {

namespace store {
namespace {

// A damaged file as a run has read it, and the copy that keeps it.
struct DamageSeen {
    std::string bytes;
    std::string backup;
};

// Per store path, so that rereading the same damaged file is told only once a run.
std::map<std::string, DamageSeen>& SeenDamages() {
    static std::map<std::string, DamageSeen> seen;
    return seen;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// A copy made by an earlier run of the same damaged file (nothing was saved since): each
// start need not add another one.
std::string SameBackup(const std::string& path, const std::string& bytes) {
    const QFileInfo file(platform::DiskPath(path));
    const QFileInfoList found = file.dir().entryInfoList(
        {file.fileName() + QStringLiteral(".bak*")}, QDir::Files, QDir::Name);
    for (const QFileInfo& e : found) {
        if (e.size() != static_cast<qint64>(bytes.size())) continue;
        const std::string name =
            platform::JoinPath(FolderOf(path), platform::FromDiskPath(e.fileName()));
        std::string other;
        if (platform::ReadWholeFile(name, other) && other == bytes) return name;
    }
    return std::string();
}

// Copies the damaged file to "<name>.bak-yyyymmdd-hhnn" (then "-2", "-3", ... when taken); an
// earlier backup is never written over. Empty when no copy could be made.
std::string MakeBackup(const std::string& path, const std::string& bytes) {
    std::string same = SameBackup(path, bytes);
    if (!same.empty()) return same;
    // The copy is open to nobody the file was closed to: a private month stays private.
    struct stat original;
    const unsigned permissions =
        ::stat(QFile::encodeName(platform::DiskPath(path)).constData(), &original) == 0
            ? (original.st_mode & 0666) | 0600
            : 0600;
    const platform::LocalDateTime now = platform::CurrentClock().Now();
    char stem[32];
    std::snprintf(stem, sizeof stem, ".bak-%04d%02d%02d-%02d%02d", now.year, now.month, now.day,
                  now.hour, now.minute);
    for (int n = 1; n < 1000; ++n) {
        std::string name = path + stem;
        if (n > 1) name += "-" + std::to_string(n);
        if (platform::WriteNewFile(name, bytes, permissions)) return name;
        const QFileInfo taken(platform::DiskPath(name));
        if (!taken.exists() && !taken.isSymLink()) break;  // a write error, not a taken name
    }
    return std::string();
}

}  // namespace

DamagedFile KeepDamagedFile(const std::string& path, const std::string& bytes) {
    DamageSeen& seen = SeenDamages()[path];
    DamagedFile file;
    file.isNew = seen.bytes != bytes;
    if (file.isNew) seen = {bytes, std::string()};
    if (seen.backup.empty() || platform::NothingToRead(seen.backup))
        seen.backup = MakeBackup(path, bytes);
    file.backup = seen.backup;
    return file;
}

void DamagedFileRewritten(const std::string& path, const std::string& bytes) {
    const auto found = SeenDamages().find(path);
    if (found != SeenDamages().end()) found->second.bytes = bytes;
}

std::string DamagedFileCopy(const std::string& path) {
    const auto found = SeenDamages().find(path);
    if (found == SeenDamages().end()) return std::string();
    DamageSeen& seen = found->second;
    if (seen.backup.empty() || platform::NothingToRead(seen.backup))
        seen.backup = MakeBackup(path, seen.bytes);
    return seen.backup;
}

}  // namespace store

}  // namespace foundation
