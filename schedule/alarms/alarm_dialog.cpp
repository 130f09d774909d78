#include "alarm_dialog.h"

#include <QFont>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QShowEvent>

#include "alarm_engine.h"
#include "cp932.h"
#include "folders.h"
#include "form_controls.h"
#include "globals.h"
#include "messages.h"
#include "modal_run.h"
#include "paths.h"
#include "settings_record.h"
#include "text_helpers.h"
#include "title_bar.h"

using namespace foundation;

namespace schedule {

TfrmAlm* frmAlm = nullptr;

namespace {

// The dialog's check boxes are of one height whatever their captions.
QCheckBox* MakeAlarmCheck(QWidget* parent, const char* name, const char* caption, int top) {
    QCheckBox* c = MakeCheck(parent, name, caption, 12, top);
    c->resize(150, 17);
    return c;
}

// One "音声ﾌｧｲﾙ:" row: label, edit box and browse button.
QLineEdit* MakeFileRow(QGroupBox* box, const char* editName, const char* buttonName, int top,
                       QPushButton*& button) {
    MakeLabel(box, "音声ﾌｧｲﾙ:", 28, top + 3);
    QLineEdit* e = MakeEdit(box, editName, {92, top, 180, 21});
    button = MakeButton(box, buttonName, ">>", {276, top, 29, 21});
    return e;
}

void FillNumbers(QComboBox* box, int from, int to) {
    box->clear();
    for (int n = from; n <= to; ++n) box->addItem(QString::number(n));
}

// A whole number typed into a list box: ASCII digits with blanks around them.
bool ParseTyped(const QString& text, int low, int high, int& value) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 4) return false;
    int v = 0;
    for (QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
        v = v * 10 + (c.unicode() - '0');
    }
    if (v < low || v > high) return false;
    value = v;
    return true;
}

bool Reject(QComboBox* box, const char* message) {
    MsgBox(Sj(message), 48, "");
    box->setFocus();
    if (box->lineEdit()) box->lineEdit()->selectAll();
    return false;
}

std::string WavOf(const QLineEdit* edit) {
    const std::string text = platform::FromDiskPath(edit->text());
    return text.empty() ? DefaultAlarmSound() : CutText255(text);
}

}  // namespace

std::string DefaultAlarmSound() { return platform::JoinPath(AppDir, Sj("ﾁｬｲﾑ01.wav")); }

TfrmAlm::TfrmAlm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAlm"));
    setWindowTitle(U("ﾁｬｲﾑとｱﾗｰﾑの設定"));
    setFont(QFont(U("ＭＳ Ｐゴシック"), 9));
    setFixedSize(kClientWidth, kClientHeight);
    // Dialog border, system menu only.
    platform::SetTitleBar(this, platform::TitleBar::Dialog, true);

    GroupBox1 = new QGroupBox(U("ﾁｬｲﾑ"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 4, 314, 112);
    ch0_On = MakeAlarmCheck(GroupBox1, "ch0_On", "毎時 0分に鳴らす", 18);
    ch0_fname = MakeFileRow(GroupBox1, "ch0_fname", "ch0_san", 38, ch0_san);
    ch30_On = MakeAlarmCheck(GroupBox1, "ch30_On", "毎時 30分に鳴らす", 64);
    ch30_fname = MakeFileRow(GroupBox1, "ch30_fname", "ch30_san", 84, ch30_san);

    GroupBox2 = new QGroupBox(U("ｱﾗｰﾑ"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(8, 120, 314, 72);
    alOn = MakeAlarmCheck(GroupBox2, "alOn", "ｱﾗｰﾑ ON", 18);
    alOn->setFixedWidth(80);
    al_hh = MakeCombo(GroupBox2, "al_hh", {100, 16, 48, 20});
    MakeLabel(GroupBox2, "時", 152, 19);
    al_mm = MakeCombo(GroupBox2, "al_mm", {172, 16, 48, 20});
    MakeLabel(GroupBox2, "分", 224, 19);
    al_fname = MakeFileRow(GroupBox2, "al_fname", "al_San", 42, al_San);

    GroupBox3 = new QGroupBox(U("ﾀｲﾏ"), this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    GroupBox3->setGeometry(8, 196, 314, 72);
    ttOn = MakeAlarmCheck(GroupBox3, "ttOn", "ﾀｲﾏ ON", 18);
    ttOn->setFixedWidth(70);
    MakeLabel(GroupBox3, "O.Kを押してから", 86, 19);
    al_tt = MakeCombo(GroupBox3, "al_tt", {180, 16, 48, 20});
    al_tt->setEditText(QStringLiteral("3"));
    MakeLabel(GroupBox3, "分後に", 232, 19);
    tt_fname = MakeFileRow(GroupBox3, "tt_fname", "tt_San", 42, tt_San);

    Button5 = MakeButton(this, "Button5", "O.K", {76, 278, 75, 25});
    Button6 = MakeButton(this, "Button6", "ｷｬﾝｾﾙ", {180, 278, 75, 25});
    Button5->setDefault(true);
    connect(Button5, &QPushButton::clicked, this, [this] {
        if (Button5Click()) done(kResultOk);
    });
    connect(Button6, &QPushButton::clicked, this, [this] { done(kResultCancel); });

    OpenDialog1 = new QFileDialog(this);
    OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
    OpenDialog1->setFileMode(QFileDialog::ExistingFile);
    OpenDialog1->setWindowTitle(U("音声ﾌｧｲﾙの指定"));
    OpenDialog1->setNameFilter(U("WAVEﾌｧｲﾙ (*.wav)"));
    connect(ch0_san, &QPushButton::clicked, this, [this] { ch0_sanClick(); });
    connect(ch30_san, &QPushButton::clicked, this, [this] { ch30_sanClick(); });
    connect(al_San, &QPushButton::clicked, this, [this] { al_SanClick(); });
    connect(tt_San, &QPushButton::clicked, this, [this] { tt_SanClick(); });
    FormCreate();
}

TfrmAlm::~TfrmAlm() {
    if (frmAlm == this) frmAlm = nullptr;
}

void TfrmAlm::FormCreate() { frmAlm = nullptr; }

void TfrmAlm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
    }
    FormShow();
}

void TfrmAlm::FormShow() {
    FillNumbers(al_hh, 0, 23);
    FillNumbers(al_mm, 0, 59);
    FillNumbers(al_tt, 1, 59);
    QCheckBox* const checks[4] = {ch0_On, ch30_On, alOn, ttOn};
    QLineEdit* const edits[4] = {ch0_fname, ch30_fname, al_fname, tt_fname};
    for (int i = 0; i < 4; ++i) {
        AlarmSlot& slot = Settings.Alarms[i];
        checks[i]->setChecked(slot.OnOff == 1);
        // Stored even when the dialog is then cancelled.
        if (slot.Wav.empty()) slot.Wav = DefaultAlarmSound();
        edits[i]->setText(platform::DiskPath(slot.Wav));
    }
    al_hh->setEditText(QString::number(Settings.Alarms[2].Hour));
    al_mm->setEditText(QString::number(Settings.Alarms[2].Minute));
    al_tt->setEditText(QString::number(Settings.Alarms[3].Minute));
}

bool TfrmAlm::Button5Click() {
    int hour = 0, minute = 0, countdown = 0;
    if (alOn->isChecked()) {
        if (!ParseTyped(al_hh->currentText(), 0, 23, hour))
            return Reject(al_hh, "ｱﾗｰﾑの時は 0 から 23 までの数字で指定してください。");
        if (!ParseTyped(al_mm->currentText(), 0, 59, minute))
            return Reject(al_mm, "ｱﾗｰﾑの分は 0 から 59 までの数字で指定してください。");
    }
    if (ttOn->isChecked() && !ParseTyped(al_tt->currentText(), 1, 59, countdown))
        return Reject(al_tt, "ﾀｲﾏの分は 1 から 59 までの数字で指定してください。");

    QCheckBox* const checks[4] = {ch0_On, ch30_On, alOn, ttOn};
    QLineEdit* const edits[4] = {ch0_fname, ch30_fname, al_fname, tt_fname};
    for (int i = 0; i < 4; ++i) {
        AlarmSlot& slot = Settings.Alarms[i];
        if (!checks[i]->isChecked()) {
            slot.OnOff = 0;  // file, hour and minutes are kept for next time
            continue;
        }
        slot.OnOff = 1;
        slot.Wav = WavOf(edits[i]);
        if (i == 2) {
            slot.Hour = static_cast<uint8_t>(hour);
            slot.Minute = static_cast<uint8_t>(minute);
        } else if (i == 3) {
            slot.Minute = static_cast<uint8_t>(countdown);
        }
    }
    return true;
}

void TfrmAlm::Browse(QLineEdit* edit) {
    if (platform::RunModal(*OpenDialog1) != QDialog::Accepted) return;
    const QString path = OpenDialog1->selectedFiles().value(0);
    if (path.isEmpty()) return;
    edit->setText(path);
    TellPathKeptMarked(path);
}

void TfrmAlm::ch0_sanClick() { Browse(ch0_fname); }
void TfrmAlm::ch30_sanClick() { Browse(ch30_fname); }
void TfrmAlm::al_SanClick() { Browse(al_fname); }
void TfrmAlm::tt_SanClick() { Browse(tt_fname); }

void TfrmAlm::done(int result) {
    // Esc and the title bar leave like Cancel.
    QDialog::done(result == QDialog::Rejected ? kResultCancel : result);
}

int OpenAlarmDialog(QWidget* parent, AlarmEngine& engine) {
    if (frmAlm) {
        frmAlm->raise();
        frmAlm->activateWindow();
        return 0;
    }
    QPointer<TfrmAlm> dialog = new TfrmAlm(parent);
    frmAlm = dialog;
    const bool zen = Settings.zen == 1;
    if (zen) {
        engine.Host().LeaveTopmost();
        SendToMain(WM_MAIN_TOPMOST, 0, 2);
    }
    const int result = dialog->exec();
    if (result == TfrmAlm::kResultOk) engine.ApplyAlarmDialog();
    delete dialog.data();
    if (zen) engine.Host().ReturnTopmost();
    return result;
}

}  // namespace schedule
