// WAV sounds by file path behind a port; tests install a recording fake.
#pragma once

#include <string>

namespace platform {

class SoundPort {
  public:
    virtual ~SoundPort() = default;
    virtual void PlayAsync(const std::string& path) = 0;
    // Returns when the sound has ended, at the latest after maxMs.
    virtual void PlaySync(const std::string& path, int maxMs) = 0;
};

SoundPort& Sounds();
// nullptr restores the system's sound output.
void SetSoundPort(SoundPort* port);

// A missing or unplayable file plays nothing and reports nothing.
void PlaySoundAsync(const std::string& path);
// maxMs <= 0: the file's own length plus one second.
void PlaySoundSync(const std::string& path, int maxMs = 0);

// Length of a PCM WAV file in milliseconds, 0 when it cannot be told.
int WavLengthMs(const std::string& path);

}  // namespace platform
