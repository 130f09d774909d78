// A temporary folder for one test, removed afterwards.
#pragma once

#include <QTemporaryDir>
#include <string>

#include "file_io.h"
#include "paths.h"

class TempFolder {
  public:
    TempFolder() { dir_.setAutoRemove(true); }
    // CP932 path of the folder.
    std::string Path() const { return platform::FromDiskPath(dir_.path()); }
    std::string File(const std::string& name) const { return Path() + "/" + name; }
    bool Write(const std::string& name, const std::string& bytes) const {
        return platform::WriteFileAtomic(File(name), bytes);
    }
    std::string Read(const std::string& name) const {
        std::string out;
        platform::ReadWholeFile(File(name), out);
        return out;
    }
    bool Exists(const std::string& name) const { return platform::FileExists(File(name)); }

  private:
    QTemporaryDir dir_;
};
