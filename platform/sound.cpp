#include "sound.h"

#include <QString>
#include <algorithm>
#include <cstdint>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

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

SoundBackEndLoader* g_loader = nullptr;

// Loads the back end at its first use; a failed load is not tried again. The first sound often
// comes as the first window shows: the sound libraries load and that sound starts on a thread
// of their own, out of the way of the window's first frame. Later sounds play on the caller's
// thread.
class LazySounds : public SoundPort {
  public:
    ~LazySounds() override { WaitForLoad(); }

    void PlayAsync(const std::string& path) override {
        if (!FileExists(path)) return;
        std::unique_lock<std::mutex> hold(lock_);
        if (state_ == State::Loading) {
            pending_.push_back(DiskPath(path));
            return;
        }
        if (state_ == State::Untried) {
            state_ = State::Loading;
            pending_.push_back(DiskPath(path));
            try {
                loader_ = std::thread([this] { LoadAndPlayPending(); });
                return;
            } catch (const std::system_error&) {
                // No thread: the load runs here.
                hold.unlock();
                LoadAndPlayPending();
                return;
            }
        }
        SoundBackEnd* out = output_;
        hold.unlock();
        if (out) out->PlayAsync(DiskPath(path));
    }

    void PlaySync(const std::string& path, int maxMs) override {
        if (!FileExists(path)) return;
        if (maxMs <= 0) maxMs = WavLengthMs(path) + 1000;
        WaitForLoad();
        SoundBackEnd* out = nullptr;
        {
            std::lock_guard<std::mutex> hold(lock_);
            if (state_ == State::Untried) {
                output_ = Load();
                state_ = State::Loaded;
            }
            out = output_;
        }
        if (out) out->PlaySync(DiskPath(path), maxMs);
    }

    void WaitForLoad() {
        if (loader_.joinable()) loader_.join();
    }

    void Reset() {
        WaitForLoad();
        std::lock_guard<std::mutex> hold(lock_);
        state_ = State::Untried;
        output_ = nullptr;
        pending_.clear();
    }

  private:
    enum class State { Untried, Loading, Loaded };

    static SoundBackEnd* Load() { return g_loader ? g_loader->Load() : LoadSoundModule(); }

    void LoadAndPlayPending() {
        SoundBackEnd* out = Load();
        std::vector<QString> sounds;
        {
            std::lock_guard<std::mutex> hold(lock_);
            output_ = out;
            state_ = State::Loaded;
            sounds.swap(pending_);
        }
        if (out)
            for (const QString& sound : sounds) out->PlayAsync(sound);
    }

    std::mutex lock_;
    State state_ = State::Untried;
    SoundBackEnd* output_ = nullptr;
    std::vector<QString> pending_;
    std::thread loader_;
};

LazySounds& System() {
    static LazySounds system;
    return system;
}

SoundPort* g_port = nullptr;

}  // namespace

SoundPort& Sounds() { return g_port ? *g_port : static_cast<SoundPort&>(System()); }

SoundBackEndLoader* SetSoundBackEndLoader(SoundBackEndLoader* loader) {
    SoundBackEndLoader* previous = std::exchange(g_loader, loader);
    System().Reset();
    return previous;
}

SoundBackEnd* LoadSoundModule() {
    return LoadModuleObject<SoundBackEnd>(SoundModulePath(), "KolvaneSoundBackEnd");
}

SoundPort* SetSoundPort(SoundPort* port) { return std::exchange(g_port, port); }

void WaitForSoundOutput() { System().WaitForLoad(); }

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
