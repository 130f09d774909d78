#include "options_hub.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QTimer>

#include "about_box.h"
#include "cp932.h"
#include "fake_desktop.h"
#include "fake_messages.h"
#include "globals.h"
#include "holiday_editor.h"
#include "jump_dialog.h"
#include "program_test.h"
#include "settings_dialog.h"
#include "temp_folder.h"

using namespace foundation;
using namespace schedule;
using namespace accessories;

namespace {

// Runs what the next modal window should do once it is up.
void WhenModal(std::function<void(QDialog*)> act) {
    QTimer::singleShot(0, [act] {
        auto* top = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!top) return WhenModal(act);
        act(top);
    });
}

class OptionsHubTest : public ProgramTest {
  protected:
    OptionsHubTest() {
        AppDir = dir_.Path();
        BaseDir = dir_.Path();
        DataIn(dir_.Path());
        CurYear = 2009;
        CurMonth = 5;
    }
    TempFolder dir_;
    FakeMessages messages_;
};

TEST_F(OptionsHubTest, Buttons) {
    TfrOp hub;
    EXPECT_EQ(hub.windowTitle(), U("環境設定"));
    EXPECT_EQ(hub.size(), QSize(145, 206));
    const std::pair<QPushButton*, const char*> buttons[] = {
        {hub.Button1, "バージョン情報"}, {hub.Button2, "環境設定"},
        {hub.Button3, "プログラム登録"}, {hub.Button4, "ユーザー休日の設定"},
        {hub.Button5, "記念日の設定"},   {hub.Button6, "システム情報"},
    };
    for (const auto& [b, caption] : buttons) {
        EXPECT_EQ(b->text(), U(caption));
        EXPECT_EQ(b->size(), QSize(129, 25));
    }
}

TEST_F(OptionsHubTest, CancelledSettingsStillCountAsChangedAndGiveDefaultPictures) {
    TfrOp hub;
    hub.pic1 = QPixmap(8, 8);
    WhenModal([](QDialog* d) {
        EXPECT_TRUE(qobject_cast<TfrSet*>(d));
        d->reject();
    });
    hub.Button2Click();
    EXPECT_EQ(hub.SettingsChanged, 1);
    EXPECT_FALSE(hub.pic2.isNull());
    EXPECT_EQ(hub.pic1.size(), QSize(32, 40));
}

TEST_F(OptionsHubTest, AboutBoxShowsTheOpenersPicture) {
    TfrOp hub;
    QPixmap face(20, 30);
    face.fill(Qt::red);
    hub.pic1 = face;
    WhenModal([](QDialog* d) {
        auto* about = qobject_cast<TfrVer*>(d);
        ASSERT_TRUE(about);
        EXPECT_EQ(about->windowTitle(), U("バージョン情報"));
        EXPECT_EQ(about->Label1->text(), U("私は、Kolvane３２ Ver 5.90B5 です。"));
        EXPECT_FALSE(about->pic1->icon().isNull());
        about->accept();
    });
    hub.Button1Click();
}

TEST_F(OptionsHubTest, AnniversaryFileIsCreatedOnlyWhenMissing) {
    {
        TfrOp hub;
        WhenModal([](QDialog* d) {
            auto* editor = qobject_cast<TfrHolSet*>(d);
            ASSERT_TRUE(editor);
            EXPECT_EQ(editor->ListYear, 2009);
            d->reject();
        });
        hub.Button5Click();
        EXPECT_FALSE(hub.ListsChanged);
    }
    EXPECT_TRUE(dir_.Exists("ukinen.txt"));
    EXPECT_EQ(dir_.Read("ukinen.txt"), "");
    dir_.Write("ukinen.txt", " 5, 5,A\r\n");
    TfrOp hub;
    WhenModal([](QDialog* d) { static_cast<TfrHolSet*>(d)->bt_okClick(); });
    hub.Button5Click();
    EXPECT_TRUE(hub.ListsChanged);
    EXPECT_EQ(dir_.Read("ukinen.txt"), " 5, 5,A\r\n");
    EXPECT_EQ(MonthDays[5].Anniversary, "A");
}

TEST_F(OptionsHubTest, HolidayYearIsAskedAndChecked) {
    {
        TfrOp hub;
        WhenModal([](QDialog* d) {
            auto* ask = qobject_cast<TfrJp*>(d);
            ASSERT_TRUE(ask);
            EXPECT_EQ(ask->windowTitle(), U("休日設定する年"));
            EXPECT_TRUE(ask->cb_mm->isHidden());
            ask->cb_yy->setEditText(QStringLiteral("2009"));
            WhenModal([](QDialog* e) {
                auto* editor = qobject_cast<TfrHolSet*>(e);
                ASSERT_TRUE(editor);
                EXPECT_EQ(editor->windowTitle(), U("2009年ユーザー休日設定"));
                e->reject();
            });
            ask->done(TfrJp::kResultOk);
        });
        hub.Button4Click();
    }
    EXPECT_TRUE(dir_.Exists("2009.hol"));
    TfrOp hub;
    WhenModal([](QDialog* d) {
        static_cast<TfrJp*>(d)->cb_yy->setEditText(QStringLiteral("20x9"));
        d->done(TfrJp::kResultOk);
    });
    hub.Button4Click();
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, U("年の指定が正しくありません。"));
}

TEST_F(OptionsHubTest, MissingMemoFolderIsReportedAndNoEditorOpens) {
    Settings.memo_path = dir_.File("gone");
    TfrOp hub;
    hub.Button5Click();
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].kind, platform::MsgKind::Error);
    EXPECT_TRUE(messages_.shown[0].text.startsWith(U("メモを格納するフォルダ[")));
    EXPECT_FALSE(dir_.Exists("gone/ukinen.txt"));
}

}  // namespace
