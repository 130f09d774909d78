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
// Makes the folder and its parents; true when it is there afterwards.
bool MakeFolder(const std::string& path);

// The entry of the folder whose name equals name without regard to case; name itself when
// there is none. Of several, the newest wins (the one the last run wrote).
std::string FindNameIgnoringCase(const std::string& folder, const std::string& name);

}  // namespace platform
