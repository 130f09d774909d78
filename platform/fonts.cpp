#include "fonts.h"

#include <fontconfig/fontconfig.h>

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QSet>
#include <QString>
#include <QStringList>
#include <clocale>
#include <system_error>
#include <vector>

namespace platform {
namespace {

struct Map {
    const char* name;
    QStringList families;
};

const std::vector<Map>& Maps() {
    static const std::vector<Map> maps = {
        {"ＭＳ Ｐゴシック", {QStringLiteral("IPAPGothic"), QStringLiteral("sans-serif")}},
        {"ＭＳ ゴシック", {QStringLiteral("IPAGothic"), QStringLiteral("monospace")}},
        {"ＭＳ 明朝", {QStringLiteral("IPAMincho"), QStringLiteral("serif")}},
        {"Times New Roman",
         {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif"),
          QStringLiteral("serif")}},
    };
    return maps;
}

}  // namespace

void InstallFontSubstitutes() {
    for (const Map& m : Maps()) {
        const QString name = QString::fromUtf8(m.name);
        QFont::removeSubstitutions(name);
        QFont::insertSubstitutions(name, m.families);
    }
}

QString InstalledFamily(const QString& name) {
    static const QSet<QString> installed = [] {
        const QStringList families = QFontDatabase::families();
        return QSet<QString>(families.begin(), families.end());
    }();
    // A font installed under the Windows name itself is drawn as such.
    if (installed.contains(name)) return name;
    for (const Map& m : Maps()) {
        if (name != QString::fromUtf8(m.name)) continue;
        for (const QString& family : m.families)
            if (installed.contains(family)) return family;
        break;
    }
    return name;
}

FontConfigWarmUp::FontConfigWarmUp() {
    // The thread's parsing of numbers reads the locale, which the application object sets as it
    // is made. Set here before the thread starts, so setting it again there changes nothing.
    std::setlocale(LC_ALL, "");
    try {
        thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        // No thread: Qt reads the configuration itself when it first needs it.
        configRead_ = true;
    }
}

FontConfigWarmUp::~FontConfigWarmUp() { Finish(); }

void FontConfigWarmUp::Finish() {
    {
        std::lock_guard<std::mutex> hold(lock_);
        asked_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void FontConfigWarmUp::Run() {
    FcInit();
    std::vector<Sample> samples;
    {
        std::unique_lock<std::mutex> hold(lock_);
        configRead_ = true;
        changed_.notify_all();
        changed_.wait(hold, [this] { return asked_; });
        samples.swap(samples_);
    }
    if (samples.empty()) return;
    // Qt's list of fonts and its fallback lists are one for the process, under Qt's own lock.
    for (const Sample& sample : samples) {
        QFont font = QGuiApplication::font();
        if (sample.name && *sample.name)
            font = QFont(InstalledFamily(QString::fromUtf8(sample.name)));
        if (sample.pixelSize > 0) font.setPixelSize(sample.pixelSize);
        font.setBold(sample.bold);
        const QFontMetrics metrics(font);
        if (sample.text.isEmpty()) {
            metrics.height();
        } else {
            metrics.horizontalAdvance(sample.text);
        }
    }
}

void FontConfigWarmUp::Wait() {
    std::unique_lock<std::mutex> hold(lock_);
    changed_.wait(hold, [this] { return configRead_; });
}

void FontConfigWarmUp::WarmUp(std::vector<Sample> samples) {
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (asked_) return;
        asked_ = true;
        samples_ = std::move(samples);
    }
    changed_.notify_all();
}

}  // namespace platform
