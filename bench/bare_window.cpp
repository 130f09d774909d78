// The yardsticks of the start-up measurement: a bare Qt window of a given size and title, and
// the same window showing one line of text in the program's font. The second is the least any
// window that shows Japanese text pays: the font configuration read and one font loaded.
// Usage: bare_window TITLE WIDTH HEIGHT [TEXT]
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "fonts.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QString::fromUtf8(argc > 1 ? argv[1] : "bare"));
    window.resize(argc > 3 ? std::atoi(argv[2]) : 200, argc > 3 ? std::atoi(argv[3]) : 200);
    if (argc > 4) {
        auto* line = new QLabel(QString::fromUtf8(argv[4]), &window);
        QFont font(platform::InstalledFamily(QStringLiteral("ＭＳ Ｐゴシック")));
        font.setPixelSize(12);
        line->setFont(font);
        line->move(4, 4);
    }
    window.show();
    return app.exec();
}
