#include "stale_temporaries.h"

#include <QDir>
#include <algorithm>
#include <vector>

#include "file_io.h"
#include "paths.h"

namespace {

// Long enough for any save of another process to have finished its rename.
constexpr long long kMinAgeSeconds = 60;

std::string LowerAscii(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    });
    return s;
}

bool Digits(const std::string& s, size_t from, size_t to) {
    if (from >= to || to > s.size()) return false;
    return std::all_of(s.begin() + from, s.begin() + to,
                       [](char c) { return c >= '0' && c <= '9'; });
}

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

bool IsOwnDataFileName(const std::string& fileName) {
    const std::string name = LowerAscii(fileName);
    // Months "yyyymm.yo2" / ".mkf", year plans "yyyy.ne2".
    if (name.size() == 10 && Digits(name, 0, 6) && (EndsWith(name, ".yo2") || EndsWith(name, ".mkf")))
        return true;
    if (name.size() == 8 && Digits(name, 0, 4) && EndsWith(name, ".ne2")) return true;
    static const char* const kFixed[] = {"kolvane32.ini", "kolvane32.prg", "ken.txt",
                                         "memoop.ini",    "om_ini.ini",    "todo.dat",
                                         "todo.dat.bak",  "todo.ini",      "todo_log.txt",
                                         "todo_prj.txt",  "ukinen.txt",    "yo.txt",
                                         "yout.txt"};
    return std::any_of(std::begin(kFixed), std::end(kFixed),
                       [&](const char* fixed) { return name == fixed; });
}

bool IsOwnMemoFileName(const std::string& fileName) {
    const std::string name = LowerAscii(fileName);
    if (EndsWith(name, ".hol") && Digits(name, 0, name.size() - 4)) return true;
    return name.size() > 4 && (EndsWith(name, ".txt") || EndsWith(name, ".ini") ||
                               EndsWith(name, ".bmp"));
}

bool LooksRandomSuffix(const std::string& fileName) {
    if (platform::AtomicTemporaryTarget(fileName).empty()) return false;
    bool lower = false, upper = false, digit = false;
    for (size_t i = fileName.size() - 6; i < fileName.size(); ++i) {
        const char c = fileName[i];
        lower = lower || (c >= 'a' && c <= 'z');
        upper = upper || (c >= 'A' && c <= 'Z');
        digit = digit || (c >= '0' && c <= '9');
    }
    return (lower && upper) || ((lower || upper) && digit);
}

int RemoveStaleTemporaries(const std::string& baseDir, const std::string& datFolder,
                           const std::string& memoFolder) {
    struct Target {
        std::string folder;
        bool (*ours)(const std::string&);
    };
    std::vector<Target> targets = {{baseDir, IsOwnDataFileName}, {datFolder, IsOwnDataFileName}};
    if (!memoFolder.empty()) {
        targets.push_back({memoFolder, IsOwnMemoFileName});
        const QDir memos(platform::DiskPath(memoFolder));
        for (const QString& sub :
             memos.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks))
            targets.push_back(
                {platform::JoinPath(memoFolder, platform::FromDiskPath(sub)), IsOwnMemoFileName});
    }
    int removed = 0;
    std::vector<std::string> done;
    for (const Target& t : targets) {
        if (t.folder.empty()) continue;
        // The same folder may serve as data and memo folder: each rule once per folder.
        const std::string key = t.folder + (t.ours == IsOwnMemoFileName ? "\1m" : "\1d");
        if (std::find(done.begin(), done.end(), key) != done.end()) continue;
        done.push_back(key);
        removed += platform::RemoveStaleTemporaries(
            t.folder,
            [&t](const std::string& name) {
                return LooksRandomSuffix(name) && t.ours(platform::AtomicTemporaryTarget(name));
            },
            kMinAgeSeconds);
    }
    return removed;
}
