#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace platform {
namespace {

// Texts of the file dialog that Qt 6.4's Japanese catalogue leaves in English; half-width, as
// the program writes them, so they fit the dialog's narrow type column.
class CatalogueGaps final : public QTranslator {
  public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0) return QString();
        if (qstrcmp(source, "Folder") == 0) return QStringLiteral("ﾌｫﾙﾀﾞ");
        if (qstrcmp(source, "Drive") == 0) return QStringLiteral("ﾄﾞﾗｲﾌﾞ");
        if (qstrcmp(source, "File") == 0) return QStringLiteral("ﾌｧｲﾙ");
        if (qstrcmp(source, "%1 File") == 0) return QStringLiteral("%1 ﾌｧｲﾙ");
        return QString();
    }
};

}  // namespace

QString QtTranslationsFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

bool InstallQtJapanese(const QString& folder) {
    QCoreApplication* app = QCoreApplication::instance();
    auto* catalogue = new QTranslator(app);
    if (!catalogue->load(QStringLiteral("qtbase_ja"), folder)) {
        delete catalogue;
        return false;
    }
    // The translator installed last is asked first: the catalogue, then the gaps.
    QCoreApplication::installTranslator(new CatalogueGaps(app));
    QCoreApplication::installTranslator(catalogue);
    return true;
}

}  // namespace platform
