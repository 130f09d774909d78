// The sound module (not part of the platform library): the desktop's event-sound library
// behind SoundBackEnd. It plays the short WAV files without a network stack or a media
// framework in the process: through the sound server where one runs, else ALSA.
#include <canberra.h>

#include <QByteArray>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "sound_back_end.h"

namespace {

// What a synchronous sound waits for; shared with the library's thread, which calls back when
// the sound ends or is cancelled (possibly after the wait gave up).
struct Ending {
    std::mutex lock;
    std::condition_variable changed;
    bool ended = false;
};

void Ended(ca_context*, uint32_t, int, void* userdata) {
    auto* holder = static_cast<std::shared_ptr<Ending>*>(userdata);
    {
        std::lock_guard<std::mutex> hold((*holder)->lock);
        (*holder)->ended = true;
    }
    (*holder)->changed.notify_all();
    delete holder;
}

class EventSoundBackEnd : public platform::SoundBackEnd {
  public:
    EventSoundBackEnd() {
        if (ca_context_create(&context_) != CA_SUCCESS) {
            context_ = nullptr;
            return;
        }
        ca_context_change_props(context_, CA_PROP_APPLICATION_NAME, "Kolvane",
                                CA_PROP_APPLICATION_ID, "kolvane", nullptr);
    }

    void PlayAsync(const QString& diskPath) override {
        if (!context_) return;
        const QByteArray path = diskPath.toLocal8Bit();
        // Sounds overlap as they come; the library plays each on its own stream.
        ca_context_play(context_, kAsyncId, CA_PROP_MEDIA_FILENAME, path.constData(), nullptr);
    }

    void PlaySync(const QString& diskPath, int maxMs) override {
        if (!context_) return;
        const QByteArray path = diskPath.toLocal8Bit();
        ca_proplist* props = nullptr;
        if (ca_proplist_create(&props) != CA_SUCCESS) return;
        ca_proplist_sets(props, CA_PROP_MEDIA_FILENAME, path.constData());
        auto ending = std::make_shared<Ending>();
        auto* holder = new std::shared_ptr<Ending>(ending);
        const int started = ca_context_play_full(context_, kSyncId, props, Ended, holder);
        ca_proplist_destroy(props);
        // A sound that did not start may or may not still be called back: the holder is left
        // to the callback (a few bytes, once per run at most).
        if (started != CA_SUCCESS) return;
        std::unique_lock<std::mutex> hold(ending->lock);
        if (!ending->changed.wait_for(hold, std::chrono::milliseconds(maxMs),
                                      [&] { return ending->ended; })) {
            hold.unlock();
            ca_context_cancel(context_, kSyncId);
        }
    }

  private:
    static constexpr uint32_t kAsyncId = 0;
    static constexpr uint32_t kSyncId = 1;
    // Lives as long as the program: sounds still playing at the exit are not cut short by a
    // destructor running after main.
    ca_context* context_ = nullptr;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) platform::SoundBackEnd* KolvaneSoundBackEnd() {
    static auto* backEnd = new EventSoundBackEnd;
    return backEnd;
}
