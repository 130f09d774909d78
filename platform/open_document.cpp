#include "open_document.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace platform {
namespace {

// "scheme:" with a scheme of two or more letters; a one-letter scheme is no URL here.
bool LooksLikeUrl(const QString& target) {
    const int colon = target.indexOf(QLatin1Char(':'));
    if (colon < 2) return false;
    for (int i = 0; i < colon; ++i) {
        const QChar c = target.at(i);
        if (!(c.isLetterOrNumber() || c == QLatin1Char('+') || c == QLatin1Char('-') ||
              c == QLatin1Char('.')))
            return false;
    }
    return target.at(0).isLetter();
}

class DesktopDocuments final : public DocumentPort {
  public:
    bool Open(const QString& target) override {
        if (target.trimmed().isEmpty()) return false;
        if (!target.startsWith(QLatin1Char('/')) && LooksLikeUrl(target))
            return QDesktopServices::openUrl(QUrl(target));
        return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath()));
    }
};

DocumentPort* g_port = nullptr;

}  // namespace

DocumentPort& Documents() {
    static DesktopDocuments desktop;
    return g_port ? *g_port : desktop;
}

void SetDocumentPort(DocumentPort* port) { g_port = port; }

bool OpenDocument(const QString& target) { return Documents().Open(target); }

}  // namespace platform
