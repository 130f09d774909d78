// The yardstick of the start-up measurement: a bare Qt window of a given size and title.
// Usage: bare_window TITLE WIDTH HEIGHT
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QString::fromUtf8(argc > 1 ? argv[1] : "bare"));
    window.resize(argc > 3 ? std::atoi(argv[2]) : 200, argc > 3 ? std::atoi(argv[3]) : 200);
    window.show();
    return app.exec();
}
