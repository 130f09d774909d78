// Entry of tavikg, the read-only viewer of another user's month.
#include <QApplication>

#include "message_box.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tavikg"));
    platform::SetApplicationTitle(QStringLiteral("tavikg"));
    return 0;
}
