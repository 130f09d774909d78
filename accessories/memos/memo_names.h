// Names of memo files, their companion settings files and their category folders. Paths are
// the program's CP932 strings with "/" between the parts.
#pragma once

#include <string>

namespace accessories {

// A title made safe as a file or folder name: "/", "\", ":", ";", ",", "*", "?", '"', "<", ">",
// "|" and "." become their full-width forms; an empty title or one that starts with a blank
// becomes "MEMO" and the time (yy-mm-dd_hh-nn-ss). The name is cut at a character boundary so
// that it, with a four-byte extension, fits the file system's name limit.
std::string TitleToFileName(const std::string& title);

// The memo's path with everything from the last "." of its file name replaced by ".Ini" (or
// ".Ini" appended); empty when nothing stands before that ".".
std::string CompanionIniPath(const std::string& memoPath);
// The companion file as it exists on disk, its ".ini" in any letter case; empty when none.
std::string ExistingCompanionFile(const std::string& memoPath);

// The file name of a path (after the last "/") and its folder part (up to and with that "/").
std::string FileNameOf(const std::string& path);
std::string FolderPartOf(const std::string& path);

// The folder of a category with its final "/": the memo folder itself for an empty name
// ("標準"), else its sub-folder.
std::string MemoCategoryFolder(const std::string& memoPath, const std::string& category);

}  // namespace accessories
