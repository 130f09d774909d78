#include "desk_accessories.h"
#include "open_windows.h"
#include "options_hub.h"
#include "settings_dialog.h"

using namespace foundation;
using namespace schedule;

namespace accessories {

void DeskAccessories::ShowSettingsDialog() { RunSettingsDialog(); }

AccessoryWindows::OptionsResult DeskAccessories::OpenOptions(QWidget* parent, QPoint topLeft,
                                                             const QPixmap& launcherPicture) {
    if (frOp) {
        frOp->activateWindow();
        frOp->raise();
        return {};
    }
    OptionsResult result;
    {
        TfrOp hub(parent);
        frOp = &hub;
        hub.MainHandle = parent;
        hub.pic1 = launcherPicture;
        hub.move(topLeft);
        OpenWindowScope open(WindowKind::OptionsHub, &hub);
        hub.exec();
        result.settingsChanged = hub.SettingsChanged == 1;
        result.icon = hub.pic2;
        result.picture = hub.pic1;
        result.listsChanged = hub.ListsChanged;
        frOp = nullptr;
    }
    return result;
}

bool DeskAccessories::OptionsOpen() const { return frOp != nullptr; }

}  // namespace accessories
