#include <gtest/gtest.h>
#include <sys/time.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "cp932.h"
#include "file_io.h"
#include "paths.h"
#include "temp_folder.h"

namespace {

// Sets or clears an environment variable for one test and puts it back afterwards.
class EnvVar {
  public:
    EnvVar(const char* name, const char* value) : name_(name) {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        if (had_) old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~EnvVar() {
        if (had_)
            setenv(name_, old_.c_str(), 1);
        else
            unsetenv(name_);
    }

  private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};

void SetAge(const std::string& path, long long secondsAgo) {
    const long long sec = static_cast<long long>(time(nullptr)) - secondsAgo;
    struct timeval times[2] = {{sec, 0}, {sec, 0}};
    ASSERT_EQ(utimes(platform::DiskPath(path).toLocal8Bit().constData(), times), 0);
}

}  // namespace

TEST(DataFolder, ChosenByEnvironment) {
    const std::string home = platform::FromDiskPath(QDir::homePath());
    struct Case {
        const char* kolvaneHome;
        const char* xdgDataHome;
        std::string expected;
    } cases[] = {
        {"/srv/profile", "/x/data", "/srv/profile"},
        {"/srv/profile//", nullptr, "/srv/profile"},
        {"", "/x/data", "/x/data/kolvane"},
        {nullptr, "/x/data/", "/x/data/kolvane"},
        // Relative values are to be ignored.
        {nullptr, "rel/data", home + "/.local/share/kolvane"},
        {nullptr, "", home + "/.local/share/kolvane"},
        {nullptr, nullptr, home + "/.local/share/kolvane"},
    };
    for (const Case& c : cases) {
        EnvVar a("KOLVANE_HOME", c.kolvaneHome);
        EnvVar b("XDG_DATA_HOME", c.xdgDataHome);
        EXPECT_EQ(platform::DataHomeDir(), c.expected)
            << (c.kolvaneHome ? c.kolvaneHome : "-") << " "
            << (c.xdgDataHome ? c.xdgDataHome : "-");
        EXPECT_NE(platform::DataHomeDir(), platform::ExecutableDir());
    }
}

TEST(DataFolder, PathsKeepTheirRealNameAndCp932PathsTheirBytes) {
    struct {
        QString disk;
        std::string program;  // the program's form, byte for byte
    } const rows[] = {
        {QStringLiteral("/home/user/予定表"), Sj("/home/user/予定表")},
        {QStringLiteral("/srv/ﾒﾓ ①?"), Sj("/srv/ﾒﾓ ①?")},
        {QStringLiteral("/home/rené"),
         "/home/ren\xFD"
         "0000E9"},
        {QStringLiteral("/tmp/josé/😀.txt"),
         "/tmp/jos\xFD"
         "0000E9/\xFD"
         "01F600.txt"},
        // CP932 has a code for these, but it reads back as another character.
        {QStringLiteral("〜¥"),
         "\xFD"
         "00301C\xFD"
         "0000A5"},
        {QStringLiteral("～"), Sj("～")},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(platform::FromDiskPath(row.disk), row.program) << row.disk.toStdString();
        EXPECT_EQ(platform::DiskPath(row.program), row.disk) << row.disk.toStdString();
    }
    // Bytes that are no mark stay what they always were.
    EXPECT_EQ(platform::DiskPath("a\xFD"
                                 "00E9x"),
              QStringLiteral("a?00E9x"));
    EXPECT_EQ(platform::DiskPath("a\xFD"
                                 "110000"),
              QStringLiteral("a?110000"));
    EXPECT_EQ(platform::CharactersOutsideCp932(platform::FromDiskPath(QStringLiteral("/é/予/é😀"))),
              QStringLiteral("é😀"));
    EXPECT_EQ(platform::CharactersOutsideCp932(Sj("/予定")), QString());

    // A folder so named is made and found at its real place.
    TempFolder dir;
    const std::string home = dir.File(platform::FromDiskPath(QStringLiteral("josé")));
    EnvVar kolvaneHome("KOLVANE_HOME", platform::DiskPath(home).toUtf8().constData());
    EXPECT_EQ(platform::DataHomeDir(), home);
    ASSERT_TRUE(platform::MakeFolder(platform::DataHomeDir()));
    ASSERT_TRUE(platform::WriteFileAtomic(platform::JoinPath(home, "Kolvane32.Ini"), "x"));
    EXPECT_TRUE(
        QFile::exists(platform::DiskPath(dir.Path()) + QStringLiteral("/josé/Kolvane32.Ini")));
}

TEST(DataFolder, MadeWithItsParents) {
    TempFolder dir;
    const std::string deep = dir.File("a/b/kolvane");
    EXPECT_TRUE(platform::MakeFolder(deep));
    EXPECT_TRUE(platform::IsFolder(deep));
    EXPECT_TRUE(platform::MakeFolder(deep));  // already there
    ASSERT_TRUE(dir.Write("file", "x"));
    EXPECT_FALSE(platform::MakeFolder(dir.File("file")));
    EXPECT_FALSE(platform::MakeFolder(dir.File("file/sub")));
    EXPECT_FALSE(platform::MakeFolder(""));
}

TEST(DataFolder, FixedNamesFoundWhateverTheirCase) {
    TempFolder dir;
    EXPECT_EQ(platform::FindNameIgnoringCase(dir.Path(), "Kolvane32.ini"), "Kolvane32.ini");
    ASSERT_TRUE(dir.Write("Kolvane32.Ini", "a"));
    EXPECT_EQ(platform::FindNameIgnoringCase(dir.Path(), "Kolvane32.ini"), "Kolvane32.Ini");
    // A folder of that name is no file.
    TempFolder other;
    ASSERT_TRUE(QDir(platform::DiskPath(other.Path())).mkdir(QStringLiteral("KOLVANE32.INI")));
    EXPECT_EQ(platform::FindNameIgnoringCase(other.Path(), "Kolvane32.ini"), "Kolvane32.ini");
    // Of two, the one written last.
    ASSERT_TRUE(dir.Write("KOLVANE32.INI", "b"));
    SetAge(dir.File("Kolvane32.Ini"), 100);
    SetAge(dir.File("KOLVANE32.INI"), 10);
    EXPECT_EQ(platform::FindNameIgnoringCase(dir.Path(), "Kolvane32.ini"), "KOLVANE32.INI");
    SetAge(dir.File("Kolvane32.Ini"), 5);
    EXPECT_EQ(platform::FindNameIgnoringCase(dir.Path(), "Kolvane32.ini"), "Kolvane32.Ini");
    EXPECT_EQ(platform::FindNameIgnoringCase(dir.File("missing"), "Kolvane32.ini"),
              "Kolvane32.ini");
}

TEST(StaleTemporaries, OnlyOurOwnNamesAreTemporaries) {
    struct Case {
        const char* name;
        bool ours;
    } cases[] = {
        {".kolvane-save-gDaWTY.tmp", true},
        {".kolvane-save-a1B2c3.tmp", true},
        {".kolvane-save-gDaWT.tmp", false},    // five
        {".kolvane-save-gDaWTYZ.tmp", false},  // seven
        {".kolvane-save-gDa-TY.tmp", false},
        {".kolvane-save-gDaWTY.tmp~", false},
        {"kolvane-save-gDaWTY.tmp", false},
        {".Kolvane-save-gDaWTY.tmp", false},
        {".kolvane-save-gDaWTY.TMP", false},
        // What another writer leaves, and what users name their own copies.
        {"202612.yo2.gDaWTY", false},
        {"todo.dat.copy01", false},
        {"Kolvane32.ini.save01", false},
    };
    for (const Case& c : cases) EXPECT_EQ(platform::IsSaveTemporaryName(c.name), c.ours) << c.name;
}

TEST(StaleTemporaries, OnlyOldRegularFilesOfOurName) {
    TempFolder dir;
    const std::string old = ".kolvane-save-gDaWTY.tmp";
    const std::string fresh = ".kolvane-save-Fresh1.tmp";
    for (const std::string& name : {old, fresh, std::string("202612.yo2.gDaWTY")})
        ASSERT_TRUE(dir.Write(name, "x"));
    SetAge(dir.File(old), 3600);
    SetAge(dir.File("202612.yo2.gDaWTY"), 3600);
    ASSERT_TRUE(
        QDir(platform::DiskPath(dir.Path())).mkdir(QStringLiteral(".kolvane-save-Folder.tmp")));
    ASSERT_TRUE(QFile::link(platform::DiskPath(dir.File("202612.yo2.gDaWTY")),
                            platform::DiskPath(dir.File(".kolvane-save-Linked.tmp"))));
    EXPECT_EQ(platform::RemoveStaleTemporaries(dir.Path(), 60), 1);
    EXPECT_FALSE(dir.Exists(old));
    EXPECT_TRUE(dir.Exists(fresh)) << "a write may be under way";
    EXPECT_TRUE(dir.Exists("202612.yo2.gDaWTY"));
    EXPECT_TRUE(platform::IsFolder(dir.File(".kolvane-save-Folder.tmp")));
    EXPECT_TRUE(QFileInfo(platform::DiskPath(dir.File(".kolvane-save-Linked.tmp"))).isSymLink());
}
