#include "modal_windows.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

namespace platform {
namespace {

class QtModalWindows final : public ModalWindows {
public:
    bool AnyOpen() const override { return QApplication::activeModalWidget() != nullptr; }

    void BringForward() override {
        if (QWidget* w = QApplication::activeModalWidget()) {
            w->raise();
            w->activateWindow();
        }
    }

    void CloseTop() override {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) return;
        if (auto* dialog = qobject_cast<QDialog*>(w)) {
            dialog->reject();
        } else {
            w->close();
        }
    }
};

}  // namespace

ModalWindows& ApplicationModals() {
    static QtModalWindows modals;
    return modals;
}

}  // namespace platform
