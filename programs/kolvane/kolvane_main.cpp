// Entry of Kolvane.
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <csignal>

#include "day_window.h"
#include "desk_accessories.h"
#include "desktop_session.h"
#include "exit_gate.h"
#include "fonts.h"
#include "installed_layout.h"
#include "key_guard.h"
#include "main_window.h"
#include "message_box.h"
#include "paste_guard.h"
#include "paths.h"
#include "png_file.h"
#include "program_icon.h"
#include "single_instance.h"
#include "start_notice.h"
#include "startup.h"
#include "translations.h"
#include "tray.h"
#include "window_flags.h"
#include "window_frame.h"

namespace {

int g_signalPipe[2] = {-1, -1};

// The font thread uses the application object: it ends before that goes.
class FinishBefore {
  public:
    explicit FinishBefore(platform::FontConfigWarmUp& fonts) : fonts_(fonts) {}
    ~FinishBefore() { fonts_.Finish(); }
    FinishBefore(const FinishBefore&) = delete;
    FinishBefore& operator=(const FinishBefore&) = delete;

  private:
    platform::FontConfigWarmUp& fonts_;
};

void OnTerminate(int) {
    const char c = 1;
    // Only async-signal-safe work here; the event loop does the rest.
    [[maybe_unused]] ssize_t n = ::write(g_signalPipe[1], &c, 1);
}

void InstallTerminateHandler(const std::function<void()>& onTerminate) {
    if (::pipe(g_signalPipe) != 0) return;
    ::fcntl(g_signalPipe[0], F_SETFD, FD_CLOEXEC);
    ::fcntl(g_signalPipe[1], F_SETFD, FD_CLOEXEC);
    ::fcntl(g_signalPipe[1], F_SETFL, O_NONBLOCK);
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, qApp);
    // Every signal asks again: a second one closes the exit notice the first one showed.
    ::fcntl(g_signalPipe[0], F_SETFL, O_NONBLOCK);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [onTerminate] {
        char buffer[16];
        while (::read(g_signalPipe[0], buffer, sizeof buffer) > 0) {
        }
        onTerminate();
    });
    struct sigaction sa = {};
    sa.sa_handler = OnTerminate;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    // A closed terminal (SIGHUP) or Ctrl+C there ends the program as a logout does, never
    // with the day's text unsaved.
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(signal, &sa, nullptr);
}

// A start that does not run: it hands over to the running copy, or says why it ends.
int SecondStart(platform::SingleInstance& instance) {
    if (!instance.Refusal().isEmpty()) {
        platform::MessageDlg(instance.Refusal(), platform::MsgKind::Error, {platform::kBtnOk});
        return 1;
    }
    const QString there = instance.PrimaryDisplay();
    if (!there.isEmpty() && there != platform::SingleInstance::OwnDisplay()) {
        platform::ShowMessage(
            QStringLiteral("既にKolvaneはディスプレイ %1 で勤務中です。(二重に起動できません)\r\n"
                           "データフォルダ[%2]を使うKolvaneは一つだけです。"
                           "そちらのKolvaneを終了してから起動してください。")
                .arg(there, platform::DiskPath(platform::DataHomeDir())));
        return 0;
    }
    if (instance.FindPrimary(2000)) {
        platform::ShowMessage(
            QStringLiteral("既にKolvaneは勤務中です。(二重に起動できません)\r\n"
                           "現在、勤務中のKolvaneをアクティブにします。"));
        instance.NotifyPrimary(2000);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    platform::FontConfigWarmUp fontConfig;
    // The program places its own windows: in a Wayland session it runs through Xwayland.
    platform::ChoosePlatformBeforeApplication();
    QApplication app(argc, argv);
    FinishBefore fontThreadEnds(fontConfig);
    platform::RestorePlatformChoice();
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("Kolvane"));
    // The windows, the tray and the desktop's task list show the program's own icon.
    QGuiApplication::setDesktopFileName(platform::DesktopId());
    QApplication::setWindowIcon(platform::OwnIcon());
    platform::CacheStylePictures();
    platform::SetApplicationTitle(QStringLiteral("Kolvane"));
    platform::InstallQtJapanese();
    platform::InstallFontSubstitutes();
    platform::InstallPasteGuard();
    platform::InstallKeyGuard();

    platform::SingleInstance instance(QStringLiteral("Kolvane32"),
                                      platform::DiskPath(platform::DataHomeDir()));
    if (!instance.TryBecomePrimary()) {
        fontConfig.Wait();
        return SecondStart(instance);
    }

    // The program lives in the tray; without a tray its windows keep their task-bar buttons.
    platform::KeepWindowsOffTaskbar([] { return platform::TrayIcon().IsAvailable(); });
    platform::KeepDialogsOnScreen();

    accessories::DeskAccessories desk;
    schedule::InstallAccessoryWindows(&desk);

    fontConfig.WarmUp(schedule::TfrTavik::FirstFrameFonts());
    fontConfig.Wait();
    schedule::TfrTavik main;
    schedule::frYotei = new schedule::TfrYotei;
    schedule::frYo3 = new schedule::TfrYo3;
    schedule::MainLifecycle life(main, *schedule::frYotei, *schedule::frYo3);
    main.SetCloseHost(&life);
    QObject::connect(&main, &schedule::TfrTavik::closed, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    instance.SetActivationHandler([&main] { main.ActivateForSecondStart(); });

    // A SIGTERM (logout, system shutdown): the shutdown work without the question, and it
    // always ends; a month that cannot be saved goes to a rescue file. Armed before the
    // start-up, whose notices run their own event loops; a modal window is closed first.
    auto endNow = [&life] {
        life.EndForTermination();
        QCoreApplication::quit();
    };
    InstallTerminateHandler([&main, endNow] { main.Exits().Request(endNow, true); });
    // The session may go on after this (a cancelled logout); its real end quits the program.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app,
                     [&life](QSessionManager&) { life.SaveForSession(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &app, [&life] { life.end_prc(); });

    if (!life.FormShow()) {
        main.RemoveTrayIcon();
        return 0;
    }

    const int rc = app.exec();
    main.RemoveTrayIcon();
    delete schedule::frYo3;
    schedule::frYo3 = nullptr;
    delete schedule::frYotei;
    schedule::frYotei = nullptr;
    return rc;
}
