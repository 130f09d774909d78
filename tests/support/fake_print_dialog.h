// Answers the print dialog: cancelled, or confirmed after setting up the printer (for example
// a PDF file at a given resolution).
#pragma once

#include <QPrinter>
#include <functional>

#include "print_dialog.h"
#include "scoped_port.h"

class FakePrintDialog : public platform::PrintDialogPort {
  public:
    bool confirms = true;
    std::function<void(QPrinter&)> setUp;
    int asked = 0;

    bool Ask(QWidget*, QPrinter& printer) override {
        ++asked;
        if (setUp) setUp(printer);
        return confirms;
    }

    // A PDF file of A4 pages without margins at dpi.
    static std::function<void(QPrinter&)> Pdf(const QString& path, int dpi) {
        return [path, dpi](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            printer.setResolution(dpi);
            printer.setPageSize(QPageSize(QPageSize::A4));
            printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
            printer.setFullPage(false);
        };
    }

  private:
    platform::ScopedPort<platform::PrintDialogPort> inPlace_{platform::SetPrintDialogPort, this};
};
