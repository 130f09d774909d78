// The system's sound output, built as a module of its own (libkolvane_sound.so beside the
// program) and loaded at the first sound: its libraries are not loaded at every start.
#pragma once

#include <QString>

namespace platform {

class SoundBackEnd {
  public:
    virtual ~SoundBackEnd() = default;
    // Paths as the file system spells them; the files exist. Called from any thread.
    virtual void PlayAsync(const QString& diskPath) = 0;
    virtual void PlaySync(const QString& diskPath, int maxMs) = 0;
};

}  // namespace platform

// The module's one entry; the back end lives as long as the program.
extern "C" platform::SoundBackEnd* KolvaneSoundBackEnd();
