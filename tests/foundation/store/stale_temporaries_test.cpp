#include "stale_temporaries.h"

#include <gtest/gtest.h>
#include <sys/time.h>

#include <QDir>

#include "cp932.h"
#include "file_io.h"
#include "paths.h"
#include "temp_folder.h"

using namespace foundation;

namespace {

void Age(const std::string& path) {
    const long long sec = static_cast<long long>(time(nullptr)) - 2 * 86400;
    struct timeval times[2] = {{sec, 0}, {sec, 0}};
    ASSERT_EQ(utimes(platform::DiskPath(path).toLocal8Bit().constData(), times), 0);
}

}  // namespace

TEST(StaleTemporaries, OnlyOwnTemporariesGoFromTheProgramsFolders) {
    TempFolder base, dat, memo, diary, elsewhere;
    ASSERT_TRUE(QDir(platform::DiskPath(memo.Path())).mkdir(QStringLiteral("仕事")));
    const TempFolder* const all[] = {&base, &dat, &memo, &diary, &elsewhere};
    const std::string category = platform::JoinPath(memo.Path(), Sj("仕事"));
    const std::string temporary = ".kolvane-save-Zz9yY8.tmp";
    // The user's own files, named as a save temporary of another writer would be: two days old.
    const std::string users[] = {
        "todo.dat.copy01",     "Kolvane32.ini.save01",  "202612.yo2.Backup", "202601.yo2.v2old1",
        Sj("日記.txt.2024ab"), Sj("議事録.txt.ver002"), "photo.bmp.Orig01",  "202612.yo2.gDaWTY",
    };
    std::vector<std::string> kept;
    for (const std::string& folder :
         {base.Path(), dat.Path(), memo.Path(), diary.Path(), category}) {
        for (const std::string& name : users) kept.push_back(platform::JoinPath(folder, name));
        ASSERT_TRUE(platform::WriteFileAtomic(platform::JoinPath(folder, temporary), "x"));
        Age(platform::JoinPath(folder, temporary));
    }
    kept.push_back(elsewhere.File(temporary));
    for (const std::string& path : kept) {
        ASSERT_TRUE(platform::WriteFileAtomic(path, "mine"));
        Age(path);
    }
    // Written a moment ago: another copy of the program may be saving.
    const std::string fresh = dat.File(".kolvane-save-NewOne.tmp");
    ASSERT_TRUE(platform::WriteFileAtomic(fresh, "x"));

    EXPECT_EQ(RemoveStaleTemporaries(base.Path(), dat.Path(), memo.Path(), diary.Path()), 5);
    for (const std::string& path : kept) EXPECT_TRUE(platform::FileExists(path)) << path;
    for (const TempFolder* folder : all) EXPECT_EQ(folder->Exists(temporary), folder == &elsewhere);
    EXPECT_FALSE(platform::FileExists(platform::JoinPath(category, temporary)));
    EXPECT_TRUE(platform::FileExists(fresh));
}

TEST(StaleTemporaries, OneFolderServingSeveralRoles) {
    TempFolder home;
    ASSERT_TRUE(home.Write(".kolvane-save-gDaWTY.tmp", "x"));
    Age(home.File(".kolvane-save-gDaWTY.tmp"));
    EXPECT_EQ(RemoveStaleTemporaries(home.Path(), home.Path(), home.Path(), home.Path()), 1);
    EXPECT_EQ(RemoveStaleTemporaries("", "", "", ""), 0);
}
