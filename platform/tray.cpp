#include "tray.h"

#include <QApplication>
#include <QCursor>
#include <QPointer>
#include <QWidget>
#include <utility>

#include "modal_windows.h"

namespace platform {

int TrayMouseCodeFor(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            return kTrayClick;
        case QSystemTrayIcon::DoubleClick:
            return kTrayDoubleClick;
        case QSystemTrayIcon::Context:
            return kTrayContext;
        default:
            return 0;
    }
}

namespace {

class QtTrayIcon : public TrayIconPort {
  public:
    bool IsAvailable() const override { return QSystemTrayIcon::isSystemTrayAvailable(); }

    void Show(const QIcon& icon, const QString& tip) override {
        if (!icon_) {
            // Owned by the application so that it goes before the application does; the pointer
            // notices when that has happened.
            icon_ = new QSystemTrayIcon(QCoreApplication::instance());
            QObject::connect(icon_, &QSystemTrayIcon::activated, icon_,
                             [this](QSystemTrayIcon::ActivationReason reason) {
                                 // The icon or the desktop's tray shows the menu itself;
                                 // a tray that only reports the click gets it at the pointer.
                                 if (reason == QSystemTrayIcon::Context && Menu()) {
                                     if (!Menu()->isVisible()) Menu()->popup(QCursor::pos());
                                     return;
                                 }
                                 try {
                                     ReportMouse(TrayMouseCodeFor(reason));
                                 } catch (...) {
                                 }
                             });
        }
        if (icon_->contextMenu() != Menu()) icon_->setContextMenu(Menu());
        icon_->setIcon(icon);
        icon_->setToolTip(tip);
        icon_->show();
        KeepIconUsableAboveModals();
    }

    void Hide() override {
        if (icon_) icon_->hide();
    }

    void SetMenu(QMenu* menu) override {
        TrayIconPort::SetMenu(menu);
        if (icon_) icon_->setContextMenu(menu);
    }

  private:
    // Where the tray embeds a window of ours (XEmbed), the open month view or any other modal
    // window would block that window, and the icon's menu could not open; a shell's icon keeps
    // working under the program's modal windows. Qt makes that window anew at each showing.
    static void KeepIconUsableAboveModals() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String("QSystemTrayIconSys")) KeepUsableAboveModals(w);
        }
    }

    QPointer<QSystemTrayIcon> icon_;
};

TrayIconPort* g_port = nullptr;

}  // namespace

TrayIconPort& TrayIcon() {
    static QtTrayIcon desktop;
    return g_port != nullptr ? *g_port : desktop;
}

TrayIconPort* SetTrayIconPort(TrayIconPort* port) { return std::exchange(g_port, port); }

}  // namespace platform
