// Moving and deleting memo files with their companion files, and keeping the open notes in
// step with such changes. Paths compare exactly: names on Linux are case-sensitive.
#pragma once

#include <string>

namespace accessories {

// targetFolder (ending in "/") not empty: moves the memo and its companion file there; empty:
// closes its note and moves both to the trash. Never replaces a file in the target folder;
// the note follows only a move that succeeded. 0 on success, else non-zero (after telling the
// user, except for a missing memo).
int MoveOrDeleteMemo(const std::string& path, const std::string& targetFolder);

// Closes the note of exactly this memo (it writes its companion file as it closes).
void CloseOpenMemo(const std::string& path);
// Closes every note of a memo inside the folder (ending in "/"), in any of its sub-folders.
void CloseOpenMemosUnder(const std::string& folder);
// The notes of memos directly in oldFolder now show the same names in newFolder (both end
// in "/").
void RetargetOpenMemos(const std::string& oldFolder, const std::string& newFolder);

}  // namespace accessories
