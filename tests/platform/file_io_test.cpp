#include "file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <vector>

#include "cp932.h"
#include "file_faults.h"
#include "temp_folder.h"

TEST(FileIo, AtomicWriteReplacesWholeFileAndLeavesNoTemporary) {
    TempFolder dir;
    ASSERT_TRUE(dir.Write("a.txt", "old contents that are long"));
    ASSERT_TRUE(platform::WriteFileAtomic(dir.File("a.txt"), "new"));
    EXPECT_EQ(dir.Read("a.txt"), "new");
    EXPECT_EQ(QDir(platform::DiskPath(dir.Path())).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(FileIo, FailureAtAnyStepKeepsTheOldFileAndLeavesNoTemporary) {
    using platform::WriteStep;
    for (WriteStep step :
         {WriteStep::Create, WriteStep::Write, WriteStep::Sync, WriteStep::Rename}) {
        for (bool existing : {true, false}) {
            TempFolder dir;
            if (existing) {
                ASSERT_TRUE(dir.Write("a.txt", "keep me"));
            }
            std::vector<WriteStep> reached;
            platform::SetWriteFaultForTests([&](WriteStep at, const std::string& path) {
                EXPECT_EQ(path, dir.File("a.txt"));
                reached.push_back(at);
                return at == step;
            });
            const bool ok = platform::WriteFileAtomic(dir.File("a.txt"), "lost");
            platform::SetWriteFaultForTests(nullptr);
            const int s = static_cast<int>(step);
            EXPECT_FALSE(ok) << s;
            EXPECT_EQ(reached.size(), static_cast<size_t>(s + 1)) << s;
            EXPECT_EQ(QDir(platform::DiskPath(dir.Path())).entryList(QDir::Files | QDir::Hidden),
                      existing ? QStringList{QStringLiteral("a.txt")} : QStringList())
                << s;
            if (existing) {
                EXPECT_EQ(dir.Read("a.txt"), "keep me") << s;
            }
        }
    }
}

TEST(FileIo, ReplacedFileKeepsItsModesAndLinks) {
    TempFolder dir;
    const QString folder = platform::DiskPath(dir.Path());
    ASSERT_TRUE(dir.Write("shared.txt", "old"));
    // A file shared through a group: the group stays (the user is in it, or root). An ordinary
    // user shares through a group of their own beside the one files get.
    gid_t group = 65534;
    if (geteuid() != 0) {
        gid_t groups[64];
        const int count = getgroups(64, groups);
        group = getegid();
        for (int i = 0; i < count; ++i)
            if (groups[i] != getegid()) group = groups[i];
    }
    ASSERT_EQ(chown(QFile::encodeName(folder + "/shared.txt").constData(), -1, group), 0);
    ASSERT_EQ(chmod(QFile::encodeName(folder + "/shared.txt").constData(), 02640), 0);
    ASSERT_TRUE(dir.Write("real.txt", "old"));
    ASSERT_TRUE(QFile::link(QStringLiteral("real.txt"), folder + "/link.txt"));
    ASSERT_TRUE(QFile::link(QStringLiteral("later.txt"), folder + "/dangling.txt"));
    const mode_t mask = umask(027);
    const bool fresh = platform::WriteFileAtomic(dir.File("new.txt"), "new");
    umask(mask);
    ASSERT_TRUE(fresh);
    for (const char* name : {"shared.txt", "link.txt", "dangling.txt"})
        ASSERT_TRUE(platform::WriteFileAtomic(dir.File(name), "new")) << name;
    auto mode = [&](const char* name) {
        struct stat info;
        EXPECT_EQ(lstat(QFile::encodeName(folder + "/" + name).constData(), &info), 0) << name;
        return info.st_mode;
    };
    EXPECT_EQ(mode("shared.txt") & 07777, 02640u);
    struct stat shared;
    ASSERT_EQ(stat(QFile::encodeName(folder + "/shared.txt").constData(), &shared), 0);
    EXPECT_EQ(shared.st_gid, group);
    EXPECT_EQ(mode("new.txt") & 07777, 0640u);  // 0666 less the umask
    EXPECT_TRUE(S_ISLNK(mode("link.txt")));
    EXPECT_TRUE(S_ISLNK(mode("dangling.txt")));
    EXPECT_EQ(dir.Read("real.txt"), "new");
    EXPECT_EQ(dir.Read("later.txt"), "new");
}

TEST(FileIo, LinksAreFollowedOnlyWhereTheKernelWould) {
    // In a sticky folder that everyone may write, as /tmp: another user's link is not ours to
    // follow, unless the folder is that user's; elsewhere any link is.
    // Another user than the one running the test, also when that is nobody.
    const uid_t other = geteuid() == 65534 ? 65533 : 65534;
    struct {
        const char* what;
        mode_t folderMode;
        uid_t folderOwner, linkOwner;
        bool followed;
    } const rows[] = {
        {"own link in /tmp", 01777, geteuid(), geteuid(), true},
        {"another user's link in /tmp", 01777, geteuid(), other, false},
        {"the folder owner's link", 01777, other, other, true},
        {"another user's link in a plain folder", 0755, geteuid(), other, true},
        {"not sticky but open to all", 0777, geteuid(), other, true},
    };
    for (const auto& row : rows) {
        // Only root may give a link or a folder to another user.
        if (row.linkOwner != geteuid() && geteuid() != 0) continue;
        TempFolder shared, home;
        const QByteArray folder = QFile::encodeName(platform::DiskPath(shared.Path()));
        ASSERT_TRUE(home.Write("schedule.txt", "private"));
        const QByteArray link = folder + "/a.txt";
        ASSERT_EQ(
            symlink(QFile::encodeName(platform::DiskPath(home.File("schedule.txt"))).constData(),
                    link.constData()),
            0);
        ASSERT_EQ(lchown(link.constData(), row.linkOwner, -1), 0);
        ASSERT_EQ(chown(folder.constData(), row.folderOwner, -1), 0);
        ASSERT_EQ(chmod(folder.constData(), row.folderMode), 0);
        EXPECT_EQ(platform::WriteFileAtomic(shared.File("a.txt"), "new"), row.followed) << row.what;
        EXPECT_EQ(home.Read("schedule.txt"), row.followed ? "new" : "private") << row.what;
        struct stat st;
        ASSERT_EQ(lstat(link.constData(), &st), 0);
        EXPECT_TRUE(S_ISLNK(st.st_mode)) << row.what;
        ASSERT_EQ(chown(folder.constData(), geteuid(), -1), 0);
    }
}

TEST(FileIo, FailedWriteKeepsOldFileAndReportsFailure) {
    TempFolder dir;
    ASSERT_TRUE(dir.Write("a.txt", "keep me"));
    // A folder the user may not write in: no temporary can be made there.
    platform::SetWriteFaultForTests([](platform::WriteStep step, const std::string&) {
        return step == platform::WriteStep::Create;
    });
    const bool ok = platform::WriteFileAtomic(dir.File("a.txt"), "lost");
    platform::SetWriteFaultForTests(nullptr);
    EXPECT_FALSE(ok);
    EXPECT_EQ(dir.Read("a.txt"), "keep me");
    EXPECT_FALSE(platform::WriteFileAtomic(dir.File("missing/a.txt"), "x"));
    EXPECT_FALSE(platform::WriteFileAtomic(dir.Path(), "x"));  // a folder
}

TEST(FileIo, ReadFailsOnMissingFileAndFolder) {
    TempFolder dir;
    std::string out = "x";
    EXPECT_FALSE(platform::ReadWholeFile(dir.File("none"), out));
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(platform::ReadWholeFile(dir.Path(), out));
}

TEST(FileIo, Cp932FileNamesAreUtf8OnDisk) {
    TempFolder dir;
    std::string name = Sj("予定表.txt");
    ASSERT_TRUE(dir.Write(name, "x"));
    EXPECT_TRUE(QFile::exists(platform::DiskPath(dir.Path()) + QStringLiteral("/予定表.txt")));
}
