// Entry of tavikg, the read-only viewer of another user's month.
#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "fonts.h"
#include "message_box.h"
#include "viewer_window.h"

int main(int argc, char** argv) {
    // Taken before Qt sees them: Qt would swallow arguments of its own ("-style", "-display").
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        if (i == 2)
            args << QFile::decodeName(argv[i]);
        else
            args << QString::fromLocal8Bit(argv[i]);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tavikg"));
    platform::SetApplicationTitle(QString::fromUtf8("予定参照"));
    platform::InstallFontSubstitutes();

    TfrTuki window(args);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        QRect frame(0, 0, window.width(), std::min(window.height(), area.height()));
        frame.moveCenter(area.center());
        window.move(frame.left(), std::max(area.top(), frame.top()));
    }
    window.show();
    QTimer::singleShot(0, &window, [&window] { window.FormActivate(); });
    return app.exec();
}
