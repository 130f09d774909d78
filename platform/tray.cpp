#include "tray.h"

#include <QCoreApplication>
#include <QPointer>

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
                                 try {
                                     ReportMouse(TrayMouseCodeFor(reason));
                                 } catch (...) {
                                 }
                             });
        }
        icon_->setIcon(icon);
        icon_->setToolTip(tip);
        icon_->show();
    }

    void Hide() override {
        if (icon_) icon_->hide();
    }

  private:
    QPointer<QSystemTrayIcon> icon_;
};

TrayIconPort* g_port = nullptr;

}  // namespace

TrayIconPort& TrayIcon() {
    static QtTrayIcon desktop;
    return g_port != nullptr ? *g_port : desktop;
}

void SetTrayIconPort(TrayIconPort* port) { g_port = port; }

}  // namespace platform
