#include "notice_popup.h"

#include <QCloseEvent>
#include <QFont>
#include <QGuiApplication>
#include <QScreen>

#include "cp932.h"
#include "modal_windows.h"
#include "settings_record.h"
#include "sound.h"
#include "title_bar.h"

using namespace foundation;

namespace schedule {

namespace {

// Alarm and countdown notices repeat even while the voice sounds are off.
const char* const kAlarmText = "アラームで設定した時間です。";

void CentreOnScreen(QWidget* w) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    w->move(area.center() - QPoint(w->width() / 2, w->height() / 2));
}

}  // namespace

TfrAnnai::TfrAnnai(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frAnnai"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    // Set before the first show, so the flag change cannot hide a visible window.
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint);
    setWindowTitle(QStringLiteral("Kolvane32"));
    setFont(QFont(U("ＭＳ Ｐゴシック"), 9));
    setFixedSize(kClientWidth, kClientHeight);
    platform::SetTitleBar(this, platform::TitleBar::Dialog, true);

    tx = new QLabel(U("お時間です。"), this);
    tx->setObjectName(QStringLiteral("tx"));
    tx->setAlignment(Qt::AlignCenter);
    tx->setWordWrap(true);
    QFont bold = font();
    bold.setBold(true);
    tx->setFont(bold);
    tx->setGeometry(8, 8, kClientWidth - 16, 60);

    btOK = new QPushButton(U("了解(&O)"), this);
    btOK->setObjectName(QStringLiteral("btOK"));
    btOK->setGeometry((kClientWidth - 89) / 2, 76, 89, 25);
    btOK->setDefault(true);
    connect(btOK, &QPushButton::clicked, this, [this] { btOKClick(); });

    Timer1 = platform::CurrentTimers().CreateTimer();
    Timer1->SetHandler([this] { Timer1Timer(); });
    // The tick runs while modal dialogs are open; the notice it shows must still be confirmable.
    platform::KeepUsableAboveModals(this);
    FormCreate();
}

TfrAnnai::~TfrAnnai() = default;

void TfrAnnai::FormCreate() {
    Timer1->SetInterval(kRepeatMs);
    SoundFile.clear();
}

void TfrAnnai::SetText(const std::string& text) { tx->setText(platform::FromCp932(text)); }

void TfrAnnai::Timer1Timer() {
    if (Settings.alm_Znaru != 1 || SoundFile.empty()) return;
    if (tx->text() == U(kAlarmText) || Settings.oto != 1) platform::PlaySoundAsync(SoundFile);
}

void TfrAnnai::btOKClick() { close(); }

void TfrAnnai::FormClose() { Timer1->SetInterval(0); }

void TfrAnnai::closeEvent(QCloseEvent* event) {
    FormClose();
    QDialog::closeEvent(event);
}

void TfrAnnai::done(int result) {
    // Esc ends here rather than in closeEvent.
    FormClose();
    QDialog::done(result);  // frees the notice (delete on close)
}

TfrAnnai* ShowNoticePopup(const std::string& text, const std::string& soundFile) {
    auto* notice = new TfrAnnai(nullptr);
    notice->SetText(text);
    notice->SoundFile = soundFile;
    CentreOnScreen(notice);
    notice->show();
    return notice;
}

}  // namespace schedule
