// A sound port that records what would have played.
#pragma once

#include <string>
#include <vector>

#include "sound.h"

class FakeSound : public platform::SoundPort {
  public:
    FakeSound() { platform::SetSoundPort(this); }
    ~FakeSound() override { platform::SetSoundPort(nullptr); }

    void PlayAsync(const std::string& path) override { async.push_back(path); }
    void PlaySync(const std::string& path, int) override { sync.push_back(path); }

    std::vector<std::string> async;
    std::vector<std::string> sync;
};
