#include "desk_accessories.h"

void DeskAccessories::OpenToDoList() {}

void DeskAccessories::ShowToDoAlert() {}

void DeskAccessories::ShowToDoListAtStart() {}

bool DeskAccessories::SaveToDoList() { return true; }
