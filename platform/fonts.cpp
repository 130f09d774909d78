#include "fonts.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace platform {

void InstallFontSubstitutes() {
    struct Map {
        const char* name;
        QStringList families;
    };
    const Map maps[] = {
        {"ＭＳ Ｐゴシック", {QStringLiteral("IPAPGothic"), QStringLiteral("sans-serif")}},
        {"ＭＳ ゴシック", {QStringLiteral("IPAGothic"), QStringLiteral("monospace")}},
        {"ＭＳ 明朝", {QStringLiteral("IPAMincho"), QStringLiteral("serif")}},
        {"Times New Roman",
         {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif"),
          QStringLiteral("serif")}},
    };
    for (const Map& m : maps) {
        const QString name = QString::fromUtf8(m.name);
        QFont::removeSubstitutions(name);
        QFont::insertSubstitutions(name, m.families);
    }
}

}  // namespace platform
