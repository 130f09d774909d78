// What the first sound costs a running program: loads a sound module, plays one file through it
// and lets the event loop run for a second. Prints the milliseconds to load the module, the
// milliseconds until the first play call returns, the milliseconds a synchronous play of the
// same file took, and the resident KiB before the load and a second after the first sound.
// Usage: first_sound MODULE WAV
#include <dlfcn.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <cstdio>

#include "sound_back_end.h"

namespace {

long ResidentKib() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: first_sound MODULE WAV\n");
        return 2;
    }
    QCoreApplication app(argc, argv);
    const long before = ResidentKib();
    QElapsedTimer clock;
    clock.start();
    void* module = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    auto entry =
        module
            ? reinterpret_cast<platform::SoundBackEnd* (*)()>(dlsym(module, "KolvaneSoundBackEnd"))
            : nullptr;
    platform::SoundBackEnd* out = entry ? entry() : nullptr;
    if (!out) {
        std::fprintf(stderr, "first_sound: %s\n", dlerror());
        return 1;
    }
    const double loaded = clock.nsecsElapsed() / 1e6;
    const QString wav = QString::fromLocal8Bit(argv[2]);
    out->PlayAsync(wav);
    const double played = clock.nsecsElapsed() / 1e6;
    QTimer::singleShot(1000, &app, &QCoreApplication::quit);
    app.exec();
    const long after = ResidentKib();
    clock.restart();
    out->PlaySync(wav, 10000);
    const double sync = clock.nsecsElapsed() / 1e6;
    std::printf("%.1f %.1f %.1f %ld %ld\n", loaded, played, sync, before, after);
    return 0;
}
