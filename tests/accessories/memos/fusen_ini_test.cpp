#include "fusen_ini.h"

#include <gtest/gtest.h>

#include "cp932.h"
#include "temp_folder.h"

using namespace foundation;
using namespace accessories;

namespace {

FusenLook Current() {
    FusenLook c;
    c.top = 40;
    c.left = 30;
    c.font = INIT::DefaultMemoFont();
    return c;
}

TEST(SaveFusenIni, EverySectionAndKeyInOrder) {
    TempFolder dir;
    FusenLook look;
    look.top = 12;
    look.left = -3;
    look.width = 200;
    look.height = 90;
    look.backColor = 0x80FF80;
    look.link = "http://example.com/a b";
    look.temae = true;
    look.font = INIT::DefaultMemoFont();
    look.font.Size = 12;
    look.font.Bold = true;
    look.font.StrikeOut = true;
    ASSERT_TRUE(SaveFusenIni(dir.File(Sj("買物.txt")), look));
    EXPECT_EQ(dir.Read(Sj("買物.Ini")),
              "[TLWH]\r\nT=12\r\nL=-3\r\nW=200\r\nH=90\r\n"
              "[HAIKEI]\r\nCOLOR=8454016\r\n"
              "[ETC]\r\nKANREN=http://example.com/a b\r\nTEMAE=1\r\n"
              "[FONT]\r\nNAME=" +
                  Sj("ＭＳ Ｐゴシック") +
                  "\r\nSIZE=12\r\nCOLOR=-16777208\r\nBold=1\r\nItalic=0\r\nUnderline=0\r\n"
                  "Strikeout=1\r\n");
    EXPECT_FALSE(dir.Exists(Sj("買物.txt")));  // only the companion file is written
}

TEST(SaveFusenIni, KeepsWhatElseTheFileHolds) {
    TempFolder dir;
    ASSERT_TRUE(dir.Write("a.Ini", "; mine\r\n[TLWH]\r\nW=1\r\nX=keep\r\n[OTHER]\r\nk=v\r\n"));
    ASSERT_TRUE(SaveFusenIni(dir.File("a.bmp"), FusenLook{}));
    const std::string bytes = dir.Read("a.Ini");
    EXPECT_EQ(bytes.rfind("; mine\r\n[TLWH]\r\nW=315\r\nX=keep\r\nT=0\r\nL=0\r\nH=124\r\n"
                          "[OTHER]\r\nk=v\r\n[HAIKEI]\r\n",
                          0),
              0u)
        << bytes;
}

TEST(SaveFusenIni, APlaceThePlatformCannotTellKeepsTheStoredOne) {
    TempFolder dir;
    ASSERT_TRUE(dir.Write("a.Ini", "[TLWH]\r\nT=300\r\nL=200\r\nW=1\r\nH=2\r\n"));
    FusenLook look;  // a Wayland client's windows all seem to stand at 0,0
    look.width = 210;
    look.placeKnown = false;
    ASSERT_TRUE(SaveFusenIni(dir.File("a.txt"), look));
    EXPECT_EQ(dir.Read("a.Ini").rfind("[TLWH]\r\nT=300\r\nL=200\r\nW=210\r\nH=124\r\n", 0), 0u);
}

TEST(LoadFusenIni, MissingFileGivesTheDefaultsOfANote) {
    TempFolder dir;
    const FusenLook look = LoadFusenIni(dir.File("none.txt"), Current());
    EXPECT_EQ(look.top, 40);
    EXPECT_EQ(look.left, 30);
    EXPECT_EQ(look.width, 315);
    EXPECT_EQ(look.height, 124);
    EXPECT_EQ(look.backColor, 65535u);
    EXPECT_EQ(look.link, "");
    EXPECT_FALSE(look.temae);
    EXPECT_EQ(look.font.Name, Sj("ＭＳ Ｐゴシック"));
    EXPECT_EQ(look.font.Size, 9);
}

TEST(LoadFusenIni, OneFontStyleOnlyAndSaneSizes) {
    struct {
        const char* name;
        std::string font;
        bool bold, italic, underline, strike;
        int size;
    } const cases[] = {
        {"bold and underline", "Bold=1\r\nUnderline=1\r\n", true, false, false, false, 9},
        {"bold and italic", "Bold=1\r\nItalic=1\r\nStrikeout=1\r\n", true, true, false, false, 9},
        {"italic", "Italic=1\r\nUnderline=1\r\n", false, true, false, false, 9},
        {"strike-out", "Strikeout=1\r\nBold=2\r\n", false, false, false, true, 9},
        {"size 20", "SIZE=20\r\n", false, false, false, false, 20},
        {"size 0", "SIZE=0\r\n", false, false, false, false, 9},
        {"size 1639", "SIZE=1639\r\n", false, false, false, false, 9},
        {"size 1638", "SIZE=1638\r\n", false, false, false, false, 1638},
        {"size garbage", "SIZE=big\r\n", false, false, false, false, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        ASSERT_TRUE(dir.Write("m.Ini", "[FONT]\r\n" + c.font));
        FusenLook current = Current();
        current.font.Underline = true;  // a style the file does not give is not kept
        const FusenLook look = LoadFusenIni(dir.File("m.txt"), current);
        EXPECT_EQ(look.font.Bold, c.bold);
        EXPECT_EQ(look.font.Italic, c.italic);
        EXPECT_EQ(look.font.Underline, c.underline);
        EXPECT_EQ(look.font.StrikeOut, c.strike);
        EXPECT_EQ(look.font.Size, c.size);
    }
}

TEST(LoadFusenIni, SavedLookComesBack) {
    TempFolder dir;
    FusenLook saved = Current();
    saved.top = 300;
    saved.left = 500;
    saved.width = 40;
    saved.height = 33;
    saved.backColor = 0xFF00000F;  // a system colour stays one
    saved.link = Sj("/home/u/書類.odt");
    saved.temae = true;
    saved.font.Name = "Sans";
    saved.font.Color = 0x0000FF;
    saved.font.Italic = true;
    ASSERT_TRUE(SaveFusenIni(dir.File("x.txt"), saved));
    const FusenLook look = LoadFusenIni(dir.File("x.txt"), Current());
    EXPECT_EQ(look.top, 300);
    EXPECT_EQ(look.left, 500);
    EXPECT_EQ(look.width, 40);
    EXPECT_EQ(look.height, 33);
    EXPECT_EQ(look.backColor, 0xFF00000Fu);
    EXPECT_EQ(look.link, saved.link);
    EXPECT_TRUE(look.temae);
    EXPECT_EQ(look.font.Name, "Sans");
    EXPECT_EQ(look.font.Color, 0x0000FFu);
    EXPECT_TRUE(look.font.Italic);
}

TEST(LoadFusenIni, TemaeOnlyWhenExactlyOne) {
    for (const auto& [value, on] : std::vector<std::pair<std::string, bool>>{
             {"1", true}, {"0", false}, {"2", false}, {"-1", false}, {"yes", false}}) {
        TempFolder dir;
        ASSERT_TRUE(dir.Write("m.Ini", "[ETC]\r\nTEMAE=" + value + "\r\n"));
        EXPECT_EQ(LoadFusenIni(dir.File("m.txt"), Current()).temae, on) << value;
    }
}

TEST(LoadFusenIni, APlaceCountsAsStoredOnlyWithBothTopAndLeft) {
    const struct {
        const char* bytes;
        bool stored;
    } cases[] = {
        {"[TLWH]\r\nT=0\r\nL=0\r\nW=9\r\n", true},
        {"[TLWH]\r\nW=315\r\nH=124\r\n", false},
        {"[TLWH]\r\nT=5\r\n", false},
        {"", false},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        ASSERT_TRUE(dir.Write("m.Ini", c.bytes));
        EXPECT_EQ(LoadFusenIni(dir.File("m.txt"), Current()).placeStored, c.stored) << c.bytes;
    }
}

TEST(NewNotePlace, WhollyOnScreenAndClearOfTheMainWindows) {
    const QRect screen(0, 0, 1280, 776);  // a panel below
    const QRect main(0, 0, 206, 265), day(0, 265, 206, 183);
    const struct {
        const char* name;
        QRect proposed;
        std::vector<QRect> keepClear;
        QPoint at;
    } cases[] = {
        {"the index's place is free", QRect(400, 300, 315, 124), {main, day}, QPoint(400, 300)},
        {"on the main window: beside it", QRect(0, 0, 315, 124), {main, day}, QPoint(206, 0)},
        {"off the screen's far corner", QRect(1200, 760, 315, 124), {main}, QPoint(965, 652)},
        {"above and left of the screen", QRect(-50, -30, 315, 124), {}, QPoint(0, 0)},
        {"the right side taken: below",
         QRect(1000, 0, 315, 124),
         {QRect(900, 0, 380, 100)},
         QPoint(965, 100)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NewNotePlace(c.proposed, screen, c.keepClear), c.at) << c.name;
}

TEST(ClampNoteToDesktop, KeptOnTheWholeDesktop) {
    // Two screens side by side: 0..1279 and 1280..2559, 800 high.
    const QRect desktop(0, 0, 2560, 800);
    struct {
        int left, top, width, height;
        int expLeft, expTop, expWidth, expHeight;
    } const cases[] = {
        {-20, 10, 315, 124, 0, 10, 315, 124},
        {2550, 10, 315, 124, 0, 10, 315, 124},       // within 50 of the far edge
        {2509, 749, 315, 124, 2509, 749, 315, 124},  // the second screen is a real place
        {2510, 750, 315, 124, 0, 0, 315, 124},
        {1500, 400, 10, 10, 1500, 400, 25, 20},
        {0, 0, 2147483647, -5, 0, 0, 2560, 20},
        {-2147483647 - 1, 2147483647, 315, 124, 0, 0, 315, 124},
    };
    for (const auto& c : cases) {
        FusenLook look;
        look.left = c.left;
        look.top = c.top;
        look.width = c.width;
        look.height = c.height;
        ClampNoteToDesktop(look, desktop);
        EXPECT_EQ(look.left, c.expLeft) << c.left;
        EXPECT_EQ(look.top, c.expTop) << c.top;
        EXPECT_EQ(look.width, c.expWidth);
        EXPECT_EQ(look.height, c.expHeight);
    }
    FusenLook left;
    left.left = -100;
    ClampNoteToDesktop(left, QRect(-1280, 0, 2560, 800));  // a screen left of the first
    EXPECT_EQ(left.left, -100);
}

}  // namespace
