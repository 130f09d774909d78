#include "desk_accessories.h"

void DeskAccessories::ShowSettingsDialog() {}

AccessoryWindows::OptionsResult DeskAccessories::OpenOptions(QWidget*, QPoint, const QPixmap&) {
    return {};
}

bool DeskAccessories::OptionsOpen() const { return false; }
