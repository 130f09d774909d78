// Printing of the to-do list: asks for the printer and prints the rows as the list shows them.
#pragma once

#include <array>
#include <vector>

#include "todo_list.h"

class QWidget;

// rows: in the list's order (only the alert's rows in alert mode); columnWidths: the seven
// list columns in screen pixels. Row images come from ToDoIcon (todo_icons.h).
void PrintToDo(QWidget* parent, const std::vector<ToDoRow>& rows,
               const std::array<int, kToDoColumns>& columnWidths);
