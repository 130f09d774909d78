// Printing of the to-do list: asks for the printer and prints the rows as the list shows them.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "print_canvas.h"
#include "todo_list.h"

class QWidget;

namespace accessories {

// rows: in the list's order (only the alert's rows in alert mode); columnWidths: the seven
// list columns in screen pixels. Row images come from ToDoIcon (todo_icons.h).
void PrintToDo(QWidget* parent, const std::vector<ToDoRow>& rows,
               const std::array<int, kToDoColumns>& columnWidths);

// Left edges x0 to x6 of the seven columns on paper: the list's widths in proportion over
// usable dots from left. Widths that add up to nothing (or less) fall back to the first ones.
std::array<int, kToDoColumns> ToDoPrintColumns(int left, int usable,
                                               const std::array<int, kToDoColumns>& widths);

// The totals line, CP932: "全ToDo数=3件.   未完了ToDo数=2件.".
std::string ToDoPrintTotals(size_t rows, int notDone);

// Prints one document with the stamp (CP932); false when it could not start (the user has
// been told).
bool PrintToDoDocument(platform::PrintCanvas& canvas, const std::string& stamp,
                       const std::vector<ToDoRow>& rows,
                       const std::array<int, kToDoColumns>& columnWidths);

}  // namespace accessories
