#include "paste_guard.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "clipboard.h"

namespace platform {
namespace {

// Set on the menu items this filter disabled, so that it enables them again (and no others).
constexpr char kDisabledByGuard[] = "kolvanePasteDisabled";

// The text box an event is meant for: the box itself (keys) or its viewport (mouse).
QWidget* TextBoxOf(QObject* target) {
    auto* widget = qobject_cast<QWidget*>(target);
    if (!widget) return nullptr;
    for (QWidget* w : {widget, widget->parentWidget()}) {
        if (!w) continue;
        if (auto* e = qobject_cast<QPlainTextEdit*>(w)) return e->isReadOnly() ? nullptr : e;
        if (auto* e = qobject_cast<QTextEdit*>(w)) return e->isReadOnly() ? nullptr : e;
        if (auto* e = qobject_cast<QLineEdit*>(w); e && w == widget)
            return e->isReadOnly() ? nullptr : e;
    }
    return nullptr;
}

bool IsPasteKey(const QKeyEvent* key) {
    return key->matches(QKeySequence::Paste) ||
           (key->key() == Qt::Key_Insert &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier);
}

bool SelectionHasText() {
    QClipboard* c = QGuiApplication::clipboard();
    if (!c || !c->supportsSelection()) return false;
    const QMimeData* data = c->mimeData(QClipboard::Selection);
    return data && data->hasText() && !data->text().isEmpty();
}

void UpdatePasteItems(QMenu* menu) {
    const bool canPaste = ClipboardHasText();
    for (QAction* action : menu->actions()) {
        if (!IsPasteAction(action)) continue;
        if (!canPaste) {
            if (action->isEnabled()) {
                action->setEnabled(false);
                action->setProperty(kDisabledByGuard, true);
            }
        } else if (action->property(kDisabledByGuard).toBool()) {
            action->setEnabled(true);
            action->setProperty(kDisabledByGuard, QVariant());
        }
    }
}

class PasteGuard final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress: {
                auto* key = static_cast<QKeyEvent*>(event);
                if (IsPasteKey(key) && TextBoxOf(target) && !ClipboardHasText()) return true;
                break;
            }
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick: {
                // X11 pastes the selection with the middle button.
                auto* mouse = static_cast<QMouseEvent*>(event);
                if (mouse->button() == Qt::MiddleButton && TextBoxOf(target) && !SelectionHasText())
                    return true;
                break;
            }
            case QEvent::Shortcut: {
                auto* action = qobject_cast<QAction*>(target);
                if (action && IsPasteAction(action) && !ClipboardHasText()) return true;
                break;
            }
            case QEvent::Show:
                if (auto* menu = qobject_cast<QMenu*>(target)) UpdatePasteItems(menu);
                break;
            default:
                break;
        }
        return false;
    }
};

}  // namespace

bool IsPasteAction(const QAction* action) {
    if (!action || action->isSeparator() || action->menu()) return false;
    if (action->objectName() == QLatin1String("edit-paste")) return true;
    for (const QKeySequence& key : action->shortcuts())
        if (QKeySequence::keyBindings(QKeySequence::Paste).contains(key)) return true;
    return action->text().startsWith(QString::fromUtf8("貼り付け"));
}

void InstallPasteGuard() {
    static PasteGuard* guard = nullptr;
    if (guard || !qApp) return;
    guard = new PasteGuard(qApp);
    qApp->installEventFilter(guard);
}

}  // namespace platform
