#include "print_dialog.h"

#include <utility>

#include "installed_layout.h"
#include "module_loader.h"
#include "print_back_end.h"

namespace platform {
namespace {

PrintBackEndLoader* g_loader = nullptr;
bool g_tried = false;
PrintBackEnd* g_backEnd = nullptr;

// Loaded at its first use; a failed load is not tried again.
PrintBackEnd* Printing() {
    if (!g_tried) {
        g_tried = true;
        g_backEnd = g_loader ? g_loader->Load() : LoadPrintModule();
    }
    return g_backEnd;
}

class DesktopPrintDialog final : public PrintDialogPort {
  public:
    bool Ask(QWidget* parent, QPrinter& printer) override {
        PrintBackEnd* printing = Printing();
        return printing && printing->AskDesktop(parent, printer);
    }
};

PrintDialogPort* g_port = nullptr;

}  // namespace

PrintDialogPort& PrintDialogs() {
    static DesktopPrintDialog desktop;
    return g_port ? *g_port : desktop;
}

PrintDialogPort* SetPrintDialogPort(PrintDialogPort* port) { return std::exchange(g_port, port); }

bool PrintOnPrinter(QWidget* parent, const std::function<void(PrintCanvas&)>& print) {
    PrintBackEnd* printing = Printing();
    if (!printing) return false;
    printing->Print(parent, PrintDialogs(), print);
    return true;
}

PrintBackEndLoader* SetPrintBackEndLoader(PrintBackEndLoader* loader) {
    g_tried = false;
    g_backEnd = nullptr;
    return std::exchange(g_loader, loader);
}

PrintBackEnd* LoadPrintModule() {
    return LoadModuleObject<PrintBackEnd>(PrintModulePath(), "KolvanePrintBackEnd");
}

}  // namespace platform
