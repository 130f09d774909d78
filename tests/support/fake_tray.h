// A tray port that records what was shown and lets a test click the icon.
#pragma once

#include <QIcon>
#include <QString>

#include "scoped_port.h"
#include "tray.h"

class FakeTray : public platform::TrayIconPort {
  public:
    bool IsAvailable() const override { return available; }
    void Show(const QIcon& icon, const QString& tip) override {
        shown = true;
        ++showCount;
        this->icon = icon;
        this->tip = tip;
    }
    void Hide() override { shown = false; }

    // A mouse action on the icon, as a TrayMouseCode.
    void Click(int code) { ReportMouse(code); }

    bool available = true;
    bool shown = false;
    int showCount = 0;
    QIcon icon;
    QString tip;

  private:
    platform::ScopedPort<platform::TrayIconPort> inPlace_{platform::SetTrayIconPort, this};
};
