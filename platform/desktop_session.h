// The kind of desktop session the program runs in, and what follows from it: the program
// places its own windows, so in a Wayland session it runs through Xwayland where it can; where
// it runs as a Wayland client anyway, the places of its windows are unknown to it.
#pragma once

#include <QByteArray>
#include <QPoint>
#include <QString>

class QWidget;

namespace platform {

// The variables that decide, as they stand in the environment.
struct SessionVariables {
    QByteArray qpaPlatform;     // QT_QPA_PLATFORM: the user's own choice
    QByteArray sessionType;     // XDG_SESSION_TYPE
    QByteArray waylandDisplay;  // WAYLAND_DISPLAY
    QByteArray display;         // DISPLAY: Xwayland's, in a Wayland session
};
SessionVariables SessionFromEnvironment();

bool IsWaylandSession(const SessionVariables& session);
// The platform Qt is asked for: X11 through Xwayland in a Wayland session that has it (the
// Wayland client only when that cannot connect), unless the user chose one. Empty: Qt's own.
QByteArray PlatformToChoose(const SessionVariables& session);

// Before the application object: puts the choice where Qt reads it. The environment is given
// back by RestorePlatformChoice() once the application object exists, so that programs started
// from Kolvane make their own choice.
void ChoosePlatformBeforeApplication();
void RestorePlatformChoice();

// Whether a platform (QGuiApplication::platformName()) tells and honours the places of
// top-level windows; a Wayland client's windows are placed by the compositor, unseen.
bool PlatformReportsPlaces(const QString& platformName);
bool WindowPlacesKnown();

// The top-left to store for a window: its own where the platform reports it, else the place
// stored before, so that a session that cannot tell places never overwrites them.
QPoint PlaceToStore(const QWidget* window, QPoint stored);

}  // namespace platform
