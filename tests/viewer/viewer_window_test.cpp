#include "viewer_window.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "cp932.h"
#include "fake_messages.h"
#include "globals.h"
#include "program_test.h"
#include "schedule_store.h"
#include "temp_folder.h"
#include "title_bar.h"
#include "unreadable_files.h"

using namespace foundation;
using namespace viewer;

namespace {

// Names, sizes and times of everything in the folder: the viewer must change none of them.
QStringList Snapshot(const std::string& folder) {
    QStringList out;
    for (const QFileInfo& f :
         QDir(platform::DiskPath(folder))
             .entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        out << f.fileName() + QString::number(f.size()) +
                   f.lastModified().toString(Qt::ISODateWithMs);
    return out;
}

struct Other {
    FreshGlobals fresh;
    TempFolder root;
    std::string folder;
    Other() {
        folder = root.Path() + "/" + Sj("山田 花子");
        QDir().mkpath(platform::DiskPath(folder));
        YOTEI days[32];
        days[3] = {1, Sj("会議\r\n旅行 S\r\n") + std::string(200, 'y') + "S", 0, "", 0};
        days[10] = {1, "plain", 1, Sj("記念"), 1};
        store::SaveMonth(folder, 2004, 5, days);
        YOTEI jan[32];
        jan[31] = {1, "last", 0, "", 0};
        store::SaveMonth(folder, 2004, 1, jan);
    }
    QStringList Args(const char* year, const char* month) const {
        return {QString::fromUtf8("山田 花子"), platform::DiskPath(folder), year, month};
    }
};

}  // namespace

TEST(Viewer, ShowsTheMonthReadOnlyWithPrivateLinesHidden) {
    Other o;
    const QStringList before = Snapshot(o.folder);
    TfrTuki w(o.Args("2004", "5"));
    w.show();
    w.FormActivate();
    EXPECT_EQ(w.windowTitle(), QString::fromUtf8("山田 花子さんの 2004年 5月予定を参照中"));
    // Default buttons on a sizable border.
    EXPECT_EQ(platform::TitleBarOf(&w), (platform::TitleBarButtons{true, true, true, true, false}));
    EXPECT_EQ(w.yod[3]->text(), QString::fromUtf8("5/3(月) 憲法記念日"));
    EXPECT_EQ(w.yo[3]->toPlainText(),
              QString::fromUtf8("会議\n(プライベートスケジュール)\n(プライベートスケジュール)"));
    EXPECT_TRUE(w.yo[3]->isReadOnly());
    EXPECT_GE(w.yo[3]->height(), 3 * 12 + 8);
    EXPECT_EQ(w.yod[3]->height(), w.yo[3]->height());
    EXPECT_EQ(w.yo[4]->y(), w.yo[3]->y() + w.yo[3]->height());
    EXPECT_EQ(w.yo[1]->height(), 20);                              // an empty day is one line high
    EXPECT_EQ(w.yod[10]->text(), QString::fromUtf8("5/10(月) "));  // no anniversary, no mark
    EXPECT_FALSE(w.yod[31]->isHidden());
    w.FormActivate();  // later activations change nothing
    EXPECT_EQ(CurMonth, 5);

    w.mnuNeClick();  // June: 30 days
    EXPECT_TRUE(w.yod[31]->isHidden());
    EXPECT_TRUE(w.yo[31]->isHidden());
    EXPECT_EQ(w.yo[3]->toPlainText(), QString());
    w.ShowMonth(2004, 1);
    w.mnuBkClick();
    EXPECT_EQ(w.windowTitle(), QString::fromUtf8("山田 花子さんの 2003年 12月予定を参照中"));
    w.mnuNeClick();
    EXPECT_EQ(w.yo[31]->toPlainText(), "last");
    EXPECT_EQ(Snapshot(o.folder), before);
}

TEST(Viewer, WrongArgumentsShowTheUsageAndClose) {
    struct Case {
        QStringList args;
    } cases[] = {
        {{"a", "b", "2004"}},
        {{"a", "/x y", "z", "2004", "5"}},
        {{"a", "/tmp", "2004", "13"}},
    };
    for (const auto& c : cases) {
        const FreshGlobals fresh;
        FakeMessages messages;
        TfrTuki w(c.args);
        w.show();
        w.FormActivate();
        EXPECT_EQ(messages.Texts(),
                  std::vector<QString>{"Usage:u_name  dat_path  now_yy now_mm now_dd"});
        EXPECT_FALSE(w.isVisible());
    }
}

TEST(Viewer, AMissingFolderOrAFileInItsPlaceShowsAnEmptyMonth) {
    TempFolder t;
    ASSERT_TRUE(t.Write("file", "x"));
    for (const std::string& folder : {t.File("none"), t.File("file")}) {
        const FreshGlobals fresh;
        FakeMessages messages;
        TfrTuki w({"u", platform::DiskPath(folder), "2004", "2"});
        w.show();
        w.FormActivate();
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(w.yo[1]->toPlainText(), QString());
        EXPECT_FALSE(w.yod[29]->isHidden());
        EXPECT_TRUE(w.yod[30]->isHidden());
    }
    EXPECT_EQ(QDir(platform::DiskPath(t.Path())).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{"file"});

    const FreshGlobals fresh;
    FakeMessages messages;
    const QString huge(1 << 20, QLatin1Char('x'));
    TfrTuki w({huge, "/" + huge, "2004", "5"});
    w.show();
    w.FormActivate();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(w.yo[3]->toPlainText(), QString());
}

TEST(Viewer, DamagedMonthFilesShowWithoutHarm) {
    const std::string megabyteLine(1 << 20, 'm');
    const std::string files[] = {
        "#S#!\r\nno end",
        std::string("#S#!\r\n\x81\x81\xff\x80\x00zz\r\n#E#!\r\n", 20),
        "#S#!\r\n" + megabyteLine + "S\r\n#E#!\r\n#S#!\r\n" + megabyteLine + "\r\n#E#!\r\n",
        std::string(5000, '\n'),
    };
    // As tavikg sets it: another user's files are neither told nor copied.
    store::TellUnreadableFiles(false);
    for (const std::string& bytes : files) {
        const FreshGlobals fresh;
        FakeMessages messages;
        TempFolder t;
        ASSERT_TRUE(t.Write("200405.yo2", bytes));
        TfrTuki w({"u", platform::DiskPath(t.Path()), "2004", "5"});
        w.show();
        w.FormActivate();
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_FALSE(w.yod[31]->isHidden());
        EXPECT_EQ(t.Read("200405.yo2"), bytes);
        EXPECT_EQ(QDir(platform::DiskPath(t.Path())).entryList(QDir::Files | QDir::Hidden).size(),
                  1);
    }
    store::TellUnreadableFiles(true);
}
