// Temporaries that an atomic save killed halfway (power loss, SIGKILL) leaves beside the
// program's files; nothing else would ever remove them.
#pragma once

#include <string>

// Whether the program writes a file of this name into its data or schedule folder.
bool IsOwnDataFileName(const std::string& fileName);
// Whether the program writes a file of this name into the memo folder or a category folder.
bool IsOwnMemoFileName(const std::string& fileName);
// Whether the suffix of a temporary looks drawn at random (letters of both cases, or letters
// and digits), so that a user's own "x.txt.backup" is never taken for one.
bool LooksRandomSuffix(const std::string& fileName);

// Removes the program's own stale temporaries from the data folder, the schedule folder, the
// memo folder and the memo folder's category folders. Returns how many were removed.
int RemoveStaleTemporaries(const std::string& baseDir, const std::string& datFolder,
                           const std::string& memoFolder);
