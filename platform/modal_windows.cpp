#include "modal_windows.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace platform {
namespace {

constexpr char kClosedForExit[] = "closedForExit";

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
        w->setProperty(kClosedForExit, true);
        if (auto* dialog = qobject_cast<QDialog*>(w)) {
            dialog->reject();
        } else {
            w->close();
        }
    }
};

// Qt lets a window through a modal one while it is that window's transient child.
class ModalPassage final : public QObject {
  public:
    ModalPassage(QWidget* window, bool always) : QObject(window), window_(window), always_(always) {
        setObjectName(Name(always));
        if (always) window->installEventFilter(this);
    }
    ~ModalPassage() override {
        if (modal_) modal_->removeEventFilter(this);
    }

    static QString Name(bool always) {
        return always ? QStringLiteral("usableAboveModals") : QStringLiteral("usableAboveModal");
    }

    void Through(QWidget* modal) {
        if (!modal || modal == window_ || modal == modal_) return;
        QWindow* own = window_->windowHandle();
        QWindow* other = modal->windowHandle();
        if (!own || !other) return;
        if (modal_) modal_->removeEventFilter(this);
        modal_ = modal;
        modal->installEventFilter(this);
        own->setTransientParent(other);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::WindowBlocked) {
            Through(QApplication::activeModalWidget());
        } else if (watched == modal_ && event->type() == QEvent::Hide) {
            LetGo();
        }
        return false;
    }

  private:
    void LetGo() {
        QWidget* modal = modal_;
        modal_ = nullptr;
        if (modal) modal->removeEventFilter(this);
        // A modal window below blocks it again; one that keeps it usable passes it on to that.
        if (QWindow* own = window_->windowHandle()) own->setTransientParent(nullptr);
        if (always_) return;
        setObjectName(QString());  // spent: a later call makes a new one
        deleteLater();
    }

    QWidget* window_;
    QPointer<QWidget> modal_;
    bool always_;
};

ModalPassage* PassageOf(QWidget* window, bool always) {
    auto* passage =
        window->findChild<ModalPassage*>(ModalPassage::Name(always), Qt::FindDirectChildrenOnly);
    return passage ? passage : new ModalPassage(window, always);
}

}  // namespace

ModalWindows& ApplicationModals() {
    static QtModalWindows modals;
    return modals;
}

bool ClosedForExit(const QWidget* window) {
    return window && window->property(kClosedForExit).toBool();
}

void KeepUsableAboveModals(QWidget* window) {
    if (!window) return;
    ModalPassage* passage = PassageOf(window, true);
    if (window->windowHandle() && window->windowHandle()->isVisible())
        passage->Through(QApplication::activeModalWidget());
}

void UsableAboveRunningModal(QWidget* window) {
    QWidget* modal = QApplication::activeModalWidget();
    if (!window || !modal || modal == window) return;
    PassageOf(window, false)->Through(modal);
}

}  // namespace platform
