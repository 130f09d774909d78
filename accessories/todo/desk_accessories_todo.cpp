#include "desk_accessories.h"
#include "todo_window.h"

using namespace foundation;
using namespace schedule;

namespace accessories {

void DeskAccessories::OpenToDoList() { OpenToDoWindow(); }

void DeskAccessories::ShowToDoAlert() { ShowToDoAlertWindow(); }

void DeskAccessories::ShowToDoListAtStart() {
    if (!frToDo) OpenToDoWindow();
}

bool DeskAccessories::SaveToDoList() { return SaveOpenToDoWindow(); }

}  // namespace accessories
