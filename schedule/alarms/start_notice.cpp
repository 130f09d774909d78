#include "start_notice.h"

#include <QCloseEvent>
#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>
#include <cmath>

#include "cp932.h"
#include "day_text.h"
#include "day_text_memo.h"
#include "fonts.h"
#include "globals.h"
#include "paths.h"
#include "sound.h"
#include "title_bar.h"

using namespace foundation;

namespace schedule {

TfrYotei* frYotei = nullptr;

namespace {

// "More than 3 minutes", counted in whole milliseconds so that a stored time exactly three
// minutes back does not tip over by a rounding error of the day fraction.
bool LongerThanThreeMinutes(TDateTime last) {
    const long long ms = std::llround(MinutesFromNow(last) * 60000.0);
    return ms > 3 * 60000;
}

bool NoticeDue(bool iniExists, TDateTime last, int iniAgeDays) {
    if (!iniExists) return false;
    return LongerThanThreeMinutes(last) || iniAgeDays >= 1;
}

}  // namespace

Greeting GreetingForHour(int hour) {
    if (hour >= 5 && hour <= 10) return {"おはようございます。", "asa.wav"};
    if (hour >= 11 && hour <= 16) return {"こんにちは。", "hiru.wav"};
    return {"こんばんは。", "yoru.wav"};
}

QString GreetingText(const std::string& name, int hour) {
    return platform::FromCp932(name) + U("さん、") + U(GreetingForHour(hour).words);
}

bool ShouldShowStartNotice(bool iniExists, TDateTime lastStart, int iniAgeDays) {
    return NoticeDue(iniExists, lastStart, iniAgeDays);
}

bool ShouldShowExitNotice(bool iniExists, TDateTime lastExit, int iniAgeDays) {
    return NoticeDue(iniExists, lastExit, iniAgeDays);
}

namespace notice_detail {

void SetUpFrame(QDialog* dialog, const char* objectName, const char* caption, int width,
                int height) {
    dialog->setObjectName(QString::fromLatin1(objectName));
    dialog->setWindowTitle(U(caption));
    QFont f(platform::InstalledFamily(U("ＭＳ Ｐゴシック")));
    f.setPixelSize(12);
    dialog->setFont(f);
    dialog->setFixedSize(width, height);
    // Single border, system menu only.
    platform::SetTitleBar(dialog, platform::TitleBar::CloseOnly, true);
}

QLabel* MakeBoldLabel(QWidget* parent, const char* name, const char* caption, int left, int top,
                      bool fitNow) {
    auto* l = new QLabel(U(caption), parent);
    l->setObjectName(QString::fromLatin1(name));
    QFont f = parent->font();
    f.setBold(true);
    l->setFont(f);
    l->move(left, top);
    if (fitNow) l->adjustSize();
    return l;
}

QPlainTextEdit* MakeMemo(QWidget* parent, const char* name, const QRect& geometry, bool readOnly) {
    auto* m = new QPlainTextEdit(parent);
    m->setObjectName(QString::fromLatin1(name));
    m->setGeometry(geometry);
    m->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Tab leaves the memo, as in the program's other single dialogs.
    m->setTabChangesFocus(true);
    m->setReadOnly(readOnly);
    return m;
}

QToolButton* MakePicture(QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QStringLiteral("pic1"));
    b->setGeometry(8, 8, 41, 49);
    b->setIconSize(QSize(32, 32));
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QPushButton* MakeOkButton(QWidget* parent, const QRect& geometry) {
    auto* b = new QPushButton(U("了解"), parent);
    b->setObjectName(QStringLiteral("bt_yes"));
    b->setGeometry(geometry);
    b->setDefault(true);
    return b;
}

void CentreOnScreen(QWidget* window) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const QRect frame = window->frameGeometry();
    window->move(area.x() + (area.width() - frame.width()) / 2,
                 area.y() + (area.height() - frame.height()) / 2);
}

void Greet(QLabel* lb_ai, QPushButton* bt_yes) {
    const int hour = platform::CurrentClock().Now().hour;
    lb_ai->setText(GreetingText(Settings.name, hour));
    lb_ai->adjustSize();
    if (Settings.oto != 1) {
        platform::PlaySoundAsync(ShippedFile(GreetingForHour(hour).wav));
    }
    bt_yes->setFocus(Qt::OtherFocusReason);
}

// A long text given to a hidden notice waits beside its memo until the notice shows: laying
// out a long line takes time in proportion to its length, and a notice that is not shown
// would spend it for nothing at every start and exit.
constexpr size_t kDeferredFrom = 64 * 1024;
constexpr char kPendingText[] = "kolvanePendingText";

std::string MemoText(const QPlainTextEdit* memo) {
    const QVariant pending = memo->property(kPendingText);
    if (pending.isValid()) return pending.toByteArray().toStdString();
    return MemoPlainText(memo);
}

void SetMemoText(QPlainTextEdit* memo, const std::string& cp932CrLf) {
    if (cp932CrLf.size() >= kDeferredFrom && !memo->isVisible()) {
        memo->setProperty(kPendingText, QByteArray::fromStdString(cp932CrLf));
        memo->clear();
        return;
    }
    memo->setProperty(kPendingText, QVariant());
    SetMemoPlainText(memo, cp932CrLf);
}

void ShowPendingText(QPlainTextEdit* memo) {
    const QVariant pending = memo->property(kPendingText);
    if (!pending.isValid()) return;
    memo->setProperty(kPendingText, QVariant());
    SetMemoPlainText(memo, pending.toByteArray().toStdString());
}

}  // namespace notice_detail

using namespace notice_detail;

TfrYotei::TfrYotei(QWidget* parent) : QDialog(parent) {
    SetUpFrame(this, "frYotei", "今日の予定", kClientWidth, kClientHeight);

    pic1 = MakePicture(this);
    // Fitted as the notice shows: built at every start, it is shown at few, and measuring the
    // bold captions loads a font of their own.
    lb_ai = MakeBoldLabel(this, "lb_ai", "", 56, 12, false);
    ti = MakeBoldLabel(this, "ti", "今日の予定は、", 56, 36, false);
    tx_yo = MakeMemo(this, "tx_yo", {8, 64, 321, 153}, false);
    Label1 =
        MakeBoldLabel(this, "Label1", "となっております。 よろしく御願いします。", 8, 224, false);
    bt_yes = MakeOkButton(this, {248, 248, 81, 25});
    connect(bt_yes, &QPushButton::clicked, this, [this] { bt_yesClick(); });

    tm1 = platform::CurrentTimers().CreateTimer();
    tm1->SetInterval(0);
    tm1->SetHandler([this] { tm1Timer(); });

    frYotei = this;
}

TfrYotei::~TfrYotei() {
    if (frYotei == this) frYotei = nullptr;
}

std::string TfrYotei::MemoText() const { return notice_detail::MemoText(tx_yo); }

void TfrYotei::SetMemoText(const std::string& cp932CrLf) {
    notice_detail::SetMemoText(tx_yo, cp932CrLf);
}

QString TfrYotei::ShownText() const {
    const QVariant pending = tx_yo->property(notice_detail::kPendingText);
    if (pending.isValid())
        return platform::CrLfToLf(platform::FromCp932(pending.toByteArray().toStdString()));
    return tx_yo->toPlainText();
}

void TfrYotei::SetShownText(const QString& text) {
    tx_yo->setProperty(notice_detail::kPendingText, QVariant());
    tx_yo->setPlainText(text);
}

void TfrYotei::SetPicture(const QIcon& icon) {
    pic1->setIcon(icon);
    pic1->update();
}

void TfrYotei::FormActivate() {
    Greet(lb_ai, bt_yes);
    ti->setText(QString::number(CurMonth) + QStringLiteral(" ") + U("月") +
                QString::number(CurDay) + U("日の予定は、"));
    ti->adjustSize();
}

void TfrYotei::FormShow() { pic1->update(); }

void TfrYotei::tm1Timer() {
    tm1->SetInterval(0);
    if (isVisible()) done(kResultNone);
}

void TfrYotei::FormClose() {
    TodayScheduleText = MemoText();
    // The auto-close belongs to one showing; left running it would close the next one early.
    tm1->SetInterval(0);
}

void TfrYotei::bt_yesClick() { done(kResultOk); }

void TfrYotei::done(int result) {
    FormClose();
    QDialog::done(result == kResultOk ? kResultOk : kResultNone);
}

void TfrYotei::showEvent(QShowEvent* e) {
    // lb_ai and ti are fitted to their words as the notice activates.
    Label1->adjustSize();
    ShowPendingText(tx_yo);
    QDialog::showEvent(e);
    if (e->spontaneous()) return;
    CentreOnScreen(this);
    FormShow();
    FormActivate();
}

void TfrYotei::closeEvent(QCloseEvent* e) {
    if (isVisible()) done(kResultNone);
    e->accept();
}

}  // namespace schedule
