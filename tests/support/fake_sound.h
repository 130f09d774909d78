// A sound port that records what would have played.
#pragma once

#include <string>
#include <vector>

#include "scoped_port.h"
#include "sound.h"

class FakeSound : public platform::SoundPort {
  public:
    void PlayAsync(const std::string& path) override { async.push_back(path); }
    void PlaySync(const std::string& path, int) override { sync.push_back(path); }

    std::vector<std::string> async;
    std::vector<std::string> sync;

  private:
    platform::ScopedPort<platform::SoundPort> inPlace_{platform::SetSoundPort, this};
};
