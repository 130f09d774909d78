#include "print_dialog.h"

#include <QPrintDialog>
#include <QPrinter>

namespace platform {
namespace {

class DesktopPrintDialog final : public PrintDialogPort {
  public:
    bool Ask(QWidget* parent, QPrinter& printer) override {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }
};

PrintDialogPort* g_port = nullptr;

}  // namespace

PrintDialogPort& PrintDialogs() {
    static DesktopPrintDialog desktop;
    return g_port ? *g_port : desktop;
}

void SetPrintDialogPort(PrintDialogPort* port) { g_port = port; }

}  // namespace platform
