#include "single_instance.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

using platform::SingleInstance;

// Keys of their own, so no test meets another run or a running program.
QString UniqueKey() {
    static int n = 0;
    return QStringLiteral("KolvaneTest%1x%2").arg(getpid()).arg(++n);
}

// Lock files stay by design (removing one would let two copies lock two files); the tests'
// own go when the program ends.
class RemoveTestLocks : public ::testing::Environment {
  public:
    void TearDown() override {
        SingleInstance probe(QStringLiteral("probe"));
        QDir dir = QFileInfo(probe.LockPath()).dir();
        const QString prefix = QStringLiteral("KolvaneTest%1x").arg(getpid());
        for (const QString& name : dir.entryList({prefix + "*.lock"}, QDir::Files))
            dir.remove(name);
    }
};
const auto* const kRemoveTestLocks = ::testing::AddGlobalTestEnvironment(new RemoveTestLocks);

// Runs the event loop until `done` holds or the time is up.
bool SpinUntil(const std::function<bool()>& done, int ms = 5000) {
    QEventLoop loop;
    QTimer poll, limit;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    poll.start(10);
    limit.start(ms);
    if (!done()) loop.exec();
    return done();
}

// Another copy of this test program standing in for a second start of the program.
class Child {
  public:
    Child(const QString& mode, const QString& key) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("KOLVANE_SI_CHILD", mode);
        env.insert("KOLVANE_SI_KEY", key);
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::SeparateChannels);
        p.start(QCoreApplication::applicationFilePath(),
                {"--gtest_also_run_disabled_tests", "--gtest_filter=SingleInstanceChild.*"});
    }
    ~Child() {
        if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished(5000);
        }
    }
    // Waits for a marker line "@@word@@" on the child's output.
    bool WaitFor(const QByteArray& word, int ms = 10000) {
        QByteArray marker = "@@" + word + "@@";
        return SpinUntil(
            [&] {
                out += p.readAllStandardOutput();
                return out.contains(marker);
            },
            ms);
    }
    QProcess p;
    QByteArray out;
};

void Say(const char* word) {
    std::printf("@@%s@@\n", word);
    std::fflush(stdout);
}

// Runs only as the child of the tests below.
TEST(SingleInstanceChild, DISABLED_Role) {
    QByteArray mode = qgetenv("KOLVANE_SI_CHILD");
    if (mode.isEmpty()) GTEST_SKIP();
    SingleInstance guard(QString::fromLocal8Bit(qgetenv("KOLVANE_SI_KEY")));
    if (mode == "hold") {
        ASSERT_TRUE(guard.TryBecomePrimary());
        guard.SetActivationHandler([] { Say("activated"); });
        Say(guard.IsListening() ? "ready" : "deaf");
        SpinUntil([] { return false; }, 60000);  // until killed
    } else if (mode == "race") {
        Say(guard.TryBecomePrimary() ? "primary" : "second");
        // Stay alive while the others try, until the parent closes our input.
        char c;
        while (::read(0, &c, 1) > 0) {
        }
    }
}

TEST(SingleInstance, OnePrimaryPerKey) {
    QString key = UniqueKey();
    auto first = std::make_unique<SingleInstance>(key);
    SingleInstance second(key), other(UniqueKey());
    EXPECT_TRUE(first->TryBecomePrimary());
    EXPECT_TRUE(first->TryBecomePrimary());  // asking again changes nothing
    EXPECT_FALSE(second.TryBecomePrimary());
    EXPECT_FALSE(second.TryBecomePrimary());
    EXPECT_TRUE(other.TryBecomePrimary());
    first.reset();
    EXPECT_TRUE(second.TryBecomePrimary());
    EXPECT_TRUE(QFile::exists(second.LockPath()));
}

// Sets an environment variable for the scope.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const QByteArray& value) : name_(name), old_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedEnv() {
        if (old_.isNull())
            qunsetenv(name_);
        else
            qputenv(name_, old_);
    }

  private:
    const char* name_;
    QByteArray old_;
};

TEST(SingleInstance, OneCopyPerDataFolderWhateverTheDisplay) {
    QTemporaryDir root;
    const QString data = root.path() + "/data", other = root.path() + "/other";
    ASSERT_TRUE(QDir().mkpath(data) && QDir().mkpath(other));
    ASSERT_TRUE(QFile::link(data, root.path() + "/link"));
    struct {
        const char* display;
        QString folder;
        bool oneCopy;
    } const rows[] = {
        {":8.0", data, true},  // another display, the same folder
        {":7", data + "/", true},
        {":7", root.path() + "/link", true},
        {":7", root.path() + "/./data", true},
        {":7", other, false},
    };
    for (const auto& row : rows) {
        const QString key = UniqueKey();
        std::unique_ptr<SingleInstance> first, second;
        {
            ScopedEnv display("DISPLAY", ":7");
            first = std::make_unique<SingleInstance>(key, data);
            ASSERT_TRUE(first->TryBecomePrimary());
        }
        ScopedEnv display("DISPLAY", row.display);
        second = std::make_unique<SingleInstance>(key, row.folder);
        EXPECT_EQ(second->LockPath() == first->LockPath(), row.oneCopy) << row.folder.toStdString();
        EXPECT_EQ(second->TryBecomePrimary(), !row.oneCopy) << row.folder.toStdString();
        // The lock names the display of the copy that holds it.
        if (row.oneCopy) {
            EXPECT_EQ(second->PrimaryDisplay(), ":7");
        }
        EXPECT_EQ(SingleInstance::OwnDisplay(), platform::DisplayKey(row.display));
        EXPECT_TRUE(first->LockPath().contains(QString::number(getuid())));
    }
    // A folder not yet made is one folder under every name too.
    const QString key = UniqueKey();
    SingleInstance a(key, data + "/new"), b(key, root.path() + "/link/new");
    EXPECT_EQ(a.LockPath(), b.LockPath());
}

TEST(SingleInstance, LockFolderIsOneOnlyTheUserMayEnter) {
    QTemporaryDir root;
    const QString own = root.path() + "/kolvane-" + QString::number(geteuid());
    auto make = [](const QString& path, mode_t mode, uid_t owner) {
        const QByteArray name = QFile::encodeName(path);
        return ::mkdir(name.constData(), mode) == 0 && ::chmod(name.constData(), mode) == 0 &&
               ::chown(name.constData(), owner, static_cast<gid_t>(-1)) == 0;
    };
    const QString runtime = root.path() + "/run";
    struct {
        const char* what;
        std::function<bool()> prepare;
        QString chosen;
        bool refused;
    } const rows[] = {
        {"private runtime folder", [&] { return make(runtime, 0700, geteuid()); }, runtime, false},
        {"runtime folder open to others, own folder made",
         [&] { return make(runtime, 0755, geteuid()); }, own, false},
        {"another user's runtime folder", [&] { return make(runtime, 0700, 65534); }, own, false},
        {"runtime folder through a link",
         [&] {
             return make(root.path() + "/r", 0700, geteuid()) &&
                    QFile::link(root.path() + "/r", runtime);
         },
         own, false},
        {"own folder left open is closed", [&] { return make(own, 0777, geteuid()); }, own, false},
        {"another user's folder", [&] { return make(own, 0700, 65534); }, QString(), true},
        {"a link in its place",
         [&] {
             return make(root.path() + "/r", 0700, geteuid()) &&
                    QFile::link(root.path() + "/r", own);
         },
         QString(), true},
        {"a file in its place",
         [&] {
             QFile f(own);
             return f.open(QIODevice::WriteOnly);
         },
         QString(), true},
    };
    for (const auto& row : rows) {
        // Only root may give a folder to another user.
        if (QByteArray(row.what).contains("another user") && geteuid() != 0) continue;
        QDir(root.path()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(root.path()));
        ASSERT_TRUE(row.prepare()) << row.what;
        QString refusal;
        EXPECT_EQ(
            platform::LockFolder({QStringLiteral("relative/run"), runtime}, root.path(), refusal),
            row.chosen)
            << row.what;
        EXPECT_EQ(refusal.contains(own), row.refused) << row.what;
        struct stat st;
        if (row.chosen == own) {
            ASSERT_EQ(::lstat(QFile::encodeName(own).constData(), &st), 0);
            EXPECT_EQ(st.st_mode & 0777, 0700u) << row.what;
        }
    }
}

TEST(SingleInstance, LockFileOfAnotherUserOrALinkIsRefused) {
    QTemporaryDir runtime;
    ASSERT_EQ(::chmod(QFile::encodeName(runtime.path()).constData(), 0700), 0);
    ScopedEnv env("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    const QString key = UniqueKey();
    for (const char* kind : {"foreign", "link"}) {
        // Only root may give the lock to another user.
        if (std::string(kind) == "foreign" && geteuid() != 0) continue;
        SingleInstance guard(key);
        ASSERT_TRUE(guard.LockPath().startsWith(runtime.path()));
        QFile::remove(guard.LockPath());
        const QByteArray lock = QFile::encodeName(guard.LockPath());
        if (std::string(kind) == "link") {
            ASSERT_TRUE(QFile::link(runtime.path() + "/elsewhere", guard.LockPath()));
        } else {
            QFile f(guard.LockPath());
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            ASSERT_EQ(::chown(lock.constData(), 65534, 65534), 0);
        }
        EXPECT_FALSE(guard.TryBecomePrimary()) << kind;
        EXPECT_FALSE(guard.IsPrimary()) << kind;
        EXPECT_TRUE(guard.Refusal().contains(guard.LockPath())) << kind;
        EXPECT_FALSE(QFile::exists(runtime.path() + "/elsewhere")) << kind;
    }
    SingleInstance clean(UniqueKey());
    EXPECT_TRUE(clean.TryBecomePrimary());
    EXPECT_TRUE(clean.Refusal().isEmpty());
}

TEST(SingleInstance, EverySpellingOfADisplayIsOneDisplay) {
    const QString host = QSysInfo::machineHostName();
    struct {
        QString display;
        QString key;
    } const cases[] = {
        {":0", ":0"},
        {":0.0", ":0"},
        {":0.1", ":0"},
        {"unix:0", ":0"},
        {"localhost:0.0", ":0"},
        {"127.0.0.1:71", ":71"},
        {"[::1]:71.0", ":71"},
        {host + ":5", ":5"},
        {":071", ":71"},
        {"otherhost:0", "otherhost:0"},
        {"OtherHost:0.0", "otherhost:0"},
        {":1", ":1"},
        {"", ""},
        {"junk", ""},
        {":x", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::DisplayKey(c.display), c.key) << c.display.toStdString();
}

TEST(SingleInstance, PrimaryNotYetListeningIsNotFound) {
    QString key = UniqueKey();
    SingleInstance primary(key), second(key);
    ASSERT_TRUE(primary.TryBecomePrimary());
    EXPECT_FALSE(primary.IsListening());  // no handler yet: still starting
    ASSERT_FALSE(second.TryBecomePrimary());
    EXPECT_FALSE(second.FindPrimary(500));
    EXPECT_FALSE(second.NotifyPrimary(500));
}

TEST(SingleInstance, NoPrimaryAtAll) {
    SingleInstance lone(UniqueKey());
    EXPECT_FALSE(lone.FindPrimary(500));
    EXPECT_FALSE(lone.NotifyPrimary(500));
}

TEST(SingleInstance, NotifyReachesTheHandler) {
    QString key = UniqueKey();
    SingleInstance primary(key);
    int calls = 0;
    primary.SetActivationHandler([&] { ++calls; });  // before the lock: listens once it is held
    EXPECT_FALSE(primary.IsListening());
    ASSERT_TRUE(primary.TryBecomePrimary());
    ASSERT_TRUE(primary.IsListening());
    struct stat st;
    ASSERT_EQ(::lstat(QFile::encodeName(primary.ServerName()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);  // only the user's own copies may ask
    for (int i = 1; i <= 2; ++i) {
        SingleInstance second(key);
        ASSERT_FALSE(second.TryBecomePrimary());
        ASSERT_TRUE(second.FindPrimary(2000));
        ASSERT_TRUE(second.NotifyPrimary(2000));
        EXPECT_TRUE(SpinUntil([&] { return calls == i; }));
    }
    EXPECT_FALSE(SpinUntil([&] { return calls > 2; }, 200));
}

TEST(SingleInstance, StaleSocketOfAKilledCopyIsReplaced) {
    QString key = UniqueKey();
    SingleInstance primary(key);
    // A socket file nobody listens on, as a killed copy leaves it.
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    QByteArray name = QFile::encodeName(primary.ServerName());
    ASSERT_LT(name.size(), static_cast<int>(sizeof(addr.sun_path)));
    std::memcpy(addr.sun_path, name.constData(), name.size());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(primary.ServerName()));

    bool called = false;
    ASSERT_TRUE(primary.TryBecomePrimary());
    primary.SetActivationHandler([&] { called = true; });
    ASSERT_TRUE(primary.IsListening());
    SingleInstance second(key);
    ASSERT_TRUE(second.NotifyPrimary(2000));
    EXPECT_TRUE(SpinUntil([&] { return called; }));
}

TEST(SingleInstance, ProgramsStartedByThePrimaryDoNotKeepTheLock) {
    QString key = UniqueKey();
    auto primary = std::make_unique<SingleInstance>(key);
    ASSERT_TRUE(primary->TryBecomePrimary());
    QProcess sleeper;
    sleeper.start("sleep", {"30"});
    ASSERT_TRUE(sleeper.waitForStarted(5000));
    primary.reset();
    SingleInstance next(key);
    EXPECT_TRUE(next.TryBecomePrimary());
    sleeper.kill();
    sleeper.waitForFinished(5000);
}

TEST(SingleInstance, AnotherProcessHoldsUntilKilled) {
    QString key = UniqueKey();
    Child child("hold", key);
    ASSERT_TRUE(child.WaitFor("ready")) << child.out.toStdString();

    {
        SingleInstance second(key);
        EXPECT_FALSE(second.TryBecomePrimary());
        ASSERT_TRUE(second.FindPrimary(2000));
        ASSERT_TRUE(second.NotifyPrimary(2000));
    }
    EXPECT_TRUE(child.WaitFor("activated")) << child.out.toStdString();

    child.p.kill();  // SIGKILL: nothing is cleaned up
    ASSERT_TRUE(child.p.waitForFinished(5000));

    SingleInstance next(key);
    EXPECT_TRUE(next.TryBecomePrimary());
    bool called = false;
    next.SetActivationHandler([&] { called = true; });
    EXPECT_TRUE(next.IsListening());
    SingleInstance third(key);
    EXPECT_FALSE(third.TryBecomePrimary());
    EXPECT_TRUE(third.NotifyPrimary(2000));
    EXPECT_TRUE(SpinUntil([&] { return called; }));
}

TEST(SingleInstance, SimultaneousStartsGiveOnePrimary) {
    QString key = UniqueKey();
    std::vector<std::unique_ptr<Child>> children;
    for (int i = 0; i < 6; ++i) children.push_back(std::make_unique<Child>("race", key));
    int primaries = 0, seconds = 0;
    for (auto& c : children) {
        ASSERT_TRUE(SpinUntil(
            [&] {
                c->out += c->p.readAllStandardOutput();
                return c->out.contains("@@primary@@") || c->out.contains("@@second@@");
            },
            20000))
            << c->out.toStdString();
        (c->out.contains("@@primary@@") ? primaries : seconds)++;
    }
    EXPECT_EQ(primaries, 1);
    EXPECT_EQ(seconds, 5);
    for (auto& c : children) {
        c->p.closeWriteChannel();
        EXPECT_TRUE(c->p.waitForFinished(10000));
    }
}

}  // namespace
