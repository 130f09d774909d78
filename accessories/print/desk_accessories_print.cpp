#include "desk_accessories.h"
#include "month_print.h"
#include "notebook_print.h"
#include "print_job.h"

using namespace foundation;
using namespace schedule;

namespace accessories {

void DeskAccessories::PrintMonth(QWidget* parent) {
    RunPrintJob(parent, [](platform::PrintCanvas& canvas) {
        PrintMonthDocument(canvas, BuildMonthPrint());
    });
}

void DeskAccessories::PrintNotebook(QWidget* parent) {
    RunPrintJob(parent, [](platform::PrintCanvas& canvas) {
        Tspr notebook(canvas);
        notebook.PrintMonthNotebook();
    });
}

}  // namespace accessories
