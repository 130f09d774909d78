// Reads of the named files fail as an I/O error would (root reads every file whatever its
// modes). Also starts and ends with a store that has forgotten every unreadable file.
#pragma once

#include <set>
#include <string>

#include "file_faults.h"
#include "unreadable_files.h"

class ReadFault {
  public:
    ReadFault() {
        foundation::store::ForgetUnreadableFiles();
        platform::SetReadFaultForTests(
            [this](const std::string& p) { return on && paths.count(p); });
    }
    ~ReadFault() {
        platform::SetReadFaultForTests(nullptr);
        foundation::store::ForgetUnreadableFiles();
    }
    ReadFault(const ReadFault&) = delete;
    ReadFault& operator=(const ReadFault&) = delete;

    std::set<std::string> paths;
    bool on = true;
};
