#include "rescue_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "cp932.h"
#include "paths.h"
#include "temp_folder.h"

using namespace foundation;

namespace {

struct Month {
    YOTEI days[32];
    Month& Text(int day, const char* utf8) {
        days[day].HasText = 1;
        days[day].Text = Sj(utf8);
        return *this;
    }
    Month& Mark(int day) {
        days[day].Mark = 1;
        return *this;
    }
};

}  // namespace

TEST(RescueFile, HoldsEveryDayWithTextOrMarkByteForByte) {
    Month m;
    m.Text(9, "@9:30 会議\r\n資料を持参").Text(31, "大晦日\r\n").Mark(15).Mark(31);
    m.days[20].HasText = 0;  // stale text of a cleared day is not the user's
    m.days[20].Text = "old";
    EXPECT_EQ(RescueText(2026, 12, m.days), Sj("[2026/12/09]\r\n@9:30 会議\r\n資料を持参\r\n\r\n"
                                               "[2026/12/15] ●\r\n\r\n"
                                               "[2026/12/31] ●\r\n大晦日\r\n\r\n"));
    Month empty;
    EXPECT_EQ(RescueText(2026, 12, empty.days), "");
}

TEST(RescueFile, WrittenBesideOthersNeverOverThem) {
    TempFolder dir;
    Month m;
    m.Text(1, "元日");
    const TDateTime now = EncodeDate(2026, 12, 9) + EncodeTime(7, 5, 3, 0);
    // Another user's link at the name, waiting for the text: passed by, and nothing made
    // where it points.
    const QString bait = platform::DiskPath(dir.File("rescue-20261209-070503.txt"));
    ASSERT_TRUE(QFile::link(platform::DiskPath(dir.File("stolen.txt")), bait));
    const mode_t mask = umask(0);
    const std::string first = WriteRescueFile(dir.Path(), 2026, 12, m.days, now);
    const std::string second = WriteRescueFile(dir.Path(), 2026, 12, m.days, now);
    umask(mask);
    EXPECT_EQ(first, dir.File("rescue-20261209-070503-2.txt"));
    EXPECT_EQ(second, dir.File("rescue-20261209-070503-3.txt"));
    EXPECT_FALSE(dir.Exists("stolen.txt"));
    EXPECT_EQ(dir.Read("rescue-20261209-070503-2.txt"), Sj("[2026/12/01]\r\n元日\r\n\r\n"));
    struct stat st;
    ASSERT_EQ(stat(QFile::encodeName(platform::DiskPath(first)).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    Month empty;
    EXPECT_EQ(WriteRescueFile(dir.Path(), 2026, 12, empty.days, now), "");
    EXPECT_EQ(WriteRescueFile(dir.File("missing"), 2026, 12, m.days, now), "");
    EXPECT_EQ(WriteRescueFile("", 2026, 12, m.days, now), "");
}

TEST(RescueFile, GoesOnlyToFoldersOfTheUsersOwnAndTheSharedOneLast) {
    TempFolder root;
    const QString base = platform::DiskPath(root.Path());
    const QByteArray state = QFile::encodeName(base + "/state");
    const QByteArray runtime = QFile::encodeName(base + "/run");
    ASSERT_EQ(mkdir(runtime.constData(), 0700), 0);
    const QByteArray oldState = qgetenv("XDG_STATE_HOME"), oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_STATE_HOME", state);
    qputenv("XDG_RUNTIME_DIR", runtime);
    struct {
        const char* what;
        mode_t mode;
        uid_t owner;
        bool used;
    } const rows[] = {
        {"own data folder", 0755, geteuid(), true},
        {"another user's data folder", 0755, geteuid() == 65534 ? 65533u : 65534u, false},
        {"data folder everyone may write", 0777, geteuid(), false},
    };
    for (const auto& row : rows) {
        // Only root may give a folder to another user.
        if (row.owner != geteuid() && geteuid() != 0) continue;
        const std::string data = root.File(row.what);
        const QByteArray disk = QFile::encodeName(platform::DiskPath(data));
        ASSERT_EQ(mkdir(disk.constData(), row.mode), 0);
        ASSERT_EQ(chmod(disk.constData(), row.mode), 0);
        ASSERT_EQ(chown(disk.constData(), row.owner, -1), 0);
        std::vector<std::string> expected = {
            platform::FromDiskPath(QFile::decodeName(state) + "/kolvane"),
            platform::FromDiskPath(QFile::decodeName(runtime)), platform::SharedTempDir()};
        if (row.used) expected.insert(expected.begin(), data);
        EXPECT_EQ(RescueFolders(data), expected) << row.what;
    }
    struct stat st;
    ASSERT_EQ(stat((state + "/kolvane").constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    qputenv("XDG_STATE_HOME", oldState);
    qputenv("XDG_RUNTIME_DIR", oldRuntime);
    if (oldState.isNull()) qunsetenv("XDG_STATE_HOME");
    if (oldRuntime.isNull()) qunsetenv("XDG_RUNTIME_DIR");
}
