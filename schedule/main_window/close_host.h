// Whether the main window may close: asked of the program's start-up and shutdown.
#pragma once

namespace schedule {

class CloseHost {
  public:
    virtual ~CloseHost() = default;
    // byWindowManager: the title bar or Alt+F4. False keeps the window.
    virtual bool MayClose(bool byWindowManager) = 0;
};

}  // namespace schedule
