// Shows the search window modally. It may move CurYear/CurMonth/CurDay and MonthDays; the
// caller keeps and restores them.
#pragma once

#include <QPixmap>

class QWidget;

namespace schedule {

void RunSearchWindow(QWidget* parent, const QPixmap& picture);

}  // namespace schedule
