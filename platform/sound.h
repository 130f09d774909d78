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
// Returns the port it replaces; nullptr restores the system's sound output.
SoundPort* SetSoundPort(SoundPort* port);

class SoundBackEnd;

// The system's output is loaded at the first sound that has a file to play, once; until then
// no sound library is in the process. A back end that cannot be loaded plays nothing. An
// asynchronous first sound loads it on a thread of its own (the loader runs there).
class SoundBackEndLoader {
  public:
    virtual ~SoundBackEndLoader() = default;
    // The output, or nullptr when it cannot be loaded.
    virtual SoundBackEnd* Load() = 0;
};
// Returns the loader it replaces; nullptr restores the module beside the program. The next
// sound loads the output anew.
SoundBackEndLoader* SetSoundBackEndLoader(SoundBackEndLoader* loader);
// Returns once a load of the output that has begun has ended, with the sounds asked for
// meanwhile started.
void WaitForSoundOutput();
// The module beside the program, or nullptr when it is missing or broken.
SoundBackEnd* LoadSoundModule();

// A missing or unplayable file plays nothing and reports nothing.
void PlaySoundAsync(const std::string& path);
// maxMs <= 0: the file's own length plus one second.
void PlaySoundSync(const std::string& path, int maxMs = 0);

// Length of a PCM WAV file in milliseconds, 0 when it cannot be told.
int WavLengthMs(const std::string& path);

}  // namespace platform
