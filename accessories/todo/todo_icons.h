// The 20 row images of the to-do list (16 x 16), one per pair of importance and status:
// index = importance code + 5 x status code.
#pragma once

#include <QIcon>

namespace accessories {

QIcon ToDoIcon(int index);

}  // namespace accessories
