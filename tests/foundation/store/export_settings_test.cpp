#include "export_settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "cp932.h"
#include "temp_folder.h"

using namespace foundation;

namespace {

void ExpectDefaults(const std::string& folder) {
    EXPECT_EQ(ExportSettings.ind, 0);
    EXPECT_EQ(ExportSettings.kiri_moji, "-");
    EXPECT_EQ(ExportSettings.kiri_n, 0);
    EXPECT_EQ(ExportSettings.fname, "yout.txt");
    EXPECT_EQ(ExportSettings.path, folder + "/");
}

}  // namespace

TEST(ExportSettings, MissingFileGivesTheDefaultsAndTheFolderWithASlash) {
    TempFolder t;
    ExportSettings.ind = 9;
    LoadExportSettings(t.Path());
    ExpectDefaults(t.Path());
    LoadExportSettings(t.Path() + "/");
    EXPECT_EQ(ExportSettings.path, t.Path() + "/");
    EXPECT_FALSE(t.Exists("om_ini.ini"));
}

TEST(ExportSettings, NewFileHoldsTheKeysInOrder) {
    TempFolder t;
    ExportSettings = OML_DATA();
    ExportSettings.ind = 5;
    ExportSettings.kiri_moji = "=";
    ExportSettings.kiri_n = 40;
    ExportSettings.fname = "out.htm";
    ExportSettings.path = "/home/a/";
    ASSERT_TRUE(SaveExportSettings(t.Path()));
    EXPECT_EQ(t.Read("om_ini.ini"),
              "[etc]\r\nind=5\r\nkiri_moji==\r\nkiri_n=40\r\nfname=out.htm\r\npath=/home/a/\r\n");
}

TEST(ExportSettings, RoundTripKeepsEveryValue) {
    struct Case {
        uint8_t ind;
        std::string kiri_moji;
        uint8_t kiri_n;
        std::string fname;
        std::string path;
    } cases[] = {
        {0, "-", 0, "yout.txt", "/x/"},
        {255, Sj("＊★"), 255, Sj("予定 一覧.txt"), Sj("/home/山田 太郎/出力/")},
        {3, " * ", 7, " lead.txt", "/a b/"},
        {1, "\"q\"", 2, "'x'", "/p/"},
        {90, "", 90, "", ""},
    };
    for (const auto& c : cases) {
        TempFolder t;
        ExportSettings = OML_DATA{c.ind, c.kiri_moji, c.kiri_n, c.fname, c.path};
        ASSERT_TRUE(SaveExportSettings(t.Path()));
        ExportSettings = OML_DATA();
        LoadExportSettings(t.Path());
        EXPECT_EQ(ExportSettings.ind, c.ind);
        EXPECT_EQ(ExportSettings.kiri_moji, c.kiri_moji);
        EXPECT_EQ(ExportSettings.kiri_n, c.kiri_n);
        EXPECT_EQ(ExportSettings.fname, c.fname);
        EXPECT_EQ(ExportSettings.path, c.path);
    }
}

TEST(ExportSettings, DamagedValuesFallBackFieldByField) {
    struct Case {
        std::string file;
        int ind;
        std::string kiri_moji;
        int kiri_n;
    } cases[] = {
        {"[etc]\r\nind=256\r\nkiri_n=-1\r\n", 0, "-", 0},
        {"[etc]\r\nind=abc\r\nkiri_n=1e3\r\n", 0, "-", 0},
        {"[etc]\r\nind=4294967301\r\nkiri_n=300\r\n", 0, "-", 0},
        {"[etc]\r\nind= 12 \r\nkiri_n=+16\r\nkiri_moji=~\r\n", 12, "~", 16},
        {"[etc]\r\nind=$10\r\nkiri_n=0x10\r\n", 0, "-", 0},
        {"ind=3\r\nkiri_moji=x\r\n", 0, "-", 0},  // keys outside the section
        {std::string("\x00\xff\x81[etc]\r\nind", 8), 0, "-", 0},
        {"[etc]\r\nkiri_moji=" + std::string(300, 'a') + "\r\n", 0, std::string(255, 'a'), 0},
        {"[etc]\r\nkiri_moji=" + std::string(254, 'a') + Sj("表") + "\r\n", 0,
         std::string(254, 'a'), 0},
    };
    for (const auto& c : cases) {
        TempFolder t;
        ASSERT_TRUE(t.Write("om_ini.ini", c.file));
        LoadExportSettings(t.Path());
        EXPECT_EQ(ExportSettings.ind, c.ind) << c.file;
        EXPECT_EQ(ExportSettings.kiri_moji, c.kiri_moji) << c.file;
        EXPECT_EQ(ExportSettings.kiri_n, c.kiri_n) << c.file;
        EXPECT_EQ(ExportSettings.fname, "yout.txt");
    }
}

TEST(ExportSettings, SavingKeepsOtherLinesOfTheFile) {
    TempFolder t;
    ASSERT_TRUE(
        t.Write("om_ini.ini", "; mine\r\n[etc]\r\npath=/old/\r\nextra=1\r\n[other]\r\nk=v\r\n"));
    LoadExportSettings(t.Path());
    ExportSettings.ind = 2;
    ASSERT_TRUE(SaveExportSettings(t.Path()));
    EXPECT_EQ(t.Read("om_ini.ini"),
              "; mine\r\n[etc]\r\npath=/old/\r\nextra=1\r\nind=2\r\nkiri_moji=-\r\nkiri_n=0\r\n"
              "fname=yout.txt\r\n[other]\r\nk=v\r\n");
}

TEST(ExportSettings, AFolderInPlaceOfTheFileGivesDefaultsAndAFailedSave) {
    TempFolder t;
    std::filesystem::create_directory(platform::DiskPath(t.File("om_ini.ini")).toStdString());
    LoadExportSettings(t.Path());
    ExpectDefaults(t.Path());
    EXPECT_FALSE(SaveExportSettings(t.Path()));
    EXPECT_FALSE(SaveExportSettings(t.Path() + "/missing"));
}
