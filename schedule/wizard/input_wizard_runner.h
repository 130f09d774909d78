// Shows the schedule input wizard modally, starting from CurYear/CurMonth/CurDay. tag picks
// the first page: 3 the program page, 4 the notice page, anything else the first page. The
// wizard writes the month files itself; the caller stores and saves before and reloads after.
#pragma once

class QWidget;

namespace schedule {

void RunInputWizard(QWidget* parent, int tag);

}  // namespace schedule
