#include "fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QSet>
#include <QString>
#include <QStringList>
#include <iterator>

namespace platform {
namespace {

struct Map {
    const char* name;
    QStringList families;
};

const Map* Maps(int* count) {
    static const Map maps[] = {
        {"ＭＳ Ｐゴシック", {QStringLiteral("IPAPGothic"), QStringLiteral("sans-serif")}},
        {"ＭＳ ゴシック", {QStringLiteral("IPAGothic"), QStringLiteral("monospace")}},
        {"ＭＳ 明朝", {QStringLiteral("IPAMincho"), QStringLiteral("serif")}},
        {"Times New Roman",
         {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif"),
          QStringLiteral("serif")}},
    };
    *count = static_cast<int>(std::size(maps));
    return maps;
}

}  // namespace

void InstallFontSubstitutes() {
    int count = 0;
    const Map* maps = Maps(&count);
    for (int i = 0; i < count; ++i) {
        const QString name = QString::fromUtf8(maps[i].name);
        QFont::removeSubstitutions(name);
        QFont::insertSubstitutions(name, maps[i].families);
    }
}

QString InstalledFamily(const QString& name) {
    static const QSet<QString> installed = [] {
        const QStringList families = QFontDatabase::families();
        return QSet<QString>(families.begin(), families.end());
    }();
    int count = 0;
    const Map* maps = Maps(&count);
    for (int i = 0; i < count; ++i) {
        if (name != QString::fromUtf8(maps[i].name)) continue;
        for (const QString& family : maps[i].families)
            if (installed.contains(family)) return family;
        break;
    }
    return name;
}

}  // namespace platform
