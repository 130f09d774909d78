#include "desk_accessories.h"

void DeskAccessories::ExportMonthCsv(QWidget*) {}

void DeskAccessories::ExportMonthHtml(QWidget*) {}

void DeskAccessories::ExportPeriod(QWidget*) {}
