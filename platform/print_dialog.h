// The desktop's print dialog behind a port, so that tests choose the printer.
#pragma once

class QPrinter;
class QWidget;

namespace platform {

class PrintDialogPort {
  public:
    virtual ~PrintDialogPort() = default;
    // Lets the user choose the printer and its options; false when cancelled.
    virtual bool Ask(QWidget* parent, QPrinter& printer) = 0;
};

PrintDialogPort& PrintDialogs();
// nullptr restores the desktop's dialog.
void SetPrintDialogPort(PrintDialogPort* port);

}  // namespace platform
