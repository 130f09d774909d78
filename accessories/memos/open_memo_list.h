// "memoOp.Ini": the sticky notes open at exit, reopened at the next start.
#pragma once

#include <string>
#include <vector>

// Its path in the program's data folder.
std::string OpenMemoListPath();

// Rewrites the [MEMO] section from the open-note table: VER=3, then BMPn or TXTn for each slot
// in use, n from 0 to 30. Other sections stay. False when the file could not be written.
bool WriteOpenMemoList(const std::string& iniPath);

struct ListedMemo {
    std::string path;
    bool isBitmap = false;
};
// The listed notes in list order (BMPn before TXTn), paths as the file's VER says: 1 relative
// to memoPath, 2 full with a doubled "/" before the file name, else full. A missing file gives
// nothing.
std::vector<ListedMemo> ReadOpenMemoList(const std::string& iniPath, const std::string& memoPath);
