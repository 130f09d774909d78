// Gives every window the same window-manager frame.
#pragma once

#include <QMargins>

#include "scoped_port.h"
#include "window_frame.h"

class FakeFrames : public platform::FramePort {
  public:
    QMargins Extents(QWidget*, int) override { return frame; }

    QMargins frame;  // none until a test sets one

  private:
    platform::ScopedPort<platform::FramePort> inPlace_{platform::SetFramePort, this};
};
