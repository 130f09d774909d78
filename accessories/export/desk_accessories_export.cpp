#include "desk_accessories.h"
#include "export_file.h"
#include "period_export_dialog.h"

using namespace schedule;

namespace accessories {

void DeskAccessories::ExportMonthCsv(QWidget* parent) {
    RunMonthExport(parent, MonthExportKind::Csv);
}

void DeskAccessories::ExportMonthHtml(QWidget* parent) {
    RunMonthExport(parent, MonthExportKind::Html);
}

void DeskAccessories::ExportPeriod(QWidget* parent) { ShowPeriodExport(parent); }

}  // namespace accessories
