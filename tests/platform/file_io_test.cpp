#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "cp932.h"
#include "file_io.h"
#include "temp_folder.h"

TEST(FileIo, AtomicWriteReplacesWholeFileAndLeavesNoTemporary) {
    TempFolder dir;
    ASSERT_TRUE(dir.Write("a.txt", "old contents that are long"));
    ASSERT_TRUE(platform::WriteFileAtomic(dir.File("a.txt"), "new"));
    EXPECT_EQ(dir.Read("a.txt"), "new");
    EXPECT_EQ(QDir(platform::DiskPath(dir.Path())).entryList(QDir::Files).size(), 1);
}

TEST(FileIo, FailedWriteKeepsOldFileAndReportsFailure) {
    TempFolder dir;
    ASSERT_TRUE(dir.Write("a.txt", "keep me"));
    QFile::setPermissions(platform::DiskPath(dir.Path()), QFile::ReadOwner | QFile::ExeOwner);
    bool ok = platform::WriteFileAtomic(dir.File("a.txt"), "lost");
    QFile::setPermissions(platform::DiskPath(dir.Path()),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (geteuid() != 0) {  // root may write anyway
        EXPECT_FALSE(ok);
        EXPECT_EQ(dir.Read("a.txt"), "keep me");
    }
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
