#include "desktop_session.h"

#include <QGuiApplication>
#include <QWidget>

namespace platform {

namespace {

bool g_platformSet = false;

}  // namespace

SessionVariables SessionFromEnvironment() {
    return {qgetenv("QT_QPA_PLATFORM"), qgetenv("XDG_SESSION_TYPE"), qgetenv("WAYLAND_DISPLAY"),
            qgetenv("DISPLAY")};
}

bool IsWaylandSession(const SessionVariables& session) {
    return session.sessionType == "wayland" || !session.waylandDisplay.isEmpty();
}

QByteArray PlatformToChoose(const SessionVariables& session) {
    if (!session.qpaPlatform.isEmpty() || !IsWaylandSession(session)) return {};
    if (session.display.isEmpty()) return {};
    return QByteArrayLiteral("xcb;wayland");
}

void ChoosePlatformBeforeApplication() {
    const QByteArray chosen = PlatformToChoose(SessionFromEnvironment());
    if (chosen.isEmpty()) return;
    qputenv("QT_QPA_PLATFORM", chosen);
    g_platformSet = true;
}

void RestorePlatformChoice() {
    if (!g_platformSet) return;
    qunsetenv("QT_QPA_PLATFORM");
    g_platformSet = false;
}

bool PlatformReportsPlaces(const QString& platformName) {
    return !platformName.startsWith(QLatin1String("wayland"));
}

bool WindowPlacesKnown() {
    return qGuiApp == nullptr || PlatformReportsPlaces(QGuiApplication::platformName());
}

QPoint PlaceToStore(const QWidget* window, QPoint stored) {
    if (window == nullptr || !WindowPlacesKnown()) return stored;
    return window->pos();
}

}  // namespace platform
