// The print module (not part of the platform library): QPrinter and its dialog behind
// PrintBackEnd.
#include <QPrintDialog>
#include <QPrinter>

#include "painter_print_canvas.h"
#include "print_back_end.h"
#include "print_dialog.h"

namespace {

class QtPrintBackEnd : public platform::PrintBackEnd {
  public:
    void Print(QWidget* parent, platform::PrintDialogPort& dialog,
               const std::function<void(platform::PrintCanvas&)>& print) override {
        QPrinter printer(QPrinter::HighResolution);
        if (!dialog.Ask(parent, printer)) return;
        platform::PainterPrintCanvas canvas(&printer);
        print(canvas);
    }

    bool AskDesktop(QWidget* parent, QPrinter& printer) override {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }
};

}  // namespace

extern "C" __attribute__((visibility("default"))) platform::PrintBackEnd* KolvanePrintBackEnd() {
    static QtPrintBackEnd backEnd;
    return &backEnd;
}
