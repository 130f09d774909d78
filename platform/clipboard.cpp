#include "clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <utility>

#include "cp932.h"

namespace platform {
namespace {

class DesktopClipboard final : public ClipboardPort {
  public:
    bool HasText() const override {
        QClipboard* c = QGuiApplication::clipboard();
        if (!c) return false;
        // An owner that went away can leave no data at all behind.
        const QMimeData* data = c->mimeData();
        return data && data->hasText();
    }
    QString Text() const override {
        return HasText() ? QGuiApplication::clipboard()->text() : QString();
    }
    void SetText(const QString& text) override {
        if (QClipboard* c = QGuiApplication::clipboard()) c->setText(text);
    }
};

ClipboardPort* g_port = nullptr;

}  // namespace

ClipboardPort& Clipboard() {
    static DesktopClipboard desktop;
    return g_port ? *g_port : desktop;
}

ClipboardPort* SetClipboardPort(ClipboardPort* port) { return std::exchange(g_port, port); }

bool ClipboardHasText() { return Clipboard().HasText() && !Clipboard().Text().isEmpty(); }

std::string ClipboardTextCp932() { return ToCp932(LfToCrLf(CrLfToLf(Clipboard().Text()))); }

void SetClipboardTextCp932(const std::string& text) {
    Clipboard().SetText(FromCp932(CrLfToLf(std::string_view(text))));
}

}  // namespace platform
