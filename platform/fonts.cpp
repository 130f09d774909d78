#include "fonts.h"

#include <fontconfig/fontconfig.h>

#include <QFont>
#include <QFontDatabase>
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
        thread_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread: Qt reads the configuration itself when it first needs it.
    }
}

FontConfigWarmUp::~FontConfigWarmUp() { Wait(); }

void FontConfigWarmUp::Wait() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace platform
