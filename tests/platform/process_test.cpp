#include "process.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include "fake_process.h"
#include "temp_folder.h"

namespace {

TEST(StartCommandLine, SplitsWithoutAShell) {
    struct {
        QString line;
        bool started;
        QString program;
        QStringList args;
    } const cases[] = {
        {"gedit a.txt", true, "gedit", {"a.txt"}},
        {"\"/opt/my prog/run\" \"x y\" z", true, "/opt/my prog/run", {"x y", "z"}},
        {"  prog   a  ", true, "prog", {"a"}},
        {"prog a;rm b|c $HOME", true, "prog", {"a;rm", "b|c", "$HOME"}},
        {"", false, "", {}},
        {"   ", false, "", {}},
    };
    for (const auto& c : cases) {
        FakeProcesses fake;
        EXPECT_EQ(platform::StartCommandLine(c.line), c.started) << c.line.toStdString();
        if (!c.started) {
            EXPECT_TRUE(fake.starts.empty());
            continue;
        }
        ASSERT_EQ(fake.starts.size(), 1u);
        EXPECT_EQ(fake.starts[0].program, c.program);
        EXPECT_EQ(fake.starts[0].args, c.args);
    }
}

TEST(StartCommandLine, ReportsAFailedStart) {
    FakeProcesses fake;
    fake.result = false;
    EXPECT_FALSE(platform::StartCommandLine("prog"));
    EXPECT_FALSE(platform::StartDetached("", {}));
    EXPECT_EQ(fake.starts.size(), 1u);  // an empty program never reaches the port
}

bool WaitForFile(const QString& path) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 5000) {
        if (QFileInfo::exists(path)) return true;
        QThread::msleep(20);
    }
    return false;
}

TEST(StartDetached, ArgumentsReachTheProgramVerbatim) {
    QString touch = QStandardPaths::findExecutable("touch");
    if (touch.isEmpty()) GTEST_SKIP() << "no touch";
    TempFolder temp;
    QString dir = platform::DiskPath(temp.Path());
    QString odd = dir + "/a b; touch c";
    ASSERT_TRUE(platform::StartDetached(touch, {odd}));
    ASSERT_TRUE(WaitForFile(odd));
    QThread::msleep(100);
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList{QFileInfo(odd).fileName()});
}

TEST(StartDetached, MissingProgramFails) {
    TempFolder temp;
    EXPECT_FALSE(platform::StartDetached(platform::DiskPath(temp.File("no-such-program")), {}));
    EXPECT_FALSE(platform::StartCommandLine(platform::DiskPath(temp.File("nothing")) + " x"));
}

}  // namespace
