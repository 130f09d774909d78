// Printing on the system's printers (Qt's print support and the printing system's libraries),
// built as a module of its own (libkolvane_print.so, where the sound module is) and loaded at
// the first print: its libraries are not loaded at every start.
#pragma once

#include <functional>

class QPrinter;
class QWidget;

namespace platform {

class PrintCanvas;
class PrintDialogPort;

class PrintBackEnd {
  public:
    virtual ~PrintBackEnd() = default;
    // A printer at high resolution, set up through the dialog; when the user confirms, print
    // draws on a canvas over it.
    virtual void Print(QWidget* parent, PrintDialogPort& dialog,
                       const std::function<void(PrintCanvas&)>& print) = 0;
    // The desktop's print dialog; false when cancelled.
    virtual bool AskDesktop(QWidget* parent, QPrinter& printer) = 0;
};

}  // namespace platform

// The module's one entry; the back end lives as long as the program.
extern "C" platform::PrintBackEnd* KolvanePrintBackEnd();
