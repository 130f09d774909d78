#include "exit_notice.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QShowEvent>

#include "cp932.h"
#include "message_box.h"
#include "start_notice.h"

using namespace foundation;

namespace schedule {

namespace {

QString DayCaption(const char* which, int month, int day) {
    return U(which) + QStringLiteral("(") + QString::number(month) + U("月") +
           QString::number(day) + U("日)の予定は、");
}

// Keys that only move, select, copy or leave: they change nothing and pass through.
bool IsPassiveKey(const QKeyEvent* k) {
    switch (k->key()) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Meta:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_CapsLock:
        case Qt::Key_NumLock:
        case Qt::Key_ScrollLock:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
            return true;
        default:
            break;
    }
    if (k->key() >= Qt::Key_F1 && k->key() <= Qt::Key_F35) return true;
    return k->matches(QKeySequence::Copy) || k->matches(QKeySequence::SelectAll);
}

}  // namespace

QString TodayNoticeCaption(int month, int day) { return DayCaption("今日", month, day); }

QString TomorrowNoticeCaption(int month, int day) { return DayCaption("明日", month, day); }

int ExitNoticeInterval(int tmTT) { return tmTT == 0 ? 60000 : tmTT; }

using namespace notice_detail;

Tfryotei2::Tfryotei2(QWidget* parent) : QDialog(parent) {
    SetUpFrame(this, "fryotei2", "今日、明日の予定", kClientWidth, kClientHeight);

    pic1 = MakePicture(this);
    lb_ai = MakeBoldLabel(this, "lb_ai", "", 56, 12);
    Label2 = MakeBoldLabel(this, "Label2", "今日の予定", 56, 36);
    tx_yo = MakeMemo(this, "tx_yo", {8, 64, 321, 105}, true);
    Label3 = MakeBoldLabel(this, "Label3", "明日の予定", 8, 176);
    tx_yo2 = MakeMemo(this, "tx_yo2", {8, 196, 321, 105}, true);
    Label4 = MakeBoldLabel(this, "Label4", "となっております。 よろしく御願いします。", 8, 308);
    bt_yes = MakeOkButton(this, {248, 324, 81, 25});
    connect(bt_yes, &QPushButton::clicked, this, [this] { bt_yesClick(); });
    tx_yo->installEventFilter(this);
    tx_yo2->installEventFilter(this);

    tm1 = platform::CurrentTimers().CreateTimer();
    tm1->SetInterval(0);
    tm1->SetHandler([this] { tm1Timer(); });
}

Tfryotei2::~Tfryotei2() = default;

void Tfryotei2::SetToday(int month, int day, const std::string& text) {
    Label2->setText(TodayNoticeCaption(month, day));
    Label2->adjustSize();
    notice_detail::SetMemoText(tx_yo, text);
}

void Tfryotei2::SetTomorrow(int month, int day, const std::string& text) {
    Label3->setText(TomorrowNoticeCaption(month, day));
    Label3->adjustSize();
    notice_detail::SetMemoText(tx_yo2, text);
}

void Tfryotei2::SetPicture(const QIcon& icon) {
    pic1->setIcon(icon);
    pic1->update();
}

void Tfryotei2::FormActivate() { Greet(lb_ai, bt_yes); }

void Tfryotei2::tm1Timer() {
    tm1->SetInterval(0);
    if (isVisible()) done(kResultNone);
}

void Tfryotei2::bt_yesClick() { done(kResultOk); }

void Tfryotei2::MemoKeyPress() {
    platform::MessageDlg(U("終了時に予定の入力／編集はできません。"),
                         platform::MsgKind::Information, {platform::kBtnOk});
    // The window is active again once the box has closed, unless it closed by itself meanwhile.
    if (isVisible()) FormActivate();
}

void Tfryotei2::done(int result) {
    tm1->SetInterval(0);
    QDialog::done(result == kResultOk ? kResultOk : kResultNone);
}

void Tfryotei2::showEvent(QShowEvent* e) {
    notice_detail::ShowPendingText(tx_yo);
    notice_detail::ShowPendingText(tx_yo2);
    QDialog::showEvent(e);
    if (e->spontaneous()) return;
    CentreOnScreen(this);
    pic1->update();
    FormActivate();
}

void Tfryotei2::closeEvent(QCloseEvent* e) {
    if (isVisible()) done(kResultNone);
    e->accept();
}

bool Tfryotei2::eventFilter(QObject* watched, QEvent* e) {
    if ((watched == tx_yo || watched == tx_yo2) &&
        (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease)) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (IsPassiveKey(k)) return false;
        // Swallowed on the way down; the message answers the release, once per key.
        if (e->type() == QEvent::KeyRelease && !k->isAutoRepeat()) MemoKeyPress();
        return true;
    }
    return QDialog::eventFilter(watched, e);
}

}  // namespace schedule
