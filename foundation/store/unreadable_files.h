// Files that are there but could not be read. A read-modify-write of such a file would put an
// empty or partial copy over the user's data, so the program remembers them, says so once,
// and writes none of them while they are still there.
#pragma once

#include <string>

namespace store {

// Reads the whole file for a later write-back. Missing: true with empty bytes. There but
// unreadable: false with empty bytes; the path is remembered and the user told (once a run).
// A later successful read forgets it.
bool ReadForUpdate(const std::string& path, std::string& bytes);

// True while the file is remembered as unreadable and still there.
bool IsUnreadable(const std::string& path);

// The message shown once for an unreadable file, and the one for a refused save (CP932).
std::string UnreadableMessage(const std::string& path);
std::string NotSavedOverMessage(const std::string& path);

// Whether the user is told of an unreadable file (the schedule book: yes; a read-only
// viewer: no). On until set.
void TellUnreadableFiles(bool on);

// Tests only.
void ForgetUnreadableFiles();

}  // namespace store
