// "memoOp.Ini": the sticky notes open at exit, reopened at the next start.
#pragma once

#include <functional>
#include <string>

namespace accessories {

// Its path in the program's data folder.
std::string OpenMemoListPath();

struct ListedMemo {
    std::string path;
    bool isBitmap = false;
};

// Opens the listed notes in list order (BMPn before TXTn) through open, which is true when the
// memo shows as a note. Paths as the file's VER says: 1 relative to memoPath, 2 full with a
// doubled "/" before the file name, else full. What did not open is remembered and listed again
// at exit. A missing file opens nothing; one that is there but cannot be read opens nothing, the
// user is told, and it is not written over.
void RestoreOpenMemoList(const std::string& iniPath, const std::string& memoPath,
                         const std::function<bool(const ListedMemo&)>& open);

// A memo opened as a note after the start is no longer one the start could not open.
void ForgetUnopenedMemo(const std::string& path);

// Rewrites the [MEMO] section: VER=3, then BMPn or TXTn for each slot in use (n = the slot),
// then the notes the start could not open under the next free numbers (all 31 numbers at most).
// Other sections stay. False, with nothing written, when the file is there but cannot be read
// or when it could not be written.
bool WriteOpenMemoList(const std::string& iniPath);

// Tests only: forgets what the start remembered.
void ForgetRestoredMemoList();

}  // namespace accessories
