// The desktop's print dialog behind a port, so that tests choose the printer, and printing on
// a printer chosen there.
#pragma once

#include <functional>

class QPrinter;
class QWidget;

namespace platform {

class PrintCanvas;

class PrintDialogPort {
  public:
    virtual ~PrintDialogPort() = default;
    // Lets the user choose the printer and its options; false when cancelled.
    virtual bool Ask(QWidget* parent, QPrinter& printer) = 0;
};

PrintDialogPort& PrintDialogs();
// Returns the port it replaces; nullptr restores the desktop's dialog.
PrintDialogPort* SetPrintDialogPort(PrintDialogPort* port);

// Asks PrintDialogs() for a printer; when the user confirms, print draws on a canvas over it.
// False when the system's printing cannot be loaded: nothing was asked then.
bool PrintOnPrinter(QWidget* parent, const std::function<void(PrintCanvas&)>& print);

class PrintBackEnd;

// The system's printing is loaded at the first print, once; until then no print library is in
// the process.
class PrintBackEndLoader {
  public:
    virtual ~PrintBackEndLoader() = default;
    // The printing, or nullptr when it cannot be loaded.
    virtual PrintBackEnd* Load() = 0;
};
// Returns the loader it replaces; nullptr restores the program's own module. The next print
// loads the printing anew.
PrintBackEndLoader* SetPrintBackEndLoader(PrintBackEndLoader* loader);
// The module (PrintModulePath), or nullptr when it is missing or broken.
PrintBackEnd* LoadPrintModule();

}  // namespace platform
