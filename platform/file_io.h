// Whole-file reads and atomic writes; every writer of the program goes through here.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// False when the path is missing, a folder or unreadable; out is then empty.
bool ReadWholeFile(const std::string& path, std::string& out);

enum class ReadResult {
    Read,
    Missing,     // nothing there, or a folder in its place
    Unreadable,  // a file is there but its bytes could not be read (permissions, I/O error)
};
// ReadWholeFile that tells a missing file from one that is there but could not be read.
ReadResult ReadFile(const std::string& path, std::string& out);
// True when nothing is at the path or a folder is in its place (what ReadFile calls Missing).
bool NothingToRead(const std::string& path);

// Writes a temporary file in the same folder and renames it over the old one, so a failed
// write leaves the old file whole and no temporary behind. A link is followed and the file it
// names replaced, but only where the kernel would follow it: another user's link in a sticky
// folder that everyone may write (/tmp) fails the write. A replaced file keeps its permissions
// and, where the user may set it, its group. False when anything failed.
bool WriteFileAtomic(const std::string& path, std::string_view bytes);
// The errno of the last WriteFileAtomic of this thread that failed (ENOENT for a missing
// folder, ENOSPC, EACCES, EROFS ...); 0 after one that succeeded.
int LastWriteError();

// Whether the name is that of a temporary of WriteFileAtomic: ".kolvane-save-" + six letters
// or digits + ".tmp". No file of the user is named so; only these are ever swept.
bool IsSaveTemporaryName(const std::string& fileName);

// Removes the temporaries of atomic writes that a killed save left in the folder (not below
// it): regular files of the user, at least minAgeSeconds old (a save of another process may be
// under way). Returns how many were removed.
int RemoveStaleTemporaries(const std::string& folder, long long minAgeSeconds);

// Byte-for-byte copy, written atomically.
bool CopyFileAtomic(const std::string& source, const std::string& destination);

// Modification time of the file as seconds since the epoch; false on failure.
bool FileModifiedTime(const std::string& path, long long& secondsSinceEpoch);

}  // namespace platform

namespace platform {

// Renames a file or folder without ever replacing what the new name already names; a file is
// copied and its original removed when the two lie on different file systems. False when the
// new name is taken or anything failed (the original is then where it was).
bool RenameNoReplace(const std::string& from, const std::string& to);

}  // namespace platform

namespace platform {

// Makes a new file with the bytes and flushes it to the disk; never replaces anything at the
// path, nor follows a link there. False when the name is taken or anything failed (a
// half-written file is removed). permissions: the most it may allow; the umask takes its share.
bool WriteNewFile(const std::string& path, std::string_view bytes, unsigned permissions = 0666);
// The same for a file that only the user may read (0600), whatever the folder.
bool WritePrivateNewFile(const std::string& path, std::string_view bytes);
// Whether anything has the name, a link that leads nowhere too.
bool NameTaken(const std::string& path);

}  // namespace platform
