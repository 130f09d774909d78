// The notification-area icon behind a port. Mouse actions arrive as the codes the main window's
// tray handler dispatches on: single click, double click and the context click.
#pragma once

#include <QIcon>
#include <QMenu>
#include <QPointer>
#include <QString>
#include <QSystemTrayIcon>
#include <functional>

namespace platform {

enum TrayMouseCode : int {
    kTrayClick = 0x201,
    kTrayDoubleClick = 0x203,
    kTrayContext = 0x204,
};

// 0 for the actions nobody handles (middle click, unknown).
int TrayMouseCodeFor(QSystemTrayIcon::ActivationReason reason);

class TrayIconPort {
  public:
    virtual ~TrayIconPort() = default;
    // Whether the desktop has a notification area now. Without one, callers keep their windows
    // reachable instead of hiding them into the tray.
    virtual bool IsAvailable() const = 0;
    // Shows the icon, or updates icon and tip when it is already shown.
    virtual void Show(const QIcon& icon, const QString& tip) = 0;
    virtual void Hide() = 0;
    // The icon's own menu: the icon opens it at a context click, and trays over D-Bus take it
    // from the icon, as they can open no window of ours. The context click is then no longer
    // passed on to the mouse handler.
    virtual void SetMenu(QMenu* menu) { menu_ = menu; }
    QMenu* Menu() const { return menu_; }

    // Receives one TrayMouseCode per action; codes of 0 are never passed on.
    void SetMouseHandler(std::function<void(int code)> handler) { handler_ = std::move(handler); }

  protected:
    void ReportMouse(int code) {
        if (code == 0 || !handler_) return;
        auto handler = handler_;  // the handler may replace itself
        handler(code);
    }

  private:
    std::function<void(int)> handler_;
    QPointer<QMenu> menu_;
};

TrayIconPort& TrayIcon();
// Returns the port it replaces; nullptr restores the desktop's tray icon.
TrayIconPort* SetTrayIconPort(TrayIconPort* port);

}  // namespace platform
