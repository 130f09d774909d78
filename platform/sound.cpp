#include "sound.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <cstdint>

#include "file_io.h"
#include "installed_layout.h"
#include "module_loader.h"
#include "paths.h"
#include "sound_back_end.h"

namespace platform {

namespace {

uint32_t Le32(const std::string& b, size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::function<SoundBackEnd*()> g_loader;

// Loads the back end at its first use; a failed load is not tried again.
class LazySounds : public SoundPort {
  public:
    void PlayAsync(const std::string& path) override {
        if (!FileExists(path)) return;
        // The first sound often comes while the first window is being shown: the libraries
        // are loaded once the event loop runs, not in the way of the window.
        if (!tried_ && QCoreApplication::instance()) {
            QTimer::singleShot(0, QCoreApplication::instance(), [this, disk = DiskPath(path)] {
                if (SoundBackEnd* out = Output()) out->PlayAsync(disk);
            });
            return;
        }
        if (SoundBackEnd* out = Output()) out->PlayAsync(DiskPath(path));
    }

    void PlaySync(const std::string& path, int maxMs) override {
        if (!FileExists(path)) return;
        if (maxMs <= 0) maxMs = WavLengthMs(path) + 1000;
        if (SoundBackEnd* out = Output()) out->PlaySync(DiskPath(path), maxMs);
    }

    void Reset() {
        tried_ = false;
        output_ = nullptr;
    }

  private:
    SoundBackEnd* Output() {
        if (!tried_) {
            tried_ = true;
            output_ = g_loader ? g_loader() : LoadSoundModule();
        }
        return output_;
    }

    bool tried_ = false;
    SoundBackEnd* output_ = nullptr;
};

LazySounds& System() {
    static LazySounds system;
    return system;
}

SoundPort* g_port = nullptr;

}  // namespace

SoundPort& Sounds() { return g_port ? *g_port : static_cast<SoundPort&>(System()); }

void SetSoundBackEndLoader(std::function<SoundBackEnd*()> loader) {
    g_loader = std::move(loader);
    System().Reset();
}

SoundBackEnd* LoadSoundModule() {
    return LoadModuleObject<SoundBackEnd>(SoundModulePath(), "KolvaneSoundBackEnd");
}

void SetSoundPort(SoundPort* port) { g_port = port; }

void PlaySoundAsync(const std::string& path) { Sounds().PlayAsync(path); }

void PlaySoundSync(const std::string& path, int maxMs) { Sounds().PlaySync(path, maxMs); }

int WavLengthMs(const std::string& path) {
    std::string b;
    if (!ReadWholeFile(path, b) || b.size() < 12) return 0;
    if (b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) return 0;
    uint32_t byteRate = 0;
    size_t at = 12;
    while (at + 8 <= b.size()) {
        const std::string id = b.substr(at, 4);
        const uint32_t size = Le32(b, at + 4);
        const size_t body = at + 8;
        if (id == "fmt " && size >= 16 && body + 16 <= b.size()) {
            byteRate = Le32(b, body + 8);
        } else if (id == "data") {
            if (byteRate == 0) return 0;
            uint64_t bytes = std::min<uint64_t>(size, b.size() - body);
            return static_cast<int>(bytes * 1000 / byteRate);
        }
        at = body + size + (size & 1);
    }
    return 0;
}

}  // namespace platform
