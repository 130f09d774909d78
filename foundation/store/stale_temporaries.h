// Temporaries that an atomic save killed halfway (power loss, SIGKILL) leaves beside the
// program's files; nothing else would ever remove them.
#pragma once

#include <string>

namespace foundation {

// Removes the program's own stale save temporaries (and nothing else) from the data folder,
// the schedule folder, the memo folder and the memo folder's category folders, and the diary
// folder. Returns how many were removed.
int RemoveStaleTemporaries(const std::string& baseDir, const std::string& datFolder,
                           const std::string& memoFolder, const std::string& diaryFolder);

}  // namespace foundation
