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
// ExecutableDir(), unless KOLVANE_HOME names another folder.
std::string DataHomeDir();

}  // namespace platform
