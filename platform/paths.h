// Paths: the program keeps CP932 path strings; the disk has UTF-8 names.
#pragma once

#include <QString>
#include <string>

namespace platform {

// dir + "/" + name; a folder that already ends in "/" gives "//", which the system accepts.
std::string JoinPath(const std::string& dir, const std::string& name);

QString DiskPath(const std::string& cp932Path);
std::string FromDiskPath(const QString& path);

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
