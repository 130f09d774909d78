#include "stale_temporaries.h"

#include <QDir>
#include <algorithm>
#include <vector>

#include "file_io.h"
#include "paths.h"

namespace foundation {

namespace {

// Long enough for any save of another process to have finished its rename.
constexpr long long kMinAgeSeconds = 60;

}  // namespace

int RemoveStaleTemporaries(const std::string& baseDir, const std::string& datFolder,
                           const std::string& memoFolder, const std::string& diaryFolder) {
    std::vector<std::string> folders = {baseDir, datFolder, diaryFolder};
    if (!memoFolder.empty()) {
        folders.push_back(memoFolder);
        const QDir memos(platform::DiskPath(memoFolder));
        for (const QString& sub :
             memos.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Unsorted))
            folders.push_back(platform::JoinPath(memoFolder, platform::FromDiskPath(sub)));
    }
    int removed = 0;
    std::vector<std::string> done;
    for (const std::string& folder : folders) {
        // The same folder may serve as data, schedule and memo folder.
        if (folder.empty() || std::find(done.begin(), done.end(), folder) != done.end()) continue;
        done.push_back(folder);
        removed += platform::RemoveStaleTemporaries(folder, kMinAgeSeconds);
    }
    return removed;
}

}  // namespace foundation
