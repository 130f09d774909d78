// Files that are there but could not be read. A read-modify-write of such a file would put an
// empty or partial copy over the user's data, so the program remembers them, says so once,
// and writes none of them while they are still there.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "ini_profile.h"

namespace foundation {

namespace store {

// Reads the whole file for a later write-back. Missing: true with empty bytes. There but
// unreadable: false with empty bytes; the path is remembered and the user told (once a run).
// A later successful read forgets it.
bool ReadForUpdate(const std::string& path, std::string& bytes);

// ReadForUpdate of an INI file into a profile that saves back to the path; a file that is
// there but cannot be read gives an empty profile and false.
bool ReadIniForUpdate(const std::string& path, platform::IniProfile& ini);

// True while the file is remembered as unreadable and still there.
bool IsUnreadable(const std::string& path);

// Runs save until it succeeds. After a failure a file remembered as unreadable is refused with
// NotSavedOverMessage; otherwise the user is asked the question, with Retry and Cancel, and may
// mend the cause and try again. False when nothing was saved.
bool SaveOrAskToRetry(const std::string& path, const std::function<bool()>& save,
                      const QString& question);

// The message shown once for an unreadable file, and the one for a refused save (CP932).
std::string UnreadableMessage(const std::string& path);
std::string NotSavedOverMessage(const std::string& path);

// Whether the user is told of an unreadable file (the schedule book: yes; a read-only
// viewer: no). On until set.
// Off, a damaged file is neither told nor copied either: nothing is written over it.
void TellUnreadableFiles(bool on);
bool TellingUnreadableFiles();

// Tests only.
void ForgetUnreadableFiles();

}  // namespace store

}  // namespace foundation
