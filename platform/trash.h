// Deleting to the desktop's trash. A file that cannot go to the trash stays where it is: there
// is never a permanent delete in its place.
#pragma once

#include <string>

namespace platform {

class TrashPort {
  public:
    virtual ~TrashPort() = default;
    // cp932Path: the program's form of the path. True when it went to the trash.
    virtual bool MoveToTrash(const std::string& cp932Path) = 0;
};

TrashPort& Trash();
// Returns the port it replaces; nullptr restores the freedesktop trash.
TrashPort* SetTrashPort(TrashPort* port);

// A file or a folder with all it holds; false for an empty or missing path and for any failure.
bool MoveToTrash(const std::string& cp932Path);

}  // namespace platform
