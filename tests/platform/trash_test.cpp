#include "trash.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>

#include "cp932.h"
#include "temp_folder.h"

namespace {

// Points the home and the data folder (where the trash lives) into a temporary folder.
class TrashHome : public ::testing::Test {
  protected:
    void SetUp() override {
        oldHome = qgetenv("HOME");
        oldData = qgetenv("XDG_DATA_HOME");
        qputenv("HOME", platform::DiskPath(home.Path()).toLocal8Bit());
        qputenv("XDG_DATA_HOME", platform::DiskPath(home.File("data")).toLocal8Bit());
    }
    void TearDown() override {
        qputenv("HOME", oldHome);
        if (oldData.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", oldData);
    }
    QString TrashFiles() const { return platform::DiskPath(home.File("data/Trash/files")); }

    TempFolder home;
    QByteArray oldHome, oldData;
};

TEST_F(TrashHome, FileAndFolderGoToTheTrash) {
    ASSERT_TRUE(home.Write(Sj("メモ.txt"), "x"));
    ASSERT_TRUE(QDir().mkpath(platform::DiskPath(home.File(Sj("仕事/sub")))));
    ASSERT_TRUE(home.Write(Sj("仕事/sub/a.txt"), "y"));

    EXPECT_TRUE(platform::MoveToTrash(home.File(Sj("メモ.txt"))));
    EXPECT_TRUE(platform::MoveToTrash(home.File(Sj("仕事/"))));  // final slash of a folder

    EXPECT_FALSE(home.Exists(Sj("メモ.txt")));
    EXPECT_FALSE(QFileInfo::exists(platform::DiskPath(home.File(Sj("仕事")))));
    EXPECT_TRUE(QFileInfo::exists(TrashFiles() + "/メモ.txt"));
    EXPECT_TRUE(QFileInfo::exists(TrashFiles() + "/仕事/sub/a.txt"));
}

TEST_F(TrashHome, InfoFileAndNameClashes) {
    ASSERT_TRUE(QDir().mkpath(platform::DiskPath(home.File("a b"))));
    ASSERT_TRUE(QDir().mkpath(platform::DiskPath(home.File("c"))));
    ASSERT_TRUE(home.Write(Sj("a b/メモ%.txt"), "1"));
    ASSERT_TRUE(home.Write(Sj("c/メモ%.txt"), "2"));
    ASSERT_TRUE(platform::MoveToTrash(home.File(Sj("a b/メモ%.txt"))));
    ASSERT_TRUE(platform::MoveToTrash(home.File(Sj("c/メモ%.txt"))));

    QFile first(TrashFiles() + "/メモ%.txt"), second(TrashFiles() + "/メモ%.txt.2");
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    ASSERT_TRUE(second.open(QIODevice::ReadOnly));
    EXPECT_EQ(first.readAll(), "1");
    EXPECT_EQ(second.readAll(), "2");

    QFile info(platform::DiskPath(home.File("data/Trash/info/")) + "メモ%.txt.2.trashinfo");
    ASSERT_TRUE(info.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = info.readAll().split('\n');
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], "[Trash Info]");
    EXPECT_EQ(lines[1], "Path=" + QFile::encodeName(platform::DiskPath(home.Path())) +
                            "/c/%E3%83%A1%E3%83%A2%25.txt");
    EXPECT_TRUE(QDateTime::fromString(QString::fromLatin1(lines[2].mid(13)), Qt::ISODate).isValid())
        << lines[2].toStdString();
    EXPECT_TRUE(lines[2].startsWith("DeletionDate="));
}

TEST_F(TrashHome, LinkGoesButNotItsTarget) {
    ASSERT_TRUE(home.Write("target.txt", "t"));
    ASSERT_TRUE(QFile::link(platform::DiskPath(home.File("target.txt")),
                            platform::DiskPath(home.File("link"))));
    EXPECT_TRUE(platform::MoveToTrash(home.File("link")));
    EXPECT_EQ(home.Read("target.txt"), "t");
    EXPECT_TRUE(QFileInfo(TrashFiles() + "/link").isSymLink());
}

TEST_F(TrashHome, NothingToTrashFails) {
    for (const std::string& p :
         {std::string(), std::string("/"), std::string("//"), home.File("missing.txt")})
        EXPECT_FALSE(platform::MoveToTrash(p)) << p;
}

TEST_F(TrashHome, NoTrashMeansTheFileStays) {
    // The data folder cannot be made: a plain file stands where its parent should be.
    ASSERT_TRUE(home.Write("blocker", "x"));
    qputenv("XDG_DATA_HOME", platform::DiskPath(home.File("blocker/data")).toLocal8Bit());
    ASSERT_TRUE(home.Write("keep.txt", "data"));
    const bool hadFiles = QFileInfo::exists("files"), hadInfo = QFileInfo::exists("info");
    EXPECT_FALSE(platform::MoveToTrash(home.File("keep.txt")));
    EXPECT_EQ(home.Read("keep.txt"), "data");
    // Nothing may land in the current folder instead.
    EXPECT_EQ(QFileInfo::exists("files"), hadFiles);
    EXPECT_EQ(QFileInfo::exists("info"), hadInfo);
}

}  // namespace
