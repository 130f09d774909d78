// Entry of Kolvane.
#include <QApplication>

#include "message_box.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kolvane"));
    platform::SetApplicationTitle(QStringLiteral("Kolvane"));
    return 0;
}
