// The hot key through the GlobalShortcuts portal, against a small fake portal on a private bus.
// Skipped where no dbus-daemon can be started.
#include "portal_shortcut.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <memory>

#include "test_server.h"

using platform::PortalShortcut;

namespace {

const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");

QString SenderPart(const QDBusMessage& message) {
    QString sender = message.service().mid(1);
    return sender.replace(QLatin1Char('.'), QLatin1Char('_'));
}

}  // namespace

// Answers CreateSession and BindShortcuts as the portal does: a Request handle at once, the
// outcome later as that Request's Response signal.
class FakePortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.GlobalShortcuts")
  public:
    explicit FakePortal(QDBusConnection bus) : bus_(std::move(bus)) {}

    uint createResponse = 0;
    uint bindResponse = 0;
    QString session;
    platform::PortalShortcutList bound;

    void Activate(const QString& sessionPath, const QString& id) {
        QDBusMessage signal = QDBusMessage::createSignal(
            kPath, QStringLiteral("org.freedesktop.portal.GlobalShortcuts"),
            QStringLiteral("Activated"));
        signal << QVariant::fromValue(QDBusObjectPath(sessionPath)) << id << qulonglong(1)
               << QVariantMap();
        bus_.send(signal);
    }

  public slots:
    QDBusObjectPath CreateSession(const QVariantMap& options, const QDBusMessage& message) {
        const QString request = RequestPath(message, options);
        session = kPath + QStringLiteral("/session/") + SenderPart(message) + QLatin1Char('/') +
                  options.value(QStringLiteral("session_handle_token")).toString();
        QVariantMap results;
        results.insert(QStringLiteral("session_handle"), session);
        Respond(request, createResponse, results);
        return QDBusObjectPath(request);
    }

    QDBusObjectPath BindShortcuts(const QDBusObjectPath& sessionPath,
                                  const platform::PortalShortcutList& shortcuts, const QString&,
                                  const QVariantMap& options, const QDBusMessage& message) {
        const QString request = RequestPath(message, options);
        if (sessionPath.path() == session) bound = shortcuts;
        Respond(request, bindResponse, {});
        return QDBusObjectPath(request);
    }

  private:
    static QString RequestPath(const QDBusMessage& message, const QVariantMap& options) {
        return kPath + QStringLiteral("/request/") + SenderPart(message) + QLatin1Char('/') +
               options.value(QStringLiteral("handle_token")).toString();
    }
    void Respond(const QString& request, uint response, const QVariantMap& results) {
        QTimer::singleShot(0, this, [this, request, response, results] {
            QDBusMessage signal = QDBusMessage::createSignal(
                request, QStringLiteral("org.freedesktop.portal.Request"),
                QStringLiteral("Response"));
            signal << response << results;
            bus_.send(signal);
        });
    }

    QDBusConnection bus_;
};

namespace {

class PortalShortcutTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        daemon_ = new TestServer;
        address_ = daemon_->Start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    }
    static void TearDownTestSuite() {
        delete daemon_;
        daemon_ = nullptr;
    }

    void SetUp() override {
        if (address_.isEmpty()) GTEST_SKIP() << "no dbus-daemon";
        platform::RegisterPortalTypes();
    }
    void TearDown() override {
        portal_.reset();
        if (served_) QDBusConnection::disconnectFromBus(QStringLiteral("fake-portal"));
    }

    // The fake takes the portal's name on the private bus.
    FakePortal& Serve() {
        QDBusConnection bus =
            QDBusConnection::connectToBus(address_, QStringLiteral("fake-portal"));
        served_ = true;
        portal_ = std::make_unique<FakePortal>(bus);
        EXPECT_TRUE(bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
        EXPECT_TRUE(bus.registerObject(kPath, portal_.get(), QDBusConnection::ExportAllSlots));
        return *portal_;
    }

    std::unique_ptr<PortalShortcut> Client() {
        return std::make_unique<PortalShortcut>(QStringLiteral("org.kolvane.Kolvane"), nullptr,
                                                address_);
    }

    // The answer of one Bind: 1 bound, 0 refused, -1 none in time.
    static int AnswerOf(PortalShortcut& client, char letter) {
        QSignalSpy spy(&client, &PortalShortcut::answered);
        client.Bind(letter, QStringLiteral("前面に表示"));
        if (!spy.wait(5000)) return -1;
        return spy.takeFirst().at(0).toBool() ? 1 : 0;
    }

    static TestServer* daemon_;
    static QString address_;
    std::unique_ptr<FakePortal> portal_;
    bool served_ = false;
};

TestServer* PortalShortcutTest::daemon_ = nullptr;
QString PortalShortcutTest::address_;

TEST(PortalTrigger, CtrlShiftAndTheLetterAsItsKeyIsNamed) {
    EXPECT_EQ(platform::PortalTrigger('J'), QStringLiteral("CTRL+SHIFT+j"));
    EXPECT_EQ(platform::PortalTrigger('A'), QStringLiteral("CTRL+SHIFT+a"));
    EXPECT_EQ(platform::PortalTrigger('j'), QString());
}

TEST_F(PortalShortcutTest, BoundKeyAsksForCtrlShiftLetterAndActivates) {
    FakePortal& portal = Serve();
    auto client = Client();
    ASSERT_EQ(AnswerOf(*client, 'K'), 1);
    ASSERT_EQ(portal.bound.size(), 1);
    EXPECT_EQ(portal.bound[0].properties.value("preferred_trigger").toString(),
              QStringLiteral("CTRL+SHIFT+k"));
    EXPECT_EQ(portal.bound[0].properties.value("description").toString(),
              QStringLiteral("前面に表示"));

    QSignalSpy activated(client.get(), &PortalShortcut::activated);
    // Another session's key and another key of ours do nothing; ours arrives last.
    portal.Activate(kPath + QStringLiteral("/session/other/x"), portal.bound[0].id);
    portal.Activate(portal.session, QStringLiteral("something-else"));
    portal.Activate(portal.session, portal.bound[0].id);
    ASSERT_TRUE(activated.wait(5000));
    QTest::qWait(100);
    EXPECT_EQ(activated.size(), 1);

    // Released, the key reaches the program no more.
    client->Release();
    portal.Activate(portal.session, portal.bound[0].id);
    EXPECT_FALSE(activated.wait(300));
}

TEST_F(PortalShortcutTest, RefusalsAnswerFalse) {
    const struct {
        const char* name;
        uint create;
        uint bind;
    } cases[] = {
        {"session refused", 1, 0},
        {"user cancelled the key", 0, 1},
        {"key failed", 0, 2},
    };
    FakePortal& portal = Serve();
    for (const auto& c : cases) {
        portal.createResponse = c.create;
        portal.bindResponse = c.bind;
        auto client = Client();
        EXPECT_EQ(AnswerOf(*client, 'J'), 0) << c.name;
    }
}

TEST_F(PortalShortcutTest, NoPortalOnTheBusAnswersFalse) {
    auto client = Client();
    EXPECT_EQ(AnswerOf(*client, 'J'), 0);
}

}  // namespace

#include "portal_shortcut_test.moc"
