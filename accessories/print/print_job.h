// What the month, notebook and to-do prints share: the print dialog, the start of the
// document, the date stamp, the font and millimetres in dots.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "print_canvas.h"

class QWidget;

namespace accessories {

// The face every print uses (mapped to an installed Japanese font).
QString PrintFontFamily();
platform::CanvasFont PrintFont(int pointSize, bool bold = false, bool italic = false);

// mm at scale dots per mm, truncated to whole dots.
int MmToDots(double scale, double mm);

// Today as the prints stamp it, CP932: "2005/5/1 現在", or with era years "H17/5/1 現在"
// (the era's first letter).
std::string PrintDateStamp(bool wareki);

// Starts the document; when it cannot start, tells the user "印刷を開始できません。" and
// returns false.
bool StartPrint(platform::PrintCanvas& canvas);

// Asks the print dialog; when the user confirms, runs print on a canvas over the printer
// chosen. Nothing is printed when the dialog is cancelled; when the system's printing cannot be
// loaded, the user is told "印刷を開始できません。".
void RunPrintJob(QWidget* parent, const std::function<void(platform::PrintCanvas&)>& print);

}  // namespace accessories
