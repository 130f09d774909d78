// Which platform the program asks Qt for, and where window places can be trusted.
#include "desktop_session.h"

#include <gtest/gtest.h>

namespace {

using platform::SessionVariables;

TEST(DesktopSession, PlatformChoice) {
    const struct {
        const char* name;
        SessionVariables session;
        const char* chosen;
    } cases[] = {
        {"X11 session", {"", "x11", "", ":0"}, ""},
        {"Wayland with Xwayland", {"", "wayland", "wayland-0", ":1"}, "xcb;wayland"},
        {"Wayland display, no session type", {"", "", "wayland-0", ":1"}, "xcb;wayland"},
        {"session type only", {"", "wayland", "", ":1"}, "xcb;wayland"},
        {"Wayland without Xwayland", {"", "wayland", "wayland-0", ""}, ""},
        {"the user's own choice", {"wayland", "wayland", "wayland-0", ":1"}, ""},
        {"no display at all", {"", "tty", "", ""}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::PlatformToChoose(c.session), QByteArray(c.chosen)) << c.name;
}

TEST(DesktopSession, PlacesAreKnownExceptToAWaylandClient) {
    const struct {
        const char* platform;
        bool known;
    } cases[] = {
        {"xcb", true},
        {"offscreen", true},
        {"wayland", false},
        {"wayland-egl", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::PlatformReportsPlaces(QString::fromLatin1(c.platform)), c.known)
            << c.platform;
}

}  // namespace
