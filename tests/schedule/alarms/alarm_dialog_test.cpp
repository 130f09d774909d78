#include "alarm_dialog.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTimer>
#include <map>
#include <vector>

#include "alarm_engine.h"
#include "cp932.h"
#include "fake_clock.h"
#include "fake_messages.h"
#include "fake_modal_runs.h"
#include "globals.h"
#include "messages.h"
#include "program_test.h"

using namespace foundation;
using namespace schedule;

namespace {

bool SameSlots(const AlarmSlot (&a)[4], const AlarmSlot (&b)[4]) {
    for (int i = 0; i < 4; ++i) {
        if (a[i].OnOff != b[i].OnOff || a[i].Minute != b[i].Minute || a[i].Hour != b[i].Hour ||
            a[i].Wav != b[i].Wav)
            return false;
    }
    return true;
}

class AlarmDialogTest : public ProgramTest {
  protected:
    AlarmDialogTest() { AppDir = "/app"; }

    const std::string kDefault = Sj("/app/ﾁｬｲﾑ01.wav");
    FakeMessages messages;
};

TEST_F(AlarmDialogTest, Captions) {
    TfrmAlm dialog;
    EXPECT_EQ(dialog.windowTitle(), U("ﾁｬｲﾑとｱﾗｰﾑの設定"));
    const std::map<QString, const char*> captions = {
        {"GroupBox1", "ﾁｬｲﾑ"},
        {"GroupBox2", "ｱﾗｰﾑ"},
        {"GroupBox3", "ﾀｲﾏ"},
        {"ch0_On", "毎時 0分に鳴らす"},
        {"ch30_On", "毎時 30分に鳴らす"},
        {"alOn", "ｱﾗｰﾑ ON"},
        {"ttOn", "ﾀｲﾏ ON"},
        {"ch0_san", ">>"},
        {"ch30_san", ">>"},
        {"al_San", ">>"},
        {"tt_San", ">>"},
        {"Button5", "O.K"},
        {"Button6", "ｷｬﾝｾﾙ"},
    };
    for (const auto& [name, caption] : captions) {
        QObject* o = dialog.findChild<QObject*>(name);
        ASSERT_NE(o, nullptr) << name.toStdString();
        QString text;
        if (auto* g = qobject_cast<QGroupBox*>(o)) text = g->title();
        if (auto* b = qobject_cast<QAbstractButton*>(o)) text = b->text();
        EXPECT_EQ(text, U(caption)) << name.toStdString();
    }
    std::vector<QString> labels;
    for (QLabel* l : dialog.findChildren<QLabel*>()) labels.push_back(l->text());
    for (const char* l : {"音声ﾌｧｲﾙ:", "時", "分", "O.Kを押してから", "分後に"}) {
        EXPECT_NE(std::find(labels.begin(), labels.end(), U(l)), labels.end()) << l;
    }
    EXPECT_EQ(std::count(labels.begin(), labels.end(), U("音声ﾌｧｲﾙ:")), 4);
    EXPECT_EQ(dialog.al_tt->currentText(), "3");
    EXPECT_EQ(dialog.OpenDialog1->windowTitle(), U("音声ﾌｧｲﾙの指定"));
    EXPECT_EQ(dialog.OpenDialog1->nameFilters(), QStringList{U("WAVEﾌｧｲﾙ (*.wav)")});
}

TEST_F(AlarmDialogTest, ShowFillsControlsAndStoresDefaultSoundsEvenOnCancel) {
    Settings.Alarms[0] = {1, 0, 0, ""};
    Settings.Alarms[1] = {0, 0, 0, "half.wav"};
    Settings.Alarms[2] = {1, 45, 7, ""};
    Settings.Alarms[3] = {0, 12, 0, ""};
    {
        TfrmAlm dialog;
        dialog.show();
        EXPECT_EQ(dialog.al_hh->count(), 24);
        EXPECT_EQ(dialog.al_hh->itemText(23), "23");
        EXPECT_EQ(dialog.al_mm->count(), 60);
        EXPECT_EQ(dialog.al_tt->count(), 59);
        EXPECT_EQ(dialog.al_tt->itemText(0), "1");
        EXPECT_TRUE(dialog.ch0_On->isChecked());
        EXPECT_FALSE(dialog.ch30_On->isChecked());
        EXPECT_TRUE(dialog.alOn->isChecked());
        EXPECT_FALSE(dialog.ttOn->isChecked());
        EXPECT_EQ(dialog.ch30_fname->text(), "half.wav");
        EXPECT_EQ(dialog.ch0_fname->text(), U("/app/ﾁｬｲﾑ01.wav"));
        EXPECT_EQ(dialog.al_hh->currentText(), "7");
        EXPECT_EQ(dialog.al_mm->currentText(), "45");
        EXPECT_EQ(dialog.al_tt->currentText(), "12");
        dialog.Button6->click();
        EXPECT_EQ(dialog.result(), TfrmAlm::kResultCancel);
    }
    EXPECT_EQ(Settings.Alarms[0].Wav, kDefault);
    EXPECT_EQ(Settings.Alarms[1].Wav, "half.wav");
    EXPECT_EQ(Settings.Alarms[2].Wav, kDefault);
    EXPECT_EQ(Settings.Alarms[3].Wav, kDefault);
    EXPECT_EQ(Settings.Alarms[2].Hour, 7);
}

TEST_F(AlarmDialogTest, OkCopiesCheckedSlotsAndKeepsUncheckedValues) {
    Settings.Alarms[2] = {1, 15, 6, "old.wav"};
    Settings.Alarms[3] = {0, 3, 0, "t.wav"};
    TfrmAlm dialog;
    dialog.FormShow();
    dialog.ch0_On->setChecked(true);
    dialog.ch0_fname->clear();
    dialog.ch30_On->setChecked(true);
    dialog.ch30_fname->setText(QString(300, QLatin1Char('x')));
    dialog.alOn->setChecked(false);
    dialog.al_hh->setEditText("9");
    dialog.al_mm->setEditText("99");  // not applied, not checked
    dialog.ttOn->setChecked(true);
    dialog.al_tt->setEditText(" 5 ");
    dialog.tt_fname->setText("/snd/end.wav");
    dialog.Button5->click();
    EXPECT_EQ(dialog.result(), TfrmAlm::kResultOk);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(Settings.Alarms[0].OnOff, 1);
    EXPECT_EQ(Settings.Alarms[0].Wav, kDefault);
    EXPECT_EQ(Settings.Alarms[1].Wav, std::string(255, 'x'));
    EXPECT_EQ(Settings.Alarms[2].OnOff, 0);
    EXPECT_EQ(Settings.Alarms[2].Hour, 6);
    EXPECT_EQ(Settings.Alarms[2].Minute, 15);
    EXPECT_EQ(Settings.Alarms[2].Wav, "old.wav");
    EXPECT_EQ(Settings.Alarms[3].OnOff, 1);
    EXPECT_EQ(Settings.Alarms[3].Minute, 5);
    EXPECT_EQ(Settings.Alarms[3].Wav, "/snd/end.wav");
}

TEST_F(AlarmDialogTest, TypedNumbersAreCheckedBeforeAnythingIsApplied) {
    struct Case {
        const char *hour, *minute, *countdown;
        const char* message;  // nullptr: accepted
    } cases[] = {
        {"0", "0", "1", nullptr},
        {"23", "59", "59", nullptr},
        {"24", "0", "3", "ｱﾗｰﾑの時は 0 から 23 までの数字で指定してください。"},
        {"-1", "0", "3", "ｱﾗｰﾑの時は 0 から 23 までの数字で指定してください。"},
        {"ab", "0", "3", "ｱﾗｰﾑの時は 0 から 23 までの数字で指定してください。"},
        {"", "0", "3", "ｱﾗｰﾑの時は 0 から 23 までの数字で指定してください。"},
        {"９", "0", "3", "ｱﾗｰﾑの時は 0 から 23 までの数字で指定してください。"},
        {"8", "60", "3", "ｱﾗｰﾑの分は 0 から 59 までの数字で指定してください。"},
        {"8", "5x", "3", "ｱﾗｰﾑの分は 0 から 59 までの数字で指定してください。"},
        {"8", "5", "0", "ﾀｲﾏの分は 1 から 59 までの数字で指定してください。"},
        {"8", "5", "60", "ﾀｲﾏの分は 1 から 59 までの数字で指定してください。"},
        {"8", "5", "300", "ﾀｲﾏの分は 1 から 59 までの数字で指定してください。"},
    };
    for (const Case& c : cases) {
        Settings.Alarms[0] = {0, 0, 0, "h.wav"};
        Settings.Alarms[1] = {0, 0, 0, "m.wav"};
        Settings.Alarms[2] = {0, 10, 4, "a.wav"};
        Settings.Alarms[3] = {0, 7, 0, "t.wav"};
        messages.shown.clear();
        TfrmAlm dialog;
        dialog.show();
        dialog.ch0_On->setChecked(true);
        dialog.alOn->setChecked(true);
        dialog.al_hh->setEditText(U(c.hour));
        dialog.al_mm->setEditText(U(c.minute));
        dialog.ttOn->setChecked(true);
        dialog.al_tt->setEditText(U(c.countdown));
        AlarmSlot before[4];
        for (int i = 0; i < 4; ++i) before[i] = Settings.Alarms[i];
        dialog.Button5->click();
        if (!c.message) {
            EXPECT_TRUE(messages.shown.empty()) << c.hour << c.minute << c.countdown;
            EXPECT_EQ(dialog.result(), TfrmAlm::kResultOk);
            EXPECT_EQ(Settings.Alarms[2].Hour, std::stoi(c.hour));
            EXPECT_EQ(Settings.Alarms[3].Minute, std::stoi(c.countdown));
            continue;
        }
        ASSERT_EQ(messages.shown.size(), 1u) << c.hour << c.minute << c.countdown;
        EXPECT_EQ(messages.shown[0].text, U(c.message));
        EXPECT_EQ(messages.shown[0].kind, platform::MsgKind::Warning);
        EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open";
        EXPECT_TRUE(SameSlots(Settings.Alarms, before)) << c.hour << c.minute << c.countdown;
    }
}

TEST_F(AlarmDialogTest, BrowsePutsThePickedPathIntoItsGroupsBox) {
    TfrmAlm dialog;
    dialog.FormShow();
    const QString folder = QDir::tempPath();  // the dialog picks in a folder that exists
    QString answer;
    int runs = 0;
    FakeModalRuns modals;
    modals.Answer<QFileDialog>([&](QFileDialog& d) {
        ++runs;
        d.selectFile(answer);
        return answer.isEmpty() ? QDialog::Rejected : QDialog::Accepted;
    });
    struct Row {
        QPushButton* button;
        QLineEdit* edit;
    } rows[] = {{dialog.ch0_san, dialog.ch0_fname},
                {dialog.ch30_san, dialog.ch30_fname},
                {dialog.al_San, dialog.al_fname},
                {dialog.tt_San, dialog.tt_fname}};
    for (const Row& r : rows) {
        for (const Row& other : rows) other.edit->setText("keep");
        answer = folder + "/" + r.button->objectName() + ".wav";
        r.button->click();
        for (const Row& other : rows) {
            EXPECT_EQ(other.edit->text(), other.edit == r.edit ? answer : QString("keep"))
                << r.button->objectName().toStdString();
        }
    }
    answer.clear();  // cancelled
    dialog.al_San->click();
    EXPECT_EQ(dialog.al_fname->text(), "keep");
    EXPECT_EQ(runs, 5);
}

class RecordingHost : public AlarmHost, public MainDispatcher {
  public:
    bool IsMinimized() const override { return false; }
    void SetClockCaption(const QString&) override {}
    void GoToToday() override {}
    void ShowNotice(const std::string&, const std::string&) override {}
    void LeaveTopmost() override { log.push_back("leave"); }
    void ReturnTopmost() override {
        log.push_back(std::string("return ") + (frmAlm ? "open" : "freed"));
    }
    intptr_t Send(unsigned message, intptr_t wParam, intptr_t lParam) override {
        log.push_back("send " + std::to_string(message) + " " + std::to_string(wParam) + " " +
                      std::to_string(lParam));
        return 0;
    }
    std::vector<std::string> log;
};

TEST_F(AlarmDialogTest, OpenerArmsTheCountdownAfterOk) {
    struct Case {
        const char* name;
        bool ok;
        bool timer;
        uint8_t zen;
        int countdownMs;
        std::vector<std::string> log;
    } cases[] = {
        {"ok with timer", true, true, 0, 300000, {}},
        {"ok without timer", true, false, 0, 0, {}},
        {"cancel", false, true, 0, 0, {}},
        {"topmost", true, true, 1, 300000, {"leave", "send 1424 0 2", "return freed"}},
    };
    for (const Case& c : cases) {
        const FreshGlobals fresh;
        AppDir = "/app";
        FakeClock clock;
        clock.Set(2004, 5, 1, 9, 0, 20);
        RecordingHost host;
        MainWnd = &host;
        Settings.zen = c.zen;
        AlarmEngine engine(host);
        QTimer::singleShot(0, [&] {
            ASSERT_NE(frmAlm, nullptr);
            EXPECT_EQ(OpenAlarmDialog(nullptr, engine), 0)
                << "an open dialog only comes to the front";
            frmAlm->ttOn->setChecked(c.timer);
            frmAlm->al_tt->setEditText("5");
            (c.ok ? frmAlm->Button5 : frmAlm->Button6)->click();
        });
        const int result = OpenAlarmDialog(nullptr, engine);
        EXPECT_EQ(result, c.ok ? 1 : 2) << c.name;
        EXPECT_EQ(frmAlm, nullptr) << c.name;
        EXPECT_EQ(engine.tt_Timer().Interval(), c.countdownMs) << c.name;
        // O.K realigns the minute tick to the next full minute.
        EXPECT_EQ(engine.alm_Timer().Interval(), c.ok ? 40000 : 0) << c.name;
        EXPECT_EQ(host.log, c.log) << c.name;
        MainWnd = nullptr;
    }
}

}  // namespace
