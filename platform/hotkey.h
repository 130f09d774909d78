// A system-wide hot key Ctrl+Shift+letter. On X11 the key is grabbed on the root window through
// a connection of its own, read by a socket notifier, so it works whatever Qt's own connection
// does and whichever window has the focus. In a Wayland session no program can grab keys (an X
// grab through Xwayland sees only the keys typed into X windows): the desktop's GlobalShortcuts
// portal is asked instead, and answers later. Elsewhere (offscreen) Register fails.
#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

namespace platform {

class PortalShortcut;

enum class HotKeyWay { X11, Portal, Unavailable };
// How this session gives a program a global key.
HotKeyWay HotKeyWayFor(bool waylandSession, const QString& platformName);

class GlobalHotKey : public QObject {
    Q_OBJECT
  public:
    // displayName empty: the desktop's display, and only when the program runs on X11.
    // A name (":5") uses that X display whatever Qt runs on; tests use it with a server of
    // their own.
    explicit GlobalHotKey(QObject* parent = nullptr, const QString& displayName = QString());
    ~GlobalHotKey() override;

    // Ctrl+Shift+letter, letter 'A'..'Z' only. Replaces an earlier registration of this object
    // (the earlier key is released even when the new one fails). False when the key is taken by
    // another program, the letter is not accepted or there is no X display. Through the portal,
    // true means asked: the desktop's answer comes as answered().
    bool Register(int id, char letter);
    void Unregister();
    bool IsRegistered() const { return keycode_ != 0; }
    HotKeyWay Way() const;
    // What the desktop shows the user for the key (the portal's description of it).
    void SetDescription(const QString& description) { description_ = description; }

  signals:
    // Emitted on the GUI thread for each press of the registered key.
    void activated(int id);
    // The portal's answer to a registration: false when the desktop has no such portal or its
    // user refused.
    void answered(bool set);

  private:
    bool OpenDisplay();
    void CloseDisplay();
    bool Grab(bool grab);
    void ReadEvents();

    QString displayName_;
    QString description_;
    PortalShortcut* portal_ = nullptr;
    void* display_ = nullptr;  // Display*, kept out of this header: Xlib's macros clash with Qt
    QSocketNotifier* notifier_ = nullptr;
    int id_ = 0;
    int keycode_ = 0;
    unsigned numLockMask_ = 0;
};

}  // namespace platform
