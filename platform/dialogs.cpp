#include "dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <utility>

#include "title_bar.h"

namespace platform {
namespace {

class DesktopDialogs final : public DialogPort {
  public:
    std::optional<QString> OpenFileName(QWidget* parent, const QString& caption,
                                        const QString& start, const QString& filter) override {
        const QString name = QFileDialog::getOpenFileName(parent, caption, start, filter);
        if (name.isEmpty()) return std::nullopt;
        return name;
    }
    std::optional<QString> SaveFileName(QWidget* parent, const QString& caption,
                                        const QString& start, const QString& filter,
                                        bool confirmOverwrite) override {
        const QFileDialog::Options options =
            confirmOverwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite;
        const QString name =
            QFileDialog::getSaveFileName(parent, caption, start, filter, nullptr, options);
        if (name.isEmpty()) return std::nullopt;
        return name;
    }
    std::optional<QString> FolderName(QWidget* parent, const QString& caption,
                                      const QString& start) override {
        const QString name = QFileDialog::getExistingDirectory(parent, caption, start);
        if (name.isEmpty()) return std::nullopt;
        return name;
    }
    std::optional<QColor> Color(QWidget* parent, const QColor& initial,
                                const std::vector<QColor>& custom) override {
        // The custom colours are shared by every colour dialog: the others get theirs back.
        std::vector<QColor> kept;
        if (!custom.empty()) {
            for (int i = 0; i < QColorDialog::customCount(); ++i) {
                kept.push_back(QColorDialog::customColor(i));
                const auto at = static_cast<size_t>(i);
                QColorDialog::setCustomColor(i,
                                             at < custom.size() ? custom[at] : QColor(Qt::white));
            }
        }
        QColorDialog dialog(parent);
        dialog.setCurrentColor(initial);
        // A picker of one size with close alone, as the system's own; under openbox not the
        // minimise and maximise of an ordinary window.
        dialog.adjustSize();
        SetTitleBar(&dialog, TitleBar::CloseOnly, true);
        dialog.exec();
        const QColor c = dialog.selectedColor();
        for (size_t i = 0; i < kept.size(); ++i)
            QColorDialog::setCustomColor(static_cast<int>(i), kept[i]);
        if (!c.isValid()) return std::nullopt;
        return c;
    }
    std::optional<QFont> Font(QWidget* parent, const QFont& initial) override {
        bool ok = false;
        const QFont f = QFontDialog::getFont(&ok, initial, parent);
        if (!ok) return std::nullopt;
        return f;
    }
    std::optional<QString> Text(QWidget* parent, const QString& caption, const QString& prompt,
                                const QString& initial) override {
        bool ok = false;
        const QString t =
            QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, initial, &ok);
        if (!ok) return std::nullopt;
        return t;
    }
};

DialogPort* g_port = nullptr;

}  // namespace

DialogPort& Dialogs() {
    static DesktopDialogs desktop;
    return g_port ? *g_port : desktop;
}

DialogPort* SetDialogPort(DialogPort* port) { return std::exchange(g_port, port); }

}  // namespace platform
