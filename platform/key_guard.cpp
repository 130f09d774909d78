#include "key_guard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>
#include <map>

namespace platform {
namespace {

class KeyGuard : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress &&
            type != QEvent::KeyRelease)
            return false;
        // Widgets only: the window-system window that first receives a key may be another
        // than the widget it goes to (a popup menu).
        auto* widget = qobject_cast<QWidget*>(receiver);
        if (!widget) return false;
        const auto* key = static_cast<const QKeyEvent*>(event);
        // The key on the keyboard: Shift changes the key code between press and release.
        const quint64 id = key->nativeScanCode() != 0
                               ? key->nativeScanCode()
                               : (quint64{1} << 32) | static_cast<quint32>(key->key());
        QWidget* window = widget->window();
        if (type != QEvent::KeyRelease && !key->isAutoRepeat()) {
            pressedIn_[id] = window;
            return type == QEvent::KeyPress && TypesAltCharacter(widget, *key);
        }
        const auto it = pressedIn_.find(id);
        // A key pressed before the program had the keyboard is left alone.
        if (it == pressedIn_.end()) return false;
        // Elsewhere: the window of the press has gone, or another window than a popup of it
        // (a completion list, a menu) has the keyboard.
        const QWidget* pressed = it->second;
        const bool elsewhere = pressed != window && (!pressed || !pressed->isVisible() ||
                                                     window->windowType() != Qt::Popup);
        if (type == QEvent::KeyRelease && !key->isAutoRepeat()) pressedIn_.erase(it);
        // Taken by the widget, so that no shortcut of this window runs either.
        if (elsewhere && type == QEvent::ShortcutOverride) event->accept();
        return elsewhere || (type == QEvent::KeyPress && TypesAltCharacter(widget, *key));
    }

  private:
    static bool TypesAltCharacter(const QWidget* widget, const QKeyEvent& key) {
        const Qt::KeyboardModifiers m = key.modifiers();
        return (m & Qt::AltModifier) && !(m & Qt::ControlModifier) && !key.text().isEmpty() &&
               key.text().front().isPrint() && widget->testAttribute(Qt::WA_InputMethodEnabled);
    }

    std::map<quint64, QPointer<QWidget>> pressedIn_;
};

}  // namespace

void InstallKeyGuard() {
    static KeyGuard* guard = nullptr;
    if (guard || !qApp) return;
    guard = new KeyGuard(qApp);
    qApp->installEventFilter(guard);
}

}  // namespace platform
