#include "month_export.h"

#include <gtest/gtest.h>
#include <sys/time.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTextEdit>

#include "cp932.h"
#include "export_file.h"
#include "fake_desktop.h"
#include "fake_messages.h"
#include "file_faults.h"
#include "globals.h"
#include "month_export_source.h"
#include "program_test.h"
#include "temp_folder.h"

using namespace foundation;
using namespace accessories;

namespace {

int Count(const std::string& text, const std::string& piece) {
    int n = 0;
    for (size_t p = text.find(piece); p != std::string::npos; p = text.find(piece, p + 1)) ++n;
    return n;
}

MonthExport Month(int firstWeekday, int days) {
    MonthExport m;
    m.caption = Sj("2004年 5月  月間予定表");
    m.firstWeekday = firstWeekday;
    for (int k = 1; k <= days; ++k) m.days.push_back({Sj("x"), "", std::nullopt, 0xFFFFFF});
    return m;
}

}  // namespace

TEST(MonthCsv, WritesCaptionHeadAndOneQuotedLinePerDay) {
    MonthExport m;
    m.caption = Sj("2004年 5月  月間予定表");
    m.days = {{Sj("5/1(土)"), "a\r\nb", std::nullopt, 0xFFFFFF},
              {Sj("5/2(日)"), "x\r\n", std::nullopt, 0xFFFFFF},
              {Sj("5/3(月)憲法記念日"), "say \"hi\"\r\n\r\nend", std::nullopt, 0xFFFFFF},
              {"\"q\"", "", std::nullopt, 0xFFFFFF},
              {"5/5", "z", std::nullopt, 0xFFFFFF}};
    EXPECT_EQ(MonthCsv(m), Sj("\"2004年 5月  月間予定表\"\r\n"
                              "\r\n"
                              "\"日付\",\"予定\"\r\n"
                              "\"5/1(土)\",\"a\nb\"\r\n"
                              "\"5/2(日)\",\"x\r\n\"\r\n"
                              "\"5/3(月)憲法記念日\",\"say \"\"hi\"\"\n\nend\"\r\n"
                              "\"\"\"q\"\"\",\"\"\r\n"
                              "\"5/5\",\"z\"\r\n"));
}

TEST(MonthHtml, WholePageOfAShortMonthByteForByte) {
    MonthExport m;
    m.caption = "A<&>";
    m.firstWeekday = 4;
    m.weekdayRgb[0] = 0xFF0000;
    m.weekdayRgb[6] = 0x0000FF;
    m.weekdayRgb[3] = 0x12AB0F;
    m.days = {{Sj("5/1(木)"), "", std::nullopt, 0xFFFFFF},
              {Sj("5/2(金･大安)祝,記念<b>"), "a<script>\r\nb&c", 0xFF0000, 0xFFFF00},
              {Sj("5/3(土)"), "x", 0x0000FF, 0xFFFFFF},
              {Sj("5/4(日 第19週)"), "", std::nullopt, 0xFFFFFF}};
    const std::string expected =
        Sj("<HTML>\r\n<HEAD>\r\n<META NAME=\"GENERATOR\" CONTENT=\"Kolvane Ver5.90B5\">\r\n"
           "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html;CHARSET=x-sjis\">\r\n"
           "<TITLE>A&lt;&amp;&gt;</TITLE></HEAD><BODY>\r\n"
           "<CENTER><H3>A&lt;&amp;&gt;</H3></CENTER>\r\n<BR>\r\n"
           "<CENTER><TABLE border=\"1\" width=\"100%\">\r\n<TBODY>\r\n"
           "  <TR><FONT SIZE=\"+3\">\r\n"
           "    <TH bgcolor=\"#d6fcd1\" height=\"28\" width=\"15%\"><FONT size=\"+2\" "
           "color=\"#FF0000\">日</FONT></TH>\r\n"
           "    <TH bgcolor=\"#d6fcd1\" height=\"28\" width=\"14%\"><FONT size=\"+2\" "
           "color=\"#000000\">月</FONT></TH>\r\n"
           "    <TH bgcolor=\"#d6fcd1\" height=\"28\" width=\"14%\"><FONT size=\"+2\" "
           "color=\"#000000\">火</FONT></TH>\r\n"
           "    <TH bgcolor=\"#d6fcd1\" height=\"28\" width=\"14%\"><FONT size=\"+2\" "
           "color=\"#12AB0F\">水</FONT></TH>\r\n"
           "    <TH bgcolor=\"#d6fcd1\" height=\"28\" width=\"14%\"><FONT size=\"+2\" "
           "color=\"#000000\">木</FONT></TH>\r\n"
           "    <TH bgcolor=\"#d6fcd1\" height=\"28\" width=\"14%\"><FONT size=\"+2\" "
           "color=\"#000000\">金</FONT></TH>\r\n"
           "    <TH bgcolor=\"#d6fcd1\" height=\"28\" width=\"15%\"><FONT size=\"+2\" "
           "color=\"#0000FF\">土</FONT></TH>\r\n"
           "  </FONT>\r\n  </TR>\r\n"
           "  <TR>\r\n"
           "    <TD> </TD>\r\n    <TD> </TD>\r\n    <TD> </TD>\r\n    <TD> </TD>\r\n"
           "    <TD bgcolor=\"#FFFFFF\" valign=\"top\">\r\n"
           "<B><FONT size=\"+1\">1日</FONT></B><FONT size=\"-1\"></FONT>\r\n"
           "<BR>\r\n<FONT size=\"-1\"></FONT>\r\n    </TD>\r\n"
           "    <TD bgcolor=\"#FFFF00\" valign=\"top\">\r\n"
           "    <FONT color=\"#FF0000\">\r\n"
           "<B><FONT size=\"+1\">2日</FONT></B><FONT size=\"-1\">(大安)祝,記念&lt;b&gt;</FONT>\r\n"
           "</FONT><BR>\r\n<FONT size=\"-1\">a&lt;script&gt;<BR>\r\nb&amp;c</FONT>\r\n    </TD>\r\n"
           "    <TD bgcolor=\"#FFFFFF\" valign=\"top\">\r\n"
           "    <FONT color=\"#0000FF\">\r\n"
           "<B><FONT size=\"+1\">3日</FONT></B><FONT size=\"-1\"></FONT>\r\n"
           "</FONT><BR>\r\n<FONT size=\"-1\">x</FONT>\r\n    </TD>\r\n"
           "  </TR>\r\n"
           "  <TR>\r\n"
           "    <TD bgcolor=\"#FFFFFF\" valign=\"top\">\r\n"
           "<B><FONT size=\"+1\">4日</FONT></B><FONT size=\"-1\">(第19週)</FONT>\r\n"
           "<BR>\r\n<FONT size=\"-1\"></FONT>\r\n    </TD>\r\n"
           "    <TD> </TD>\r\n    <TD> </TD>\r\n    <TD> </TD>\r\n    <TD> </TD>\r\n    <TD> "
           "</TD>\r\n    <TD> </TD>\r\n"
           "  </TR>\r\n"
           "  </TBODY>\r\n</TABLE></CENTER>\r\n</BODY></HTML>\r\n");
    EXPECT_EQ(MonthHtml(m), expected);
}

TEST(MonthHtml, RowsOpenOnceAndFillToSevenCells) {
    struct Case {
        int firstWeekday, days, rows, emptyCells;
    } cases[] = {
        {0, 31, 5, 4},   // Sunday start: no empty cell before the 1st
        {0, 28, 4, 0},   // a February that fills four rows exactly
        {6, 31, 6, 11},  // Saturday start: 6 before, 5 after
        {5, 30, 5, 5},   // ends on a Saturday: nothing after
        {3, 29, 5, 6},
    };
    for (const auto& c : cases) {
        const std::string html = MonthHtml(Month(c.firstWeekday, c.days));
        EXPECT_EQ(Count(html, "  <TR>\r\n"), c.rows) << c.firstWeekday << "/" << c.days;
        EXPECT_EQ(Count(html, "  </TR>\r\n"), c.rows + 1) << c.firstWeekday << "/" << c.days;
        EXPECT_EQ(Count(html, "<TD> </TD>"), c.emptyCells) << c.firstWeekday << "/" << c.days;
        EXPECT_EQ(Count(html, "valign=\"top\""), c.days);
    }
}

TEST(MonthHtml, ExtraTextComesFromTheHeading) {
    struct Case {
        const char* caption;
        const char* extra;
    } cases[] = {
        {"1/5(月)成人の日", "成人の日"},
        {"1/5(月･大安)成人の日", "(大安)成人の日"},
        {"5/3(月･大安･第19週)憲法記念日,結婚記念日", "(大安･第19週)憲法記念日,結婚記念日"},
        {"5/3(月 第19週)", "(第19週)"},
        {"5/4(火)", ""},
        {"no bracket", ""},
        {"5/4(", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(HeadingExtra(Sj(c.caption)), Sj(c.extra)) << c.caption;
}

namespace {

// A stand-in for the month view: caption, headings and text boxes found by their names.
struct ViewStub {
    QDialog view;
    ViewStub() {
        view.setWindowTitle(QString::fromUtf8("2004年 5月  月間予定表"));
        const QPalette standard = QApplication::palette();
        for (int k = 1; k <= 31; ++k) {
            auto* head = new QLabel(QString::fromUtf8("5/%1(x)").arg(k), &view);
            head->setObjectName(QStringLiteral("yod%1").arg(k));
            QPalette p = head->palette();
            p.setColor(QPalette::WindowText, standard.color(QPalette::WindowText));
            p.setColor(QPalette::Window, standard.color(QPalette::Button));
            head->setPalette(p);
            auto* memo = new QTextEdit(&view);
            memo->setObjectName(QStringLiteral("yo%1").arg(k));
        }
    }
    void Day(int k, const QString& text, QColor fg = QColor(), QColor bg = QColor()) {
        view.findChild<QTextEdit*>(QStringLiteral("yo%1").arg(k))->setPlainText(text);
        auto* head = view.findChild<QLabel*>(QStringLiteral("yod%1").arg(k));
        QPalette p = head->palette();
        if (fg.isValid()) p.setColor(QPalette::WindowText, fg);
        if (bg.isValid()) p.setColor(QPalette::Window, bg);
        head->setPalette(p);
    }
};

}  // namespace

TEST(MonthExportSource, ReadsWhatTheViewShows) {
    const FreshGlobals fresh;
    CurYear = 2004;
    CurMonth = 2;                          // 29 days, the 1st a Sunday
    Settings.YoubiTitleCol[0] = 0x0000FF;  // stored red
    ViewStub stub;
    stub.Day(1, QString::fromUtf8("会議\n昼食"), QColor(255, 0, 0), QColor(255, 255, 0));
    stub.Day(2, QStringLiteral("x"), QColor(0, 0, 0));
    MonthExport m = CollectMonthExport(&stub.view);
    EXPECT_EQ(m.caption, Sj("2004年 5月  月間予定表"));
    EXPECT_EQ(m.firstWeekday, 0);
    EXPECT_EQ(m.weekdayRgb[0], 0xFF0000u);
    ASSERT_EQ(m.days.size(), 29u);
    EXPECT_EQ(m.days[0].text, Sj("会議\r\n昼食"));
    EXPECT_EQ(m.days[0].textRgb, std::optional<uint32_t>(0xFF0000));
    EXPECT_EQ(m.days[0].backgroundRgb, 0xFFFF00u);
    EXPECT_EQ(m.days[1].textRgb, std::nullopt);  // black
    EXPECT_EQ(m.days[1].backgroundRgb, 0xFFFFFFu);
    EXPECT_EQ(m.days[2].textRgb, std::nullopt);  // window text on the button face
    EXPECT_EQ(m.days[28].caption, "5/29(x)");
}

namespace {

struct Flow {
    FreshGlobals fresh;
    FakeDialogs dialogs;
    FakeMessages messages;
    FakeDocuments documents;
    TempFolder dir;
    ViewStub stub;
    Flow() {
        CurYear = 2004;
        CurMonth = 5;
        stub.Day(3, QStringLiteral("<b>"));
    }
    void Choose(const std::string& name) {
        dialogs.files.push_back(platform::DiskPath(dir.File(name)));
    }
};

}  // namespace

TEST(MonthExportFlow, CancelAndRefusalWriteNothing) {
    Flow f;
    RunMonthExport(&f.stub.view, MonthExportKind::Csv);  // dialog cancelled
    EXPECT_TRUE(f.messages.shown.empty());

    ASSERT_TRUE(f.dir.Write("old.csv", "keep"));
    f.Choose("old.csv");
    f.messages.answers = {platform::kBtnCancel};
    RunMonthExport(&f.stub.view, MonthExportKind::Csv);
    EXPECT_EQ(f.messages.Texts(),
              (std::vector<QString>{
                  QString::fromUtf8("同名のﾌｧｲﾙが存在します.上書きしてよろしいですか？"),
                  QString::fromUtf8("ｴｷｽポートを中止しました.")}));
    EXPECT_EQ(f.dir.Read("old.csv"), "keep");
    EXPECT_EQ(f.dialogs.confirmOverwrite, (std::vector<bool>{false, false}));
}

TEST(MonthExportFlow, CsvReplacesAfterOneQuestionAndTakesTheExtension) {
    Flow f;
    ASSERT_TRUE(f.dir.Write("m.csv", "old"));
    f.Choose("m");  // typed without extension
    f.messages.answers = {platform::kBtnOk};
    RunMonthExport(&f.stub.view, MonthExportKind::Csv);
    EXPECT_EQ(f.messages.shown.size(), 1u);
    const std::string csv = f.dir.Read("m.csv");
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")), Sj("\"2004年 5月  月間予定表\""));
    EXPECT_NE(csv.find("\"5/3(x)\",\"<b>\"\r\n"), std::string::npos);
    EXPECT_EQ(Count(csv, "\r\n"), 3 + 31);
    EXPECT_TRUE(f.documents.opened.empty());
}

TEST(MonthExportFlow, HtmlAsksToShowTheResult) {
    struct Case {
        int answer;
        size_t opened;
    } cases[] = {{platform::kBtnYes, 1}, {platform::kBtnNo, 0}};
    for (const auto& c : cases) {
        Flow f;
        f.Choose(Sj("月 表.htm"));
        f.messages.answers = {c.answer};
        RunMonthExport(&f.stub.view, MonthExportKind::Html);
        EXPECT_EQ(f.messages.Texts(),
                  std::vector<QString>{QString::fromUtf8("出力結果を表示しますか？")});
        ASSERT_EQ(f.documents.opened.size(), c.opened);
        if (c.opened) {
            EXPECT_EQ(f.documents.opened[0], platform::DiskPath(f.dir.File(Sj("月 表.htm"))));
        }
        EXPECT_NE(f.dir.Read(Sj("月 表.htm")).find("&lt;b&gt;"), std::string::npos);
    }
}

TEST(MonthExportFlow, AFailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    struct Case {
        const char* name;
        bool diskFull;
    } cases[] = {{"missing/m.csv", false}, {"m.csv", true}};
    for (const Case& c : cases) {
        Flow f;
        ASSERT_TRUE(f.dir.Write("m.csv", "old"));
        const std::string target = f.dir.File(c.name);
        f.dialogs.files.push_back(platform::DiskPath(target));
        f.messages.answers = {platform::kBtnOk};
        platform::SetWriteFaultForTests([&](platform::WriteStep step, const std::string&) {
            return c.diskFull && step == platform::WriteStep::Write;
        });
        RunMonthExport(&f.stub.view, MonthExportKind::Csv);
        platform::SetWriteFaultForTests(nullptr);
        EXPECT_EQ(f.messages.Texts().back(), QString::fromUtf8("ﾌｧｲﾙ「") +
                                                 platform::DiskPath(target) +
                                                 QString::fromUtf8("」にｴｷｽポートできません."));
        EXPECT_EQ(f.dir.Read("m.csv"), "old");
        EXPECT_EQ(QDir(platform::DiskPath(f.dir.Path())).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("m.csv")})
            << c.name;
    }
}

TEST(MonthExportFlow, TheNextExportClearsWhatAKilledOneLeft) {
    Flow f;
    const std::string killed = ".kolvane-save-gDaWTY.tmp";
    // The user's own files, named as another writer's temporaries would be.
    const std::string users[] = {"out.htm.gDaWTY", "out.htm.2024ab", "out.htm.Orig01"};
    for (const std::string& name : users) ASSERT_TRUE(f.dir.Write(name, "mine"));
    ASSERT_TRUE(f.dir.Write(killed, "half an export"));
    const long long twoDaysAgo = static_cast<long long>(time(nullptr)) - 2 * 86400;
    for (const std::string& name : {killed, users[0], users[1], users[2]}) {
        struct timeval times[2] = {{twoDaysAgo, 0}, {twoDaysAgo, 0}};
        ASSERT_EQ(
            utimes(QFile::encodeName(platform::DiskPath(f.dir.File(name))).constData(), times), 0);
    }
    f.Choose("out.htm");
    f.messages.answers = {platform::kBtnNo};
    RunMonthExport(&f.stub.view, MonthExportKind::Html);
    EXPECT_FALSE(f.dir.Exists(killed));
    for (const std::string& name : users) EXPECT_EQ(f.dir.Read(name), "mine") << name;
    EXPECT_TRUE(f.dir.Exists("out.htm"));
}
