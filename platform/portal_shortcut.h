// One global key through the desktop's GlobalShortcuts portal, the way Wayland desktops (Plasma
// 5.27+, GNOME 48+) give keys to programs that cannot grab them. Everything is asynchronous:
// the desktop may first ask its user which key to give.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <functional>

class QDBusArgument;
class QDBusPendingCallWatcher;

namespace platform {

// One shortcut as the portal's BindShortcuts takes it: an id and its properties
// ("description", "preferred_trigger").
struct PortalShortcutEntry {
    QString id;
    QVariantMap properties;
};
using PortalShortcutList = QList<PortalShortcutEntry>;
QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcutEntry& entry);
const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcutEntry& entry);
void RegisterPortalTypes();

// The key as the desktop's shortcut notation writes it: "CTRL+SHIFT+j" for 'J'.
QString PortalTrigger(char letter);

class PortalShortcut : public QObject {
    Q_OBJECT
  public:
    // appId names the program to the portal (its desktop entry's name). busAddress empty: the
    // session bus, through a connection of its own, on which the program names itself first.
    explicit PortalShortcut(const QString& appId, QObject* parent = nullptr,
                            const QString& busAddress = QString());
    ~PortalShortcut() override;

    // Asks for Ctrl+Shift+letter under a new session (an earlier one is closed); the desktop's
    // answer comes as answered().
    void Bind(char letter, const QString& description);
    // Closes the session: the key no longer reaches the program.
    void Release();

    // The portal's Activated signal (session, shortcut id, time stamp, options); D-Bus reaches
    // public slots only.
  public slots:
    void OnActivated(const QDBusMessage& message);

  signals:
    void answered(bool bound);
    void activated();

  private:
    bool Connect();
    // Calls a portal method that answers through a Request object, and hands the answer on
    // (response 0 is success); a refused call answers 2.
    void CallWithResponse(const QString& interface, const QString& method, QVariantList args,
                          const QString& token,
                          std::function<void(uint response, const QVariantMap& results)> done);
    void CreateSession(char letter, const QString& description, int generation);
    void BindKey(char letter, const QString& description, int generation);
    void Answer(bool bound, int generation);
    void CloseSession(const QString& session);

    QString appId_;
    QString busAddress_;
    QString connectionName_;
    QDBusConnection bus_{QString()};
    bool named_ = false;
    QString session_;
    int generation_ = 0;
    int tokens_ = 0;
};

}  // namespace platform

Q_DECLARE_METATYPE(platform::PortalShortcutEntry)
Q_DECLARE_METATYPE(platform::PortalShortcutList)
