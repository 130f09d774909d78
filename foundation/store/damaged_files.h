// Files of the program's stores that were read but did not parse cleanly. Before anything
// can replace such a file, its bytes as read are copied beside it, so what the reading could
// not make sense of is never lost.
#pragma once

#include <string>

namespace foundation {

namespace store {

struct DamagedFile {
    std::string backup;  // the copy of the file as it was; empty while none could be made
    bool isNew = false;  // this run had not read this damage before: the user is to be told
};

// The file at path was read as bytes and did not parse cleanly. Copies it to
// "<name>.bak-yyyymmdd-hhnn" (then "-2", "-3", ... when taken), never over an earlier copy; a
// copy of the same bytes, made by this run or an earlier one, is used instead of a new one.
DamagedFile KeepDamagedFile(const std::string& path, const std::string& bytes);

// The store wrote bytes over a file read damaged, keeping what could be read of it: read
// again, they are no news, and the copy made of the damage still stands for them.
void DamagedFileRewritten(const std::string& path, const std::string& bytes);

// Before a write over a file read damaged: its copy, made now when the read could not make
// one. Empty when there is still none (the file must then not be replaced).
std::string DamagedFileCopy(const std::string& path);

}  // namespace store

}  // namespace foundation
