// Paths: the program keeps CP932 path strings; the disk has UTF-8 names.
//
// A user may live in any folder, also one whose name holds characters that CP932 cannot
// (/home/rené). Such a character is kept in the program's path strings as a mark: the byte
// 0xFD, which no CP932 text holds (it is neither a lead nor a trail byte and no character),
// followed by its code point as six upper-case hex digits ("é" is FD "0000E9"). DiskPath turns
// the marks back into the real name; FromDiskPath makes them. A path that CP932 holds
// character for character has no mark and keeps the bytes it always had. The mark is made of
// bytes that split no Shift-JIS character and no field of the program's files (no blank,
// comma, bar, colon or line end), and upper-casing leaves it as it is, so such a path is
// written into the settings, the open-note list and the launcher list as any other and reads
// back the same. Whatever shows a path to the user turns it into the real name with DiskPath.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace platform {

constexpr char kPathMark = '\xFD';
// The mark and its six hex digits.
constexpr size_t kPathMarkLength = 7;

// dir + "/" + name; a folder that already ends in "/" gives "//", which the system accepts.
std::string JoinPath(const std::string& dir, const std::string& name);

// The real name of a path (also of a message that holds one).
QString DiskPath(std::string_view cp932Path);
// The program's form of a real name: CP932, with a mark for each character it cannot hold.
std::string FromDiskPath(const QString& path);
// The characters of the path that CP932 cannot hold, each once; empty for most paths.
QString CharactersOutsideCp932(const std::string& cp932Path);

// True for anything but a folder that exists at the path.
bool FileExists(const std::string& path);
bool IsFolder(const std::string& path);
// "" or "/": the root test that stands in for a drive root.
bool IsRootPath(const std::string& path);

// Folder of the running executable, without a trailing "/".
std::string ExecutableDir();
// The same as the disk names it, for what never enters the program's CP932 texts.
QString ExecutableDirOnDisk();
// The user's data folder: KOLVANE_HOME when set, else $XDG_DATA_HOME/kolvane
// (~/.local/share/kolvane). Never the program folder, which may be read-only or thrown away
// with a build.
std::string DataHomeDir();
// A folder that is the user's own: there, the user's, and no other user may write in it.
bool IsOwnFolder(const std::string& path);
// The user's state folder of the program, $XDG_STATE_HOME/kolvane (~/.local/state/kolvane),
// made private when missing; empty when it is not there afterwards or not the user's own.
std::string PrivateStateDir();
// $XDG_RUNTIME_DIR when it is a folder of the user's that nobody else may enter; else empty.
// Emptied when the user logs out.
std::string RuntimeDir();
// The temporary folder every user shares ($TMPDIR, else /tmp).
std::string SharedTempDir();
// Makes the folder and its parents; true when it is there afterwards.
bool MakeFolder(const std::string& path);

// The entry of the folder whose name equals name without regard to case; name itself when
// there is none. Of several, the newest wins (the one the last run wrote).
std::string FindNameIgnoringCase(const std::string& folder, const std::string& name);

}  // namespace platform
