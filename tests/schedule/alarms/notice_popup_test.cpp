#include "notice_popup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "cp932.h"
#include "fake_clock.h"
#include "fake_sound.h"
#include "globals.h"
#include "program_test.h"

using namespace foundation;
using namespace schedule;

namespace {

void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class NoticePopupTest : public ProgramTest {
  protected:
    ~NoticePopupTest() override {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (qobject_cast<TfrAnnai*>(w)) delete w;
        }
    }
    FakeClock clock;
    FakeSound sound;
};

TEST_F(NoticePopupTest, DesignTexts) {
    TfrAnnai notice;
    EXPECT_EQ(notice.windowTitle(), "Kolvane32");
    EXPECT_EQ(notice.tx->text(), U("お時間です。"));
    EXPECT_TRUE(notice.tx->font().bold());
    EXPECT_TRUE(notice.tx->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(notice.btOK->text(), U("了解(&O)"));
    EXPECT_EQ(notice.Timer1->Interval(), 5000);
    EXPECT_TRUE(notice.SoundFile.empty());
    EXPECT_TRUE(notice.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(notice.isModal());
}

TEST_F(NoticePopupTest, SoundRepeatsEveryFiveSecondsOnlyWhenAllowed) {
    struct Case {
        const char* name;
        uint8_t znaru, oto;
        const char* text;
        const char* sound;
        size_t plays;  // in 15 seconds
    } cases[] = {
        {"repeat off", 0, 0, "アラームで設定した時間です。", "a.wav", 0},
        {"alarm with voice off", 1, 1, "アラームで設定した時間です。", "a.wav", 3},
        {"event with voice off", 1, 1, "会議 のお時間です。", "/base/zikan.wav", 0},
        {"event with voice on", 1, 0, "会議 のお時間です。", "/base/zikan.wav", 3},
        {"no sound file", 1, 0, "アラームで設定した時間です。", "", 0},
    };
    for (const Case& c : cases) {
        sound.async.clear();
        Settings.alm_Znaru = c.znaru;
        Settings.oto = c.oto;
        TfrAnnai* notice = ShowNoticePopup(Sj(c.text), c.sound);
        EXPECT_EQ(notice->tx->text(), U(c.text)) << c.name;
        clock.Advance(4999);
        EXPECT_TRUE(sound.async.empty()) << c.name;
        clock.Advance(10001);
        EXPECT_EQ(sound.async, std::vector<std::string>(c.plays, c.sound)) << c.name;
        notice->btOK->click();
        FlushDeletes();
    }
}

TEST_F(NoticePopupTest, ClosingStopsTheSoundAndFreesTheNotice) {
    Settings.alm_Znaru = 1;
    QPointer<TfrAnnai> notice = ShowNoticePopup(Sj("アラームで設定した時間です。"), "a.wav");
    EXPECT_TRUE(notice->isVisible());
    clock.Advance(5000);
    ASSERT_EQ(sound.async.size(), 1u);
    notice->btOK->click();
    clock.Advance(20000);
    EXPECT_EQ(sound.async.size(), 1u);
    FlushDeletes();
    EXPECT_TRUE(notice.isNull());
}

TEST_F(NoticePopupTest, SeveralNoticesStackAtTheCentreAndCloseOnTheirOwn) {
    QPointer<TfrAnnai> a = ShowNoticePopup(Sj("a のお時間です。"), "z.wav");
    QPointer<TfrAnnai> b = ShowNoticePopup(Sj("b のお時間です。"), "z.wav");
    QPointer<TfrAnnai> c = ShowNoticePopup(Sj("c のお時間です。"), "z.wav");
    const QPoint centre = QGuiApplication::primaryScreen()->geometry().center();
    for (TfrAnnai* n : {a.data(), b.data(), c.data()}) {
        EXPECT_EQ(n->pos(), a->pos());
        EXPECT_LE(std::abs(n->geometry().center().x() - centre.x()), 1);
        EXPECT_LE(std::abs(n->geometry().center().y() - centre.y()), 1);
    }
    b->close();
    FlushDeletes();
    EXPECT_FALSE(a.isNull());
    EXPECT_TRUE(b.isNull());
    EXPECT_FALSE(c.isNull());
    EXPECT_TRUE(c->isVisible());
}

// A click as the window system delivers it, so modal blocking applies.
void ClickOk(TfrAnnai* notice) {
    QTest::mouseClick(notice->windowHandle(), Qt::LeftButton, {},
                      notice->btOK->geometry().center());
}

TEST_F(NoticePopupTest, ConfirmableWhileAModalDialogRuns) {
    struct Case {
        const char* name;
        bool noticeFirst;
    } cases[] = {{"notice shown during the dialog", false},
                 {"dialog opened over the notice", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QPointer<TfrAnnai> notice;
        if (c.noticeFirst) notice = ShowNoticePopup(Sj("会議 のお時間です。"), "");
        QDialog dialog;
        bool linked = false;
        bool openAfterClick = true;
        QTimer::singleShot(0, &dialog, [&] {
            if (!notice) notice = ShowNoticePopup(Sj("会議 のお時間です。"), "");
            QApplication::processEvents();
            linked = notice->windowHandle()->transientParent() == dialog.windowHandle();
            ClickOk(notice);
            FlushDeletes();
            openAfterClick = notice && notice->isVisible();
            dialog.reject();
        });
        dialog.exec();
        EXPECT_TRUE(linked);
        EXPECT_FALSE(openAfterClick);
        FlushDeletes();
    }
}

TEST_F(NoticePopupTest, LetsGoOfTheDialogWhenItCloses) {
    QPointer<TfrAnnai> notice;
    QDialog dialog;
    QTimer::singleShot(0, &dialog, [&] {
        notice = ShowNoticePopup(Sj("会議 のお時間です。"), "");
        QApplication::processEvents();
        dialog.reject();
    });
    dialog.exec();
    ASSERT_TRUE(notice);
    EXPECT_TRUE(notice->isVisible()) << "the notice outlives the dialog";
    EXPECT_EQ(notice->windowHandle()->transientParent(), nullptr);
    ClickOk(notice);
    FlushDeletes();
    EXPECT_FALSE(notice);
}

}  // namespace
