// The hot key against a private X server: grabs, conflicts with other clients, and the keys
// that must and must not activate it. Skipped where Xvfb or xdotool is missing.
#include "hotkey.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <memory>
#include <vector>

#include "test_server.h"

// Xlib last: its macros (None, Bool ...) would break the headers above.
#include <X11/Xlib.h>
#include <X11/keysym.h>

using platform::GlobalHotKey;

namespace {

constexpr int kId = 0x464;

TEST(GlobalHotKeyOffscreen, TheSessionDecidesTheWay) {
    using platform::HotKeyWay;
    const struct {
        bool wayland;
        const char* platform;
        HotKeyWay way;
    } cases[] = {
        // Through Xwayland an X grab would see only the keys typed into X windows.
        {true, "xcb", HotKeyWay::Portal},
        {true, "wayland", HotKeyWay::Portal},
        {false, "xcb", HotKeyWay::X11},
        {false, "offscreen", HotKeyWay::Unavailable},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::HotKeyWayFor(c.wayland, QString::fromLatin1(c.platform)), c.way)
            << c.wayland << c.platform;
}

TEST(GlobalHotKeyOffscreen, NoX11PlatformMeansNoHotKey) {
    GlobalHotKey key;
    EXPECT_FALSE(key.Register(kId, 'J'));
    EXPECT_FALSE(key.IsRegistered());
}

TEST(GlobalHotKeyOffscreen, UnreachableDisplayFails) {
    GlobalHotKey key(nullptr, QStringLiteral(":987654"));
    EXPECT_FALSE(key.Register(kId, 'J'));
}

class GlobalHotKeyX11 : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        server_ = new TestServer;
        // -noreset: the server would otherwise restart whenever its last client leaves and
        // refuse the next test's connection for a moment.
        const QString number = server_->Start("Xvfb", {"-displayfd", "1", "-noreset", "-nolisten",
                                                       "tcp", "-screen", "0", "320x240x24"});
        if (!number.isEmpty()) display_ = ":" + number;
    }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }

    void SetUp() override {
        if (display_.isEmpty()) GTEST_SKIP() << "no Xvfb";
    }

    std::unique_ptr<GlobalHotKey> Key() {
        auto key = std::make_unique<GlobalHotKey>(nullptr, display_);
        QObject::connect(key.get(), &GlobalHotKey::activated,
                         [this](int id) { activations_.push_back(id); });
        return key;
    }

    bool Type(const QStringList& keys) {
        if (QStandardPaths::findExecutable("xdotool").isEmpty()) return false;
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display_);
        tool.setProcessEnvironment(env);
        tool.start("xdotool", QStringList{"key"} + keys);
        return tool.waitForFinished(5000) && tool.exitCode() == 0;
    }

    // Runs the event loop until `count` activations arrived or the time is up.
    void WaitFor(size_t count, int ms = 3000) {
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (activations_.size() >= count) loop.quit();
        });
        poll.start(10);
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
        // Give a wrong extra activation the chance to show up.
        QEventLoop settle;
        QTimer::singleShot(100, &settle, &QEventLoop::quit);
        settle.exec();
    }

    unsigned ModifierState() {
        Display* dpy = XOpenDisplay(display_.toLocal8Bit().constData());
        if (dpy == nullptr) return 0;
        Window root, child;
        int rx, ry, wx, wy;
        unsigned mask = 0;
        XQueryPointer(dpy, DefaultRootWindow(dpy), &root, &child, &rx, &ry, &wx, &wy, &mask);
        XCloseDisplay(dpy);
        return mask;
    }

    static TestServer* server_;
    static QString display_;
    std::vector<int> activations_;
};

TestServer* GlobalHotKeyX11::server_ = nullptr;
QString GlobalHotKeyX11::display_;

TEST_F(GlobalHotKeyX11, AcceptsOnlyCapitalLetters) {
    const struct {
        char letter;
        bool ok;
    } cases[] = {{'A', true},  {'J', true},  {'Z', true},  {'a', false}, {'j', false},
                 {'0', false}, {'@', false}, {'[', false}, {' ', false}, {'\0', false}};
    auto key = Key();
    for (const auto& c : cases) {
        EXPECT_EQ(key->Register(kId, c.letter), c.ok) << int(c.letter);
        EXPECT_EQ(key->IsRegistered(), c.ok) << int(c.letter);
    }
}

TEST_F(GlobalHotKeyX11, KeyTakenByAnotherClientFails) {
    auto first = Key();
    auto second = Key();
    ASSERT_TRUE(first->Register(kId, 'J'));
    EXPECT_FALSE(second->Register(kId, 'J'));
    EXPECT_FALSE(second->IsRegistered());
    EXPECT_TRUE(second->Register(kId, 'K'));
    first->Unregister();
    EXPECT_TRUE(second->Register(kId, 'J'));
}

TEST_F(GlobalHotKeyX11, RegisteringAgainReleasesTheOldKey) {
    auto first = Key();
    auto other = Key();
    ASSERT_TRUE(first->Register(kId, 'J'));
    ASSERT_TRUE(first->Register(kId, 'K'));
    EXPECT_TRUE(other->Register(kId, 'J'));
    // A failed registration leaves nothing behind either.
    EXPECT_FALSE(first->Register(kId, 'J'));
    other->Unregister();
    EXPECT_TRUE(other->Register(kId, 'K'));
}

TEST_F(GlobalHotKeyX11, PartialConflictReleasesWhatWasGrabbed) {
    // Another client holds only the CapsLock variant of Ctrl+Shift+J.
    Display* dpy = XOpenDisplay(display_.toLocal8Bit().constData());
    ASSERT_NE(dpy, nullptr);
    KeyCode j = XKeysymToKeycode(dpy, XK_j);
    XGrabKey(dpy, j, ControlMask | ShiftMask | LockMask, DefaultRootWindow(dpy), False,
             GrabModeAsync, GrabModeAsync);
    XSync(dpy, False);

    auto first = Key();
    EXPECT_FALSE(first->Register(kId, 'J'));
    XUngrabKey(dpy, j, ControlMask | ShiftMask | LockMask, DefaultRootWindow(dpy));
    XSync(dpy, False);
    XCloseDisplay(dpy);

    auto second = Key();
    EXPECT_TRUE(second->Register(kId, 'J'));
}

TEST_F(GlobalHotKeyX11, OnlyCtrlShiftLetterActivates) {
    auto key = Key();
    ASSERT_TRUE(key->Register(kId, 'J'));
    // Each row ends with the real key, so a wrong activation would arrive before it.
    const char* others[] = {"j", "ctrl+j", "shift+j", "ctrl+shift+k", "ctrl+alt+shift+j"};
    for (const char* other : others) {
        activations_.clear();
        if (!Type({other, "ctrl+shift+j"})) GTEST_SKIP() << "no xdotool";
        WaitFor(1);
        EXPECT_EQ(activations_, std::vector<int>{kId}) << other;
    }
}

TEST_F(GlobalHotKeyX11, UnregisteredKeyIsSilent) {
    auto key = Key();
    ASSERT_TRUE(key->Register(kId, 'J'));
    key->Unregister();
    if (!Type({"ctrl+shift+j"})) GTEST_SKIP() << "no xdotool";
    WaitFor(1, 300);
    EXPECT_TRUE(activations_.empty());
}

TEST_F(GlobalHotKeyX11, WorksWithCapsLockAndNumLock) {
    auto key = Key();
    ASSERT_TRUE(key->Register(kId, 'J'));
    const struct {
        const char* lockKey;
        unsigned mask;
    } locks[] = {{"Caps_Lock", LockMask}, {"Num_Lock", Mod2Mask}};
    for (const auto& lock : locks) {
        if (!Type({lock.lockKey})) GTEST_SKIP() << "no xdotool";
        if ((ModifierState() & lock.mask) == 0) {
            ADD_FAILURE() << lock.lockKey << " did not lock on this server";
            continue;
        }
        activations_.clear();
        ASSERT_TRUE(Type({"ctrl+shift+j"}));
        WaitFor(1);
        EXPECT_EQ(activations_, std::vector<int>{kId}) << lock.lockKey;
    }
    // Both locks are on now; switch them off again for the other tests.
    activations_.clear();
    ASSERT_TRUE(Type({"ctrl+shift+j"}));
    WaitFor(1);
    EXPECT_EQ(activations_, std::vector<int>{kId}) << "both locks";
    Type({"Caps_Lock", "Num_Lock"});
}

}  // namespace
