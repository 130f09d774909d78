#include "settings_file.h"

#include <gtest/gtest.h>

#include <functional>

#include "cp932.h"
#include "date_time.h"
#include "fake_clock.h"
#include "fake_messages.h"
#include "globals.h"
#include "ini_profile.h"
#include "program_test.h"
#include "temp_folder.h"

using namespace foundation;
using namespace schedule;

namespace {

class FakeHost : public SettingsHost {
  public:
    void ShowSettingsDialog() override {
        ++dialogs;
        if (onDialog) onDialog();
    }
    void MainWindowTopLeft(int16_t& t, int16_t& l) override {
        t = top;
        l = left;
    }
    int dialogs = 0;
    std::function<void()> onDialog;
    int16_t top = 12;
    int16_t left = 34;
};

class SettingsFileTest : public ProgramTest {
  protected:
    void SetUp() override {
        AppDir = "/opt/kolvane";  // data folders default to BaseDir
        BaseDir = tmp.Path();
        path = tmp.File(SettingsFileName());
    }

    // Loads `body` (lines of [section] key=value) into a fresh Settings.
    bool LoadFrom(const std::string& body) {
        tmp.Write(SettingsFileName(), body);
        Settings = INIT();
        return LoadSettings(path, host);
    }
    bool Reload() {
        Settings = INIT();
        return LoadSettings(path, host);
    }
    std::string Saved() {
        EXPECT_TRUE(SaveSettings(path, host));
        return tmp.Read(SettingsFileName());
    }
    std::string Value(const std::string& section, const std::string& key) {
        return platform::IniProfile(path).ReadString(section, key, "<missing>");
    }

    FakeClock clock;  // 2004-05-01 09:00:00
    FakeMessages messages;
    TempFolder tmp;
    FakeHost host;
    std::string path;
    const std::string kPath = "[path]\r\ndat_Path=/data\r\n";
};

TEST_F(SettingsFileTest, NoFileGivesDefaultsAndShowsTheDialogOnce) {
    ASSERT_TRUE(LoadSettings(path, host));
    EXPECT_EQ(host.dialogs, 1);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(tmp.Exists(SettingsFileName()));
    const INIT& s = Settings;
    EXPECT_EQ(s.dat_Path, tmp.Path());
    EXPECT_EQ(s.memo_path, tmp.Path());
    EXPECT_EQ(s.ni_dir, tmp.Path());
    EXPECT_EQ(s.TM_TT, 15000);
    EXPECT_EQ(s.HOTKEY, 'J');
    EXPECT_EQ(s.MemoFont.Name, Sj("ＭＳ Ｐゴシック"));
    EXPECT_EQ(s.smm, EncodeDate(2004, 5, 1) + EncodeTime(9, 0, 0, 0));
    EXPECT_EQ(s.emm, s.smm);
}

TEST_F(SettingsFileTest, DataFoldersDefaultToTheProgramFolderWithoutBaseDir) {
    BaseDir.clear();
    AppDir = "/opt/kolvane";
    ASSERT_TRUE(LoadSettings(path, host));
    EXPECT_EQ(Settings.dat_Path, "/opt/kolvane");
    EXPECT_EQ(Settings.ni_dir, "/opt/kolvane");
}

TEST_F(SettingsFileTest, DialogChoicesAreKept) {
    host.onDialog = [] {
        Settings.dat_Path = "/chosen";
        Settings.memo_path.clear();
    };
    ASSERT_TRUE(LoadSettings(path, host));
    EXPECT_EQ(Settings.dat_Path, "/chosen");
    EXPECT_EQ(Settings.memo_path, "/chosen");
}

TEST_F(SettingsFileTest, EmptyScheduleFolderAfterTheDialogGivesUp) {
    host.onDialog = [] { Settings.dat_Path.clear(); };
    EXPECT_FALSE(LoadSettings(path, host));
    EXPECT_EQ(host.dialogs, 1);
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], QString::fromUtf8("予定格納ディレクトリは省略できません。"));
    EXPECT_EQ(messages.shown[0].kind, platform::MsgKind::Plain);
    EXPECT_FALSE(tmp.Exists(SettingsFileName()));
}

TEST_F(SettingsFileTest, ScheduleFolderInTheFileSkipsTheDialog) {
    ASSERT_TRUE(LoadFrom(kPath));
    EXPECT_EQ(host.dialogs, 0);
    EXPECT_EQ(Settings.dat_Path, "/data");
    EXPECT_EQ(Settings.memo_path, "/data");  // step 12
}

TEST_F(SettingsFileTest, AutoCloseTimeClamp) {
    struct Case {
        const char* value;
        int32_t expected;
    } cases[] = {
        {"0", 0},         {"5", 5},         {"60000", 60000},    {"30000", 30000},
        {"60005", 15000}, {"60001", 15000}, {"7", 15000},        {"-5", 15000},
        {"-1", 15000},    {"x", 15000},     {"99999999", 15000},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(LoadFrom(kPath + "[etc]\r\nTM_TT=" + c.value + "\r\n"));
        EXPECT_EQ(Settings.TM_TT, c.expected) << c.value;
    }
}

TEST_F(SettingsFileTest, HotKeyLetter) {
    struct Case {
        std::string value;
        char expected;
    } cases[] = {
        {"B", 'B'}, {"BX", 'B'}, {"Z", 'Z'}, {"ZA", 'J'}, {"a", 'J'},      {"1", 'J'},
        {"", 'J'},  {"k", 'J'},  {"Q", 'Q'}, {"A", 'A'},  {Sj("Ａ"), 'J'},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(LoadFrom(kPath + "[etc]\r\nHOTKEY=" + c.value + "\r\n"));
        EXPECT_EQ(Settings.HOTKEY, c.expected) << c.value;
    }
    ASSERT_TRUE(LoadFrom(kPath));
    EXPECT_EQ(Settings.HOTKEY, 'J');  // missing key
}

TEST_F(SettingsFileTest, HotKeyIsWrittenAsOneLetter) {
    Settings.HOTKEY = 'Q';
    Saved();
    EXPECT_EQ(Value("etc", "HOTKEY"), "Q");
    Settings.HOTKEY = '\0';
    Saved();
    EXPECT_EQ(Value("etc", "HOTKEY"), "");
}

TEST_F(SettingsFileTest, MemoFontStyleOnReading) {
    struct Case {
        const char* flags;  // fontBold, fontItalic, fontUnderline, fontStrikeout
        bool b, i, u, s;
    } cases[] = {
        {"0000", false, false, false, false}, {"1000", true, false, false, false},
        {"0100", false, true, false, false},  {"1100", true, true, false, false},
        {"0010", false, false, true, false},  {"0001", false, false, false, true},
        {"1010", true, false, false, false},  {"0111", false, true, false, false},
        {"0011", false, false, true, false},  {"1111", true, true, false, false},
        {"2000", false, false, false, false},
    };
    for (const auto& c : cases) {
        std::string body = kPath + "[memo]\r\n";
        const char* keys[] = {"fontBold", "fontItalic", "fontUnderline", "fontStrikeout"};
        for (int k = 0; k < 4; ++k) body += std::string(keys[k]) + "=" + c.flags[k] + "\r\n";
        ASSERT_TRUE(LoadFrom(body));
        const StoredFont& f = Settings.MemoFont;
        EXPECT_EQ(f.Bold, c.b) << c.flags;
        EXPECT_EQ(f.Italic, c.i) << c.flags;
        EXPECT_EQ(f.Underline, c.u) << c.flags;
        EXPECT_EQ(f.StrikeOut, c.s) << c.flags;
    }
}

TEST_F(SettingsFileTest, MemoFontStyleOnWriting) {
    struct Case {
        bool b, i, u, s;
        const char* written;  // fontBold, fontItalic, fontUnderline, fontStrikeout
    } cases[] = {
        {false, false, false, false, "0000"}, {true, false, false, false, "1000"},
        {false, true, false, false, "0100"},  {true, true, false, false, "1100"},
        {false, false, true, false, "0010"},  {false, false, false, true, "0001"},
        {true, false, true, false, "0000"},   {false, true, false, true, "0000"},
        {false, false, true, true, "0000"},   {true, true, true, true, "0000"},
    };
    for (const auto& c : cases) {
        Settings.MemoFont.Bold = c.b;
        Settings.MemoFont.Italic = c.i;
        Settings.MemoFont.Underline = c.u;
        Settings.MemoFont.StrikeOut = c.s;
        Saved();
        std::string got = Value("memo", "fontBold") + Value("memo", "fontItalic") +
                          Value("memo", "fontUnderline") + Value("memo", "fontStrikeout");
        EXPECT_EQ(got, c.written) << c.b << c.i << c.u << c.s;
    }
}

TEST_F(SettingsFileTest, BoldFontChangedToItalicReadsItalicOnly) {
    Settings.dat_Path = "/data";
    Settings.MemoFont.Bold = true;
    Saved();
    ASSERT_TRUE(Reload());
    ASSERT_TRUE(Settings.MemoFont.Bold);
    Settings.MemoFont.Bold = false;
    Settings.MemoFont.Italic = true;
    Saved();
    ASSERT_TRUE(Reload());
    EXPECT_FALSE(Settings.MemoFont.Bold);
    EXPECT_TRUE(Settings.MemoFont.Italic);
    EXPECT_FALSE(Settings.MemoFont.Underline);
    EXPECT_FALSE(Settings.MemoFont.StrikeOut);
}

TEST_F(SettingsFileTest, ByteAndShortFieldsKeepTheirLowBits) {
    struct Case {
        const char* section;
        const char* key;
        const char* value;
        std::function<int()> field;
        int expected;
    } cases[] = {
        {"etc", "now_memo_dtype", "-1", [] { return Settings.now_memo_dtype; }, 255},
        {"etc", "now_memo_dtype", "300", [] { return Settings.now_memo_dtype; }, 44},
        {"etc", "now_memo_dtype", "3", [] { return Settings.now_memo_dtype; }, 3},
        {"yo3_tlwh", "scl", "257", [] { return Settings.scl; }, 1},
        {"etc", "shirase", "-1", [] { return Settings.shirase; }, 255},
        {"yo3_tlwh", "t", "70000", [] { return Settings.yo3_tlwh.t; }, 4464},
        {"yo3_tlwh", "t", "-32769", [] { return Settings.yo3_tlwh.t; }, 32767},
        {"tuki_tlwh", "spl", "-3", [] { return Settings.tuki_tlwh.spl; }, -3},
    };
    for (const auto& c : cases) {
        std::string body = kPath + "[" + c.section + "]\r\n" + c.key + "=" + c.value + "\r\n";
        ASSERT_TRUE(LoadFrom(body));
        EXPECT_EQ(c.field(), c.expected) << c.key << "=" << c.value;
    }
}

TEST_F(SettingsFileTest, MissingMemoTypeIsWrittenAs255) {
    ASSERT_TRUE(LoadFrom(kPath));
    Saved();
    EXPECT_EQ(Value("etc", "now_memo_dtype"), "255");
}

TEST_F(SettingsFileTest, CountdownIsNeverArmedAfterARestart) {
    Settings.Alarms[3].OnOff = 1;
    Settings.Alarms[3].Minute = 10;
    Settings.Alarms[3].Wav = "/snd/tt.wav";
    Settings.dat_Path = "/data";
    const std::string text = Saved();
    EXPECT_EQ(text.find("almTT_OnOff"), std::string::npos);
    Settings.Alarms[3].OnOff = 1;  // a fresh record would hide a missing reset
    ASSERT_TRUE(LoadSettings(path, host));
    EXPECT_EQ(Settings.Alarms[3].OnOff, 0);
    EXPECT_EQ(Settings.Alarms[3].Minute, 10);
    EXPECT_EQ(Settings.Alarms[3].Wav, "/snd/tt.wav");
}

TEST_F(SettingsFileTest, AlarmSlotsRoundTrip) {
    Settings.dat_Path = "/data";
    Settings.Alarms[0] = {1, 0, 0, "/a0.wav"};
    Settings.Alarms[1] = {1, 0, 0, "/a30.wav"};
    Settings.Alarms[2] = {1, 45, 7, "/day.wav"};
    Saved();
    EXPECT_EQ(Value("ALM", "alm_mm"), "45");
    EXPECT_EQ(Value("ALM", "alm_hh"), "7");
    ASSERT_TRUE(Reload());
    EXPECT_EQ(Settings.Alarms[0].OnOff, 1);
    EXPECT_EQ(Settings.Alarms[0].Wav, "/a0.wav");
    EXPECT_EQ(Settings.Alarms[1].Wav, "/a30.wav");
    EXPECT_EQ(Settings.Alarms[2].Minute, 45);
    EXPECT_EQ(Settings.Alarms[2].Hour, 7);
    EXPECT_EQ(Settings.Alarms[2].Wav, "/day.wav");
}

TEST_F(SettingsFileTest, ColoursRoundTripAsSignedIntegers) {
    struct Case {
        const char* key;
        const char* value;
        std::function<uint32_t()> field;
        uint32_t stored;
        const char* written;
    } cases[] = {
        {"MAKUCOL", "-16777201", [] { return Settings.MAKUCOL; }, 0xFF00000Fu, "-16777201"},
        {"YoubiTitleCol0", "4294967295", [] { return Settings.YoubiTitleCol[0]; }, 0xFFFFFFFFu,
         "-1"},
        {"YoubiTitleCol6", "$FF", [] { return Settings.YoubiTitleCol[6]; }, 0xFFu, "255"},
        {"HolidayMojiCol", "-16777208", [] { return Settings.HolidayMojiCol; }, 0xFF000008u,
         "-16777208"},
        {"uhori_color", "16711935", [] { return Settings.uhori_color; }, 0xFF00FFu, "16711935"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(LoadFrom(kPath + "[etc]\r\n" + c.key + "=" + c.value + "\r\n"));
        EXPECT_EQ(c.field(), c.stored) << c.key;
        Saved();
        EXPECT_EQ(Value("etc", c.key), c.written) << c.key;
    }
    ASSERT_TRUE(LoadFrom(kPath + "[memo]\r\ncolor=-16777211\r\nfontCOLOR=-16777201\r\n"));
    EXPECT_EQ(Settings.memo_color, 0xFF000005u);
    EXPECT_EQ(Settings.MemoFont.Color, 0xFF00000Fu);
}

TEST_F(SettingsFileTest, LongTextsAreCutAtACharacterBoundary) {
    const std::string kanji = Sj("日");  // two bytes
    struct Case {
        std::string text;
        size_t kept;
    } cases[] = {
        {std::string(255, 'a'), 255},
        {std::string(256, 'a'), 255},
        {std::string(254, 'a') + kanji, 254},  // the character would need bytes 255 and 256
        {std::string(253, 'a') + kanji + "b", 255},
        {std::string(253, 'a') + kanji, 255},
        // The mark of a path character ("é") goes whole or not at all.
        {std::string(250, 'a') + "\xFD"
                                 "0000E9",
         250},
        {std::string(248, 'a') + "\xFD"
                                 "0000E9",
         255},
        {"", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CutText255(c.text), c.text.substr(0, c.kept)) << c.text.size();
        ASSERT_TRUE(LoadFrom(kPath + "[NIK]\r\nni_dir=" + c.text +
                             "\r\n[ALM]\r\nalm_wav=" + c.text + "\r\n"));
        EXPECT_EQ(Settings.ni_dir.size(), c.kept);
        EXPECT_EQ(Settings.Alarms[2].Wav, c.text.substr(0, c.kept));
    }
    Settings.ni_tmp = std::string(254, 'x') + kanji;
    Saved();
    EXPECT_EQ(Value("NIK", "ni_tmp"), std::string(254, 'x'));
}

TEST_F(SettingsFileTest, DateTimesAreStampTexts) {
    ASSERT_TRUE(LoadFrom(kPath + "[date]\r\nsmm=2003/12/31 23:59:58\r\nemm=garbage\r\n"));
    EXPECT_EQ(Settings.smm, EncodeDate(2003, 12, 31) + EncodeTime(23, 59, 58, 0));
    EXPECT_EQ(Settings.emm, EncodeDate(2004, 5, 1) + EncodeTime(9, 0, 0, 0));
    Settings.emm = EncodeDate(2004, 5, 2) + EncodeTime(7, 5, 3, 0);
    Saved();
    EXPECT_EQ(Value("date", "smm"), "2003/12/31 23:59:58");
    EXPECT_EQ(Value("date", "emm"), "2004/ 5/ 2  7:05:03");
}

TEST_F(SettingsFileTest, LineBreaksNeverReachTheFile) {
    Settings.name = "a\r\nb";
    const std::string text = Saved();
    EXPECT_NE(text.find("\r\nname=a  b\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, UnknownKeysAndSectionsAreKept) {
    const std::string original =
        "; comment\r\n[etc]\r\nfoo=bar\r\nTM_TT=5000\r\n\r\n[other]\r\nx=1\r\n" + kPath;
    ASSERT_TRUE(LoadFrom(original));
    const std::string text = Saved();
    EXPECT_EQ(text.rfind("; comment\r\n[etc]\r\nfoo=bar\r\nTM_TT=5000\r\n", 0), 0u);
    EXPECT_NE(text.find("\r\n\r\n[other]\r\nx=1\r\n[path]\r\ndat_Path=/data\r\n"),
              std::string::npos);
}

TEST_F(SettingsFileTest, LoadSaveLoadIsStable) {
    ASSERT_TRUE(LoadFrom(kPath));
    const std::string first = Saved();
    ASSERT_TRUE(Reload());
    EXPECT_EQ(Saved(), first);

    ASSERT_TRUE(LoadFrom(
        "[etc]\r\nTM_TT = 7\r\nHOTKEY=zz\r\nMAKUCOL=4294967295\r\n"
        "now_memo_dtype=-1\r\n[NIK]\r\nni_dir=" +
        std::string(300, 'n') + "\r\n[memo]\r\nfontBold=1\r\nfontUnderline=1\r\n" + kPath));
    const std::string once = Saved();
    ASSERT_TRUE(Reload());
    EXPECT_EQ(Saved(), once);
}

TEST_F(SettingsFileTest, DefaultSaveLayout) {
    ASSERT_TRUE(LoadSettings(path, host));
    Settings.tavik_tlwh.w = 210;
    Settings.tavik_tlwh.h = 270;
    const std::string text = Saved();
    const std::string head =
        "[yo3_tlwh]\r\nt=-10\r\nl=-10\r\nw=-10\r\nh=-10\r\nscl=1\r\nrendo=0\r\n"
        "[tavik_tlwh]\r\nt=12\r\nl=34\r\nw=210\r\nh=270\r\n"
        "[etc]\r\nTM_TT=15000\r\nalm_Znaru=0\r\nyoAruDsp=0\r\nwareki=0\r\ncal_flg=0\r\n";
    EXPECT_EQ(text.substr(0, head.size()), head);
    const std::string lines[] = {
        "\r\n[memo]\r\nfontNAME=" + Sj("ＭＳ Ｐゴシック") +
            "\r\nfontSIZE=9\r\nfontCOLOR=-16777208\r\nfontBold=0\r\nfontItalic=0\r\n"
            "fontUnderline=0\r\nfontStrikeout=0\r\ncolor=65535\r\n[path]\r\n",
        "\r\n[date]\r\nsmm=2004/ 5/ 1  9:00:00\r\nemm=2004/ 5/ 1  9:00:00\r\n[tel_tlwh]\r\n",
        "\r\n[tuki_tlwh]\r\nt=0\r\nl=0\r\nw=640\r\nh=480\r\nspl=177\r\n",
        "\r\n[mokuzi_tlwh]\r\nt=0\r\nl=0\r\nw=266\r\nh=377\r\nlv1_w=145\r\nfb1_h=177\r\n",
        "\r\nuhori_color=16711935\r\n",
        "\r\nnow_memo_dtype=255\r\nnow_memo_fname=\r\n",
        "\r\nHOTKEY=J\r\nMAKUCOL=65535\r\nYoubiTitleCol0=255\r\nYoubiTitleCol1=0\r\n",
        "\r\nYoubiTitleCol6=16711680\r\nHolidayMojiCol=255\r\n[memo]\r\n",
        "\r\n[ALM]\r\nalm0_OnOff=0\r\nalm0_wav=\r\nalm30_OnOff=0\r\nalm30_wav=\r\n"
        "alm_OnOff=0\r\nalm_mm=0\r\nalm_hh=0\r\nalm_wav=\r\nalmTT_mm=0\r\nalmTT_wav=\r\n"
        "[NIK]\r\n",
    };
    for (const auto& l : lines) EXPECT_NE(text.find(l), std::string::npos) << l;
    const std::string tail =
        "\r\n[NIK]\r\nni_dir=" + tmp.Path() + "\r\nni_tmp=\r\nni_prg=notepad.exe\r\n";
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST_F(SettingsFileTest, SaveFailsWhereNoFileCanBeWritten) {
    Settings.dat_Path = "/data";
    EXPECT_FALSE(SaveSettings(tmp.File("missing/Kolvane32.ini"), host));
}

}  // namespace
