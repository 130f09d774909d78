#include "portal_shortcut.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QPointer>
#include <QTimer>

namespace platform {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kShortcuts = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
const QString kShortcutId = QStringLiteral("restore");

// Waits for the Response signal of one portal request, then goes away.
class PortalRequest : public QObject {
    Q_OBJECT
  public:
    PortalRequest(QDBusConnection bus, std::function<void(uint, const QVariantMap&)> done)
        : bus_(std::move(bus)), done_(std::move(done)) {}

    bool Watch(const QString& path) {
        if (path == path_) return true;
        Unwatch();
        path_ = path;
        return bus_.connect(kService, path_, kRequest, QStringLiteral("Response"), this,
                            SLOT(Response(uint, QVariantMap)));
    }
    void Fail() { Finish(2, {}); }

  public slots:
    void Response(uint response, const QVariantMap& results) { Finish(response, results); }

  private:
    void Unwatch() {
        if (path_.isEmpty()) return;
        bus_.disconnect(kService, path_, kRequest, QStringLiteral("Response"), this,
                        SLOT(Response(uint, QVariantMap)));
        path_.clear();
    }
    void Finish(uint response, const QVariantMap& results) {
        Unwatch();
        auto done = std::move(done_);
        done_ = nullptr;
        deleteLater();
        // Runs inside a D-Bus slot: no exception may leave it.
        try {
            if (done) done(response, results);
        } catch (...) {
        }
    }

    QDBusConnection bus_;
    QString path_;
    std::function<void(uint, const QVariantMap&)> done_;
};

QString SessionHandle(const QVariant& value) {
    if (value.canConvert<QDBusObjectPath>()) {
        const QString path = value.value<QDBusObjectPath>().path();
        if (!path.isEmpty()) return path;
    }
    return value.toString();
}

}  // namespace

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcutEntry& entry) {
    argument.beginStructure();
    argument << entry.id << entry.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcutEntry& entry) {
    argument.beginStructure();
    argument >> entry.id >> entry.properties;
    argument.endStructure();
    return argument;
}

void RegisterPortalTypes() {
    static const bool once = [] {
        qDBusRegisterMetaType<PortalShortcutEntry>();
        qDBusRegisterMetaType<PortalShortcutList>();
        return true;
    }();
    (void)once;
}

QString PortalTrigger(char letter) {
    if (letter < 'A' || letter > 'Z') return {};
    return QStringLiteral("CTRL+SHIFT+") + QChar(QLatin1Char(char(letter - 'A' + 'a')));
}

PortalShortcut::PortalShortcut(const QString& appId, QObject* parent, const QString& busAddress)
    : QObject(parent), appId_(appId), busAddress_(busAddress) {
    RegisterPortalTypes();
    static int connections = 0;
    connectionName_ = QStringLiteral("kolvane-portal-%1").arg(++connections);
}

PortalShortcut::~PortalShortcut() {
    Release();
    if (bus_.isConnected()) QDBusConnection::disconnectFromBus(connectionName_);
}

bool PortalShortcut::Connect() {
    if (bus_.isConnected()) return true;
    bus_ = busAddress_.isEmpty()
               ? QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName_)
               : QDBusConnection::connectToBus(busAddress_, connectionName_);
    if (!bus_.isConnected()) return false;
    bus_.connect(kService, kPath, kShortcuts, QStringLiteral("Activated"), this,
                 SLOT(OnActivated(QDBusMessage)));
    return true;
}

void PortalShortcut::Bind(char letter, const QString& description) {
    Release();
    const int generation = generation_;
    if (PortalTrigger(letter).isEmpty() || !Connect()) {
        // Told after the caller has set itself up to listen, as every other answer is.
        QTimer::singleShot(0, this, [this, generation] { Answer(false, generation); });
        return;
    }
    if (named_) {
        CreateSession(letter, description, generation);
        return;
    }
    // A program that is not sandboxed names itself to the portal before anything else on this
    // connection; older portals do not know the call, which changes nothing.
    named_ = true;
    QDBusMessage call = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.host.portal.Registry"),
        QStringLiteral("Register"));
    call << appId_ << QVariantMap();
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, watcher, letter, description, generation] {
                watcher->deleteLater();
                CreateSession(letter, description, generation);
            });
}

void PortalShortcut::CallWithResponse(
    const QString& interface, const QString& method, QVariantList args, const QString& token,
    std::function<void(uint response, const QVariantMap& results)> done) {
    auto* request = new PortalRequest(bus_, std::move(done));
    request->setParent(this);
    // Watched before the call, where the portal will answer, so that no answer is missed.
    QString sender = bus_.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    request->Watch(kPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token);
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, interface, method);
    call.setArguments(args);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    QPointer<PortalRequest> guard(request);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, guard] {
        watcher->deleteLater();
        if (!guard) return;
        QDBusPendingReply<QDBusObjectPath> reply = *watcher;
        if (reply.isError()) {
            guard->Fail();
            return;
        }
        // An older portal answers at a path of its own choosing.
        guard->Watch(reply.value().path());
    });
}

void PortalShortcut::CreateSession(char letter, const QString& description, int generation) {
    if (generation != generation_) return;
    const QString token = QStringLiteral("kolvane%1").arg(++tokens_);
    QVariantMap options;
    options.insert(QStringLiteral("handle_token"), token);
    options.insert(QStringLiteral("session_handle_token"), token);
    CallWithResponse(
        kShortcuts, QStringLiteral("CreateSession"), {options}, token,
        [this, letter, description, generation](uint response, const QVariantMap& results) {
            const QString session = SessionHandle(results.value(QStringLiteral("session_handle")));
            if (generation != generation_) {
                // Released meanwhile: the session made for nothing goes too.
                if (response == 0) CloseSession(session);
                return;
            }
            if (response != 0 || session.isEmpty()) {
                Answer(false, generation);
                return;
            }
            session_ = session;
            BindKey(letter, description, generation);
        });
}

void PortalShortcut::BindKey(char letter, const QString& description, int generation) {
    PortalShortcutEntry entry;
    entry.id = kShortcutId;
    entry.properties.insert(QStringLiteral("description"), description);
    entry.properties.insert(QStringLiteral("preferred_trigger"), PortalTrigger(letter));
    const QString token = QStringLiteral("kolvane%1").arg(++tokens_);
    QVariantMap options;
    options.insert(QStringLiteral("handle_token"), token);
    CallWithResponse(kShortcuts, QStringLiteral("BindShortcuts"),
                     {QVariant::fromValue(QDBusObjectPath(session_)),
                      QVariant::fromValue(PortalShortcutList{entry}), QString(), options},
                     token, [this, generation](uint response, const QVariantMap&) {
                         Answer(response == 0, generation);
                     });
}

void PortalShortcut::Answer(bool bound, int generation) {
    // An answer for a request that a later Bind or Release replaced says nothing any more.
    if (generation != generation_) return;
    emit answered(bound);
}

void PortalShortcut::Release() {
    ++generation_;
    CloseSession(session_);
    session_.clear();
}

void PortalShortcut::CloseSession(const QString& session) {
    if (session.isEmpty() || !bus_.isConnected()) return;
    bus_.asyncCall(QDBusMessage::createMethodCall(kService, session,
                                                  QStringLiteral("org.freedesktop.portal.Session"),
                                                  QStringLiteral("Close")));
}

void PortalShortcut::OnActivated(const QDBusMessage& message) {
    const QVariantList args = message.arguments();
    if (args.size() < 2) return;
    const QString session = SessionHandle(args.at(0));
    if (session_.isEmpty() || session != session_ || args.at(1).toString() != kShortcutId) return;
    try {
        emit activated();
    } catch (...) {
    }
}

}  // namespace platform

#include "portal_shortcut.moc"
