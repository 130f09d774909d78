// A trash port that records the paths it was given and answers as told.
#pragma once

#include <string>
#include <vector>

#include "trash.h"

class FakeTrash : public platform::TrashPort {
  public:
    FakeTrash() { platform::SetTrashPort(this); }
    ~FakeTrash() override { platform::SetTrashPort(nullptr); }

    bool MoveToTrash(const std::string& cp932Path) override {
        paths.push_back(cp932Path);
        return result;
    }

    std::vector<std::string> paths;
    bool result = true;
};
