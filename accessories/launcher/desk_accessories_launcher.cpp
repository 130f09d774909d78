#include "desk_accessories.h"

void DeskAccessories::OpenLauncher(QWidget*, QPoint) {}
