#include "sound.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cstdint>

#include "file_io.h"
#include "paths.h"

namespace platform {

namespace {

uint32_t Le32(const std::string& b, size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

class QtSounds : public SoundPort {
  public:
    void PlayAsync(const std::string& path) override {
        if (!FileExists(path) || !QCoreApplication::instance()) return;
        // The effect lives until it has played; it deletes itself.
        auto* effect = new QSoundEffect(QCoreApplication::instance());
        QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
            if (!effect->isPlaying()) effect->deleteLater();
        });
        QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
            if (effect->status() == QSoundEffect::Error) effect->deleteLater();
        });
        effect->setSource(QUrl::fromLocalFile(DiskPath(path)));
        effect->play();
    }

    void PlaySync(const std::string& path, int maxMs) override {
        if (!FileExists(path) || !QCoreApplication::instance()) return;
        if (maxMs <= 0) maxMs = WavLengthMs(path) + 1000;
        QSoundEffect effect;
        QEventLoop loop;
        QTimer limit;
        limit.setSingleShot(true);
        QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(&effect, &QSoundEffect::statusChanged, &loop, [&] {
            if (effect.status() == QSoundEffect::Error) loop.quit();
        });
        bool started = false;
        QObject::connect(&effect, &QSoundEffect::playingChanged, &loop, [&] {
            if (effect.isPlaying()) {
                started = true;
            } else if (started) {
                loop.quit();
            }
        });
        effect.setSource(QUrl::fromLocalFile(DiskPath(path)));
        effect.play();
        limit.start(maxMs);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        effect.stop();
    }
};

SoundPort* g_port = nullptr;

}  // namespace

SoundPort& Sounds() {
    static QtSounds system;
    return g_port ? *g_port : system;
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
