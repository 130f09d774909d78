#include "search_runner.h"

#include "search_window.h"

using namespace foundation;

namespace schedule {

void RunSearchWindow(QWidget* parent, const QPixmap& picture) {
    TfrKensaku window(parent);
    window.pic1->setPixmap(picture);
    window.exec();
}

}  // namespace schedule
