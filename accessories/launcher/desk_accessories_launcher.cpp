#include "desk_accessories.h"
#include "launcher_window.h"
#include "open_windows.h"

using namespace foundation;
using namespace schedule;

namespace accessories {

void DeskAccessories::OpenLauncher(QWidget* parent, QPoint topLeft) {
    if (frRun) {
        frRun->activateWindow();
        frRun->raise();
        return;
    }
    TfrRun launcher(parent);
    frRun = &launcher;
    launcher.move(topLeft);
    OpenWindowScope open(WindowKind::Launcher, &launcher);
    launcher.exec();
    frRun = nullptr;
}

}  // namespace accessories
