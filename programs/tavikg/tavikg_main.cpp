// Entry of tavikg, the read-only viewer of another user's month.
#include <QApplication>
#include <QFile>

#include "desktop_session.h"
#include "fonts.h"
#include "message_box.h"
#include "program_icon.h"
#include "translations.h"
#include "unreadable_files.h"
#include "viewer_window.h"
#include "window_frame.h"

int main(int argc, char** argv) {
    platform::FontConfigWarmUp fontConfig;
    // Taken before Qt sees them: Qt would swallow arguments of its own ("-style", "-display").
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        if (i == 2)
            args << QFile::decodeName(argv[i]);
        else
            args << QString::fromLocal8Bit(argv[i]);
    }
    // The viewer places its own window: in a Wayland session it runs through Xwayland.
    platform::ChoosePlatformBeforeApplication();
    QApplication app(argc, argv);
    platform::RestorePlatformChoice();
    platform::KeepDialogsOnScreen();
    QApplication::setApplicationName(QStringLiteral("tavikg"));
    QApplication::setWindowIcon(platform::OwnIcon());
    platform::SetApplicationTitle(QString::fromUtf8("予定参照"));
    platform::InstallQtJapanese();
    platform::InstallFontSubstitutes();
    // Another user's files are only read here: nothing is saved over them.
    foundation::store::TellUnreadableFiles(false);

    fontConfig.Wait();
    viewer::TfrTuki window(args);
    // The month is read and fitted before the first showing, so the window opens centred at
    // its final size.
    if (!window.FormActivate()) return 0;
    window.show();
    return app.exec();
}
