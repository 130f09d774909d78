#include "desk_accessories.h"

void DeskAccessories::PrintMonth(QWidget*) {}

void DeskAccessories::PrintNotebook(QWidget*) {}
