// The sound module (not part of the platform library): QSoundEffect behind SoundBackEnd.
#include <QCoreApplication>
#include <QEventLoop>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

#include "sound_back_end.h"

namespace {

class QtSoundBackEnd : public platform::SoundBackEnd {
  public:
    void PlayAsync(const QString& diskPath) override {
        if (!QCoreApplication::instance()) return;
        // The effect lives until it has played; it deletes itself.
        auto* effect = new QSoundEffect(QCoreApplication::instance());
        QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
            if (!effect->isPlaying()) effect->deleteLater();
        });
        QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
            if (effect->status() == QSoundEffect::Error) effect->deleteLater();
        });
        effect->setSource(QUrl::fromLocalFile(diskPath));
        effect->play();
    }

    void PlaySync(const QString& diskPath, int maxMs) override {
        if (!QCoreApplication::instance()) return;
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
        effect.setSource(QUrl::fromLocalFile(diskPath));
        effect.play();
        limit.start(maxMs);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        effect.stop();
    }
};

}  // namespace

extern "C" __attribute__((visibility("default"))) platform::SoundBackEnd* KolvaneSoundBackEnd() {
    static QtSoundBackEnd backEnd;
    return &backEnd;
}
