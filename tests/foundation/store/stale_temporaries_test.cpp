#include "stale_temporaries.h"

#include <gtest/gtest.h>

#include <sys/time.h>

#include <QDir>

#include "paths.h"
#include "temp_folder.h"

namespace {

void Age(const std::string& path) {
    const long long sec = static_cast<long long>(time(nullptr)) - 3600;
    struct timeval times[2] = {{sec, 0}, {sec, 0}};
    ASSERT_EQ(utimes(platform::DiskPath(path).toLocal8Bit().constData(), times), 0);
}

}  // namespace

TEST(StaleTemporaries, OwnNames) {
    struct Case {
        const char* name;
        bool data;
        bool memo;
    } cases[] = {
        {"202612.yo2", true, false},  {"202612.MKF", true, false},  {"2026.ne2", true, false},
        {"20261.yo2", false, false},  {"2026a2.yo2", false, false}, {"Kolvane32.Ini", true, true},
        {"todo.dat", true, false},    {"todo.dat.bak", true, false}, {"memoOp.Ini", true, true},
        {"yo.txt", true, true},       {"report.txt", false, true},  {"2027.hol", false, true},
        {"memo.bmp", false, true},    {"photo.jpg", false, false},  {".txt", false, false},
        {"thesis.docx", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsOwnDataFileName(c.name), c.data) << c.name;
        EXPECT_EQ(IsOwnMemoFileName(c.name), c.memo) << c.name;
    }
}

TEST(StaleTemporaries, SuffixDrawnAtRandom) {
    struct Case {
        const char* name;
        bool random;
    } cases[] = {
        {"202612.yo2.gDaWTY", true}, {"202612.yo2.a1b2c3", true}, {"202612.yo2.ABC123", true},
        {"notes.txt.backup", false}, {"notes.txt.BACKUP", false}, {"notes.txt.123456", false},
        {"notes.txt", false},        {"notes.txt.gDaWT", false},
    };
    for (const Case& c : cases) EXPECT_EQ(LooksRandomSuffix(c.name), c.random) << c.name;
}

TEST(StaleTemporaries, RemovedFromTheProgramsFoldersOnly) {
    TempFolder base, dat, memo, elsewhere;
    ASSERT_TRUE(QDir(platform::DiskPath(memo.Path())).mkdir(QStringLiteral("仕事")));
    const std::string category = platform::JoinPath(memo.Path(), platform::FromDiskPath(QStringLiteral("仕事")));
    struct File {
        const TempFolder* folder;
        std::string name;
        bool removed;
    };
    const std::vector<File> files = {
        {&base, "Kolvane32.ini.gDaWTY", true},
        {&base, "todo.dat.Qx12ab", true},
        {&base, "Kolvane32.ini", false},
        {&base, "diary.txt.Qx12ab", false},  // no file of ours in the data folder
        {&dat, "202612.yo2.gDaWTY", true},
        {&dat, "202612.mkf.k9Lm0p", true},
        {&dat, "202612.yo2", false},
        {&dat, "202612.yo2.backup", false},  // the user's own copy
        {&memo, "買い物.txt.Ab3dEf", true},
        {&memo, "買い物.txt", false},
        {&memo, "photo.jpg.Ab3dEf", false},
        {&elsewhere, "202612.yo2.gDaWTY", false},
    };
    for (const File& f : files) {
        ASSERT_TRUE(f.folder->Write(f.name, "x"));
        Age(f.folder->File(f.name));
    }
    const std::string inCategory = platform::JoinPath(category, "会議.txt.Zz9yY8");
    ASSERT_TRUE(platform::WriteFileAtomic(inCategory, "x"));
    Age(inCategory);
    // Written a moment ago: another copy of the program may be saving.
    ASSERT_TRUE(dat.Write("202611.yo2.NewOne", "x"));

    EXPECT_EQ(RemoveStaleTemporaries(base.Path(), dat.Path(), memo.Path()), 6);
    for (const File& f : files) EXPECT_EQ(f.folder->Exists(f.name), !f.removed) << f.name;
    EXPECT_FALSE(platform::FileExists(inCategory));
    EXPECT_TRUE(dat.Exists("202611.yo2.NewOne"));
}

TEST(StaleTemporaries, OneFolderServingSeveralRoles) {
    TempFolder home;
    ASSERT_TRUE(home.Write("202612.yo2.gDaWTY", "x"));
    ASSERT_TRUE(home.Write("memo.txt.gDaWTY", "x"));
    Age(home.File("202612.yo2.gDaWTY"));
    Age(home.File("memo.txt.gDaWTY"));
    EXPECT_EQ(RemoveStaleTemporaries(home.Path(), home.Path(), home.Path()), 2);
    EXPECT_EQ(RemoveStaleTemporaries("", "", ""), 0);
}
