// A trash port that records the paths it was given and answers as told.
#pragma once

#include <string>
#include <vector>

#include "scoped_port.h"
#include "trash.h"

class FakeTrash : public platform::TrashPort {
  public:
    bool MoveToTrash(const std::string& cp932Path) override {
        paths.push_back(cp932Path);
        return result;
    }

    std::vector<std::string> paths;
    bool result = true;

  private:
    platform::ScopedPort<platform::TrashPort> inPlace_{platform::SetTrashPort, this};
};
