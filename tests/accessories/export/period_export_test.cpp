#include "period_export.h"

#include <gtest/gtest.h>

#include "cp932.h"
#include "date_time.h"
#include "export_settings.h"
#include "fake_clipboard.h"
#include "fake_desktop.h"
#include "fake_folder_picker.h"
#include "fake_messages.h"
#include "folders.h"
#include "globals.h"
#include "period_export_dialog.h"
#include "program_test.h"
#include "schedule_store.h"
#include "temp_folder.h"

using namespace foundation;
using namespace accessories;

namespace {

// A schedule folder with the given day texts (CP932) in its month files.
struct Book {
    FreshGlobals fresh;
    TempFolder dir;
    explicit Book(std::initializer_list<std::tuple<int, int, int, std::string>> texts) {
        Settings.dat_Path = dir.Path();
        for (auto [y, m, d, text] : texts) {
            YOTEI days[32];
            store::LoadMonth(dir.Path(), "", y, m, days);
            days[d].HasText = 1;
            days[d].Text = text;
            store::SaveMonth(dir.Path(), y, m, days);
        }
    }
    // The month view's state: this month loaded.
    void Show(int y, int m, int d) {
        CurYear = y;
        CurMonth = m;
        CurDay = d;
        LoadMonthSchedule();
    }
};

Period MakeRun(int y, int m, int d, int n, bool beyond) {
    Period p;
    EXPECT_TRUE(MakePeriod(QString::number(y), QString::number(m), QString::number(d),
                           QString::number(n), beyond, p));
    return p;
}

int Count(const std::string& text, const std::string& piece) {
    int n = 0;
    for (size_t p = text.find(piece); p != std::string::npos; p = text.find(piece, p + 1)) ++n;
    return n;
}

}  // namespace

TEST(PeriodText, AlignsLinesUnderTheFirstAndSeparatesDays) {
    Book book({{2024, 1, 15, "first line\r\nsecond line"}});
    book.Show(2024, 1, 3);
    PeriodOptions o;
    o.ind = 2;
    o.kiri_moji = "-";
    o.kiri_n = 5;
    EXPECT_EQ(PeriodText(MakeRun(2024, 1, 15, 1, false), o, nullptr),
              Sj("-----\r\n"
                 " 1月15日(月)    first line\r\n"
                 "                second line\r\n"
                 "-----\r\n"
                 " 1月16日(火)  \r\n"
                 "-----\r\n"));
}

TEST(PeriodText, HeadingsAreFourteenColumns) {
    struct Case {
        int month, day, weekday;
        const char* heading;
    } cases[] = {
        {1, 5, 0, " 1月 5日(日)  "},
        {12, 31, 6, "12月31日(土)  "},
        {10, 1, 3, "10月 1日(水)  "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PeriodHeading(c.month, c.day, c.weekday), Sj(c.heading));
        EXPECT_EQ(PeriodHeading(c.month, c.day, c.weekday).size(), 14u);
    }
}

TEST(PeriodText, RunLengthAndDatedDays) {
    // Texts on 2024-01-20 and 2024-03-10; the view shows January.
    struct Case {
        int n;
        bool beyond, dateEmpty;
        int headings;  // lines of the form "..月..日(.)"
        bool hasMarch;
    } cases[] = {
        {30, false, true, 31, false},  // 15 Jan .. 14 Feb inclusive
        {30, true, true, 32, true},    // up to S + 30 dated, then only days with text
        {30, false, false, 1, false},  // only the day with text
        {0, false, true, 3, true},     // N 0: a year's run, only the start dated
        {-3, false, true, 2, true},    // negative: no empty day dated
        {60, false, false, 2, true},
    };
    for (const auto& c : cases) {
        Book book({{2024, 1, 20, "a"}, {2024, 3, 10, "b"}});
        book.Show(2024, 1, 15);
        PeriodOptions o;
        o.dateEmptyDays = c.dateEmpty;
        const std::string text = PeriodText(MakeRun(2024, 1, 15, c.n, c.beyond), o, nullptr);
        EXPECT_EQ(Count(text, Sj("日(")), c.headings) << c.n << c.beyond << c.dateEmpty;
        EXPECT_EQ(text.find(Sj(" 3月10日(日)  b")) != std::string::npos, c.hasMarch) << c.n;
        EXPECT_EQ(Count(text, "-"), 0);  // no separators with kiri_n 0
    }
}

TEST(PeriodText, NothingToSayGivesNoTextAtAll) {
    Book book({});
    book.Show(2024, 1, 1);
    PeriodOptions o;
    o.dateEmptyDays = false;
    o.kiri_n = 3;
    EXPECT_EQ(PeriodText(MakeRun(2024, 1, 1, 30, true), o, nullptr), "");
}

TEST(PeriodText, LoadsEachMonthItEntersAndReportsProgress) {
    Book book({{2024, 2, 2, "from the file"}, {2024, 1, 31, "saved"}});
    book.Show(2024, 1, 9);
    MonthDays[31].Text = "in memory";  // the month on show is taken as it stands
    std::vector<int> gauge;
    PeriodOptions o;
    o.dateEmptyDays = false;
    const std::string text =
        PeriodText(MakeRun(2024, 1, 30, 40, false), o, [&](int p) { gauge.push_back(p); });
    EXPECT_EQ(text, Sj(" 1月31日(水)  in memory\r\n 2月 2日(金)  from the file\r\n"));
    EXPECT_EQ(gauge, (std::vector<int>{5, 77}));  // entering February, then March
    EXPECT_EQ(CurYear, 2024);
    EXPECT_EQ(CurMonth, 3);
    EXPECT_EQ(CurDay, 1);
}

TEST(PeriodText, DamagedMonthFilesGiveWhatCanBeRead) {
    FakeMessages messages;  // each is told once
    Book book({});
    ASSERT_TRUE(
        book.dir.Write("202402.yo2", "#S#!\r\n" + std::string(1 << 20, 'a') + "\r\nno end"));
    ASSERT_TRUE(book.dir.Write("202403.yo2", std::string("#S#!\r\n\x81\xff\x00\r\n#E#!\r\n", 14)));
    book.Show(2024, 1, 1);
    PeriodOptions o;
    o.dateEmptyDays = false;
    const std::string text = PeriodText(MakeRun(2024, 1, 31, 40, false), o, nullptr);
    EXPECT_EQ(text.substr(0, 14), PeriodHeading(2, 1, 4));
    EXPECT_GT(text.size(), size_t(1) << 20);
}

TEST(PeriodText, ProgressStaysWithinItsRange) {
    Book book({});
    book.Show(2024, 1, 1);
    std::vector<int> gauge;
    PeriodText(MakeRun(2024, 1, 1, 30, true), PeriodOptions(), [&](int p) { gauge.push_back(p); });
    ASSERT_FALSE(gauge.empty());
    EXPECT_EQ(gauge.front(), 100);  // February starts at day 31 of 30
    EXPECT_EQ(gauge.back(), 100);
}

TEST(MakePeriod, RefusesWhatIsNoDateOrRunsPastTheLastYear) {
    struct Case {
        const char *y, *m, *d, *n;
        bool beyond, ok;
        long length;
    } cases[] = {
        {"2024", "1", "15", "30", false, true, 30},
        {" 2024 ", "+1", "15", "30", true, true, 365},
        {"2024", "1", "15", "-2", false, true, 365},
        {"2024", "2", "30", "30", false, false, 0},
        {"2024", "13", "1", "30", false, false, 0},
        {"2024", "x", "1", "30", false, false, 0},
        {"", "1", "1", "30", false, false, 0},
        {"2024", "1", "1", "", false, false, 0},
        {"2024", "1", "1", "3.5", false, false, 0},
        {"0", "1", "1", "30", false, false, 0},
        {"9999", "12", "1", "30", false, true, 30},
        {"9999", "12", "2", "30", false, false, 0},
        {"9998", "12", "31", "0", false, true, 365},
        {"9999", "1", "1", "30", true, false, 0},
        {"2024", "1", "1", "99999999999", false, false, 0},
    };
    for (const auto& c : cases) {
        Period p;
        EXPECT_EQ(MakePeriod(c.y, c.m, c.d, c.n, c.beyond, p), c.ok) << c.y << c.m << c.d << c.n;
        if (c.ok) {
            EXPECT_EQ(p.length, c.length) << c.y << c.m << c.d << c.n;
        }
    }
}

TEST(ParseOptionByte, AcceptsOnlyZeroTo255) {
    struct Case {
        const char* text;
        bool ok;
        int value;
    } cases[] = {{"0", true, 0},   {" 90 ", true, 90}, {"255", true, 255}, {"256", false, 0},
                 {"-1", false, 0}, {"", false, 0},     {"5a", false, 0},   {"１", false, 0}};
    for (const auto& c : cases) {
        uint8_t v = 7;
        EXPECT_EQ(ParseOptionByte(QString::fromUtf8(c.text), v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value);
        }
    }
}

TEST(PeriodHtmlPage, WrapsAndEscapesTheText) {
    EXPECT_EQ(PeriodFileBytes(PeriodHtmlPage("a<b>&\r\n")),
              Sj("<HTML><HEAD><TITLE>予定表</TITLE></HEAD><BODY>\r\n"
                 "<CENTER><H3>予定表</H3></CENTER><P>\r\n"
                 "<HR><PRE>a&lt;b&gt;&amp;\r\n</PRE><HR></BODY></HTML>\r\n"));
    EXPECT_EQ(PeriodFileBytes("x\r\n"), "x\r\n");
}

namespace {

struct DialogFixture {
    FakeMessages messages;
    FakeDialogs dialogs;
    FakeClipboard clipboard;
    TempFolder home;
    Book book{{2024, 1, 15, "<meet>"}};
    DialogFixture() {
        BaseDir = home.Path();
        book.Show(2024, 1, 15);
    }
};

}  // namespace

TEST(PeriodDialog, FillsFromTheLoadedMonthAndTheOptionsFile) {
    DialogFixture f;
    ASSERT_TRUE(
        f.home.Write("om_ini.ini", "[etc]\r\nind=5\r\nkiri_moji=*\r\nkiri_n=3\r\nfname=a.txt\r\n"));
    TfrYoFsave d;
    d.FormActivate();
    EXPECT_EQ(d.yy->currentText(), "2024");
    EXPECT_EQ(d.mm->currentText(), "1");
    EXPECT_EQ(d.dd->currentText(), "15");
    EXPECT_EQ(d.in_n->currentText(), "5");
    EXPECT_EQ(d.ku_moji->text(), "*");
    EXPECT_EQ(d.ku_moji_n->currentText(), "3");
    EXPECT_EQ(d.tx_fname->text(), "a.txt");
    EXPECT_EQ(d.tx_path->text(), platform::DiskPath(f.home.Path() + "/"));
    EXPECT_EQ(d.nday->currentText(), "30");
    EXPECT_TRUE(d.cb_day->isChecked());
    EXPECT_TRUE(d.cb_sugi->isChecked());
    EXPECT_FALSE(d.ch_html->isChecked());
}

TEST(PeriodDialog, ClipboardExportUsesTypedOptionsThenShowsTheFilesAgain) {
    DialogFixture f;
    TfrYoFsave d;
    d.FormActivate();
    d.in_n->setCurrentText("4");
    d.ku_moji->setText("=");
    d.ku_moji_n->setCurrentText("2");
    d.cb_sugi->setChecked(false);
    d.cb_day->setChecked(false);
    d.nday->setCurrentText("1");
    d.ch_html->setChecked(true);
    d.bt_foutClick(false);
    EXPECT_EQ(f.messages.Texts(), std::vector<QString>{QString::fromUtf8("出力しました。")});
    ASSERT_TRUE(f.clipboard.text.has_value());
    EXPECT_EQ(*f.clipboard.text,
              QString::fromUtf8("<HTML><HEAD><TITLE>予定表</TITLE></HEAD><BODY>\n"
                                "<CENTER><H3>予定表</H3></CENTER><P>\n"
                                "<HR><PRE>==\n 1月15日(月)      &lt;meet&gt;\n==\n"
                                "</PRE><HR></BODY></HTML>"));
    EXPECT_EQ(d.gu->value(), 100);
    // The refill after the message shows the options file again, and the close keeps it so.
    EXPECT_EQ(d.in_n->currentText(), "0");
    EXPECT_EQ(d.ku_moji->text(), "-");
    EXPECT_EQ(d.ku_moji_n->currentText(), "0");
    d.done(QDialog::Rejected);
    EXPECT_EQ(f.home.Read("om_ini.ini"),
              "[etc]\r\nind=0\r\nkiri_moji=-\r\nkiri_n=0\r\nfname=yout.txt\r\npath=" +
                  f.home.Path() + "/\r\n");
}

TEST(PeriodDialog, WrongNumbersStopTheExportAndTheClose) {
    DialogFixture f;
    TfrYoFsave d;
    d.FormActivate();
    d.show();
    d.ku_moji_n->setCurrentText("300");
    d.bt_foutClick(false);
    EXPECT_FALSE(f.clipboard.text.has_value());
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_TRUE(f.messages.shown[0].text.contains("300"));
    d.done(QDialog::Rejected);
    EXPECT_TRUE(d.isVisible());
    EXPECT_FALSE(f.home.Exists("om_ini.ini"));
    d.ku_moji_n->setCurrentText("0");
    d.done(QDialog::Rejected);
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(f.home.Exists("om_ini.ini"));
}

TEST(PeriodDialog, BadPeriodSaysSoAndExportsNothing) {
    DialogFixture f;
    TfrYoFsave d;
    d.FormActivate();
    d.bt_clClick();
    d.bt_foutClick(true);
    EXPECT_EQ(f.messages.Texts(),
              std::vector<QString>{QString::fromUtf8("出力期間が異常です。確認してください。")});
    EXPECT_TRUE(f.dialogs.asked.empty());
    EXPECT_EQ(d.yy->currentText(), "2024");  // refilled after the message
}

TEST(PeriodDialog, FileExportAsksBeforeReplacingAndWritesAtomically) {
    DialogFixture f;
    ASSERT_TRUE(f.home.Write("out.txt", "old"));
    TfrYoFsave d;
    d.FormActivate();
    d.tx_fname->setText("out.txt");
    d.cb_sugi->setChecked(false);
    d.cb_day->setChecked(false);
    const QString target = platform::DiskPath(f.home.File("out.txt"));

    f.dialogs.files = {target};
    f.messages.answers = {platform::kBtnCancel};
    d.bt_foutClick(true);
    EXPECT_EQ(f.dialogs.asked.back(),
              QString::fromUtf8("ｽｹｼﾞｭｰﾙのｴｷｽﾎﾟｰﾄ|") + target);  // folder + proposed name
    EXPECT_EQ(f.messages.Texts().back(), QString::fromUtf8("ｴｷｽポートを中止しました."));
    EXPECT_EQ(f.home.Read("out.txt"), "old");

    f.messages.shown.clear();
    f.dialogs.files = {target};
    f.messages.answers = {platform::kBtnOk};
    d.bt_foutClick(true);
    EXPECT_EQ(f.home.Read("out.txt"), Sj(" 1月15日(月)  <meet>\r\n"));
    EXPECT_EQ(f.messages.Texts().back(), QString::fromUtf8("出力しました。"));
    // The start date now shows where the export last changed month.
    EXPECT_EQ(d.mm->currentText() + "/" + d.dd->currentText(), "2/1");
    d.mm->setCurrentText("1");
    d.dd->setCurrentText("15");

    f.messages.shown.clear();
    f.dialogs.files = {platform::DiskPath(f.home.File("none/x.txt"))};
    d.bt_foutClick(true);
    EXPECT_EQ(f.messages.shown.size(), 1u);
    EXPECT_TRUE(f.messages.shown[0].text.endsWith(QString::fromUtf8("」にｴｷｽポートできません.")))
        << f.messages.shown[0].text.toStdString();
}

TEST(PeriodDialog, FolderPickerSetsThePathWithAFinalSlash) {
    DialogFixture f;
    FakeFolderPicker picker;
    picker.answers = {"", Sj("/home/山田 花子/出力")};
    TfrYoFsave d;
    d.FormActivate();
    const QString before = d.tx_path->text();
    d.Button1Click();  // cancelled
    EXPECT_EQ(d.tx_path->text(), before);
    d.Button1Click();
    EXPECT_EQ(d.tx_path->text(), QString::fromUtf8("/home/山田 花子/出力/"));
    EXPECT_EQ(picker.starts, (std::vector<std::string>{f.home.Path() + "/", f.home.Path() + "/"}));
    d.done(QDialog::Rejected);
    LoadExportSettings(f.home.Path());
    EXPECT_EQ(ExportSettings.path, Sj("/home/山田 花子/出力/"));
}
