#include "holiday_editor.h"

#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include "cp932.h"
#include "encodable_text.h"
#include "file_io.h"
#include "form_controls.h"
#include "globals.h"
#include "holiday_editing.h"
#include "message_box.h"
#include "paths.h"
#include "schedule_store.h"
#include "title_bar.h"

using namespace foundation;

namespace schedule {

namespace {

QComboBox* MakeList(QWidget* parent, const char* name, int items, const QRect& geometry) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->addItem(QString());
    for (int n = 1; n <= items; ++n) box->addItem(QString::asprintf("%2d", n));
    box->setGeometry(geometry);
    return box;
}

bool AskYesNo(const QString& text) {
    return platform::MessageDlg(text, platform::MsgKind::Confirmation,
                                {platform::kBtnYes, platform::kBtnNo}) == platform::kBtnYes;
}

QString DateText(int month, int day) {
    return QString::number(month) + U("月") + QString::number(day) + U("日");
}

}  // namespace

TfrHolSet::TfrHolSet(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frHolSet"));
    setWindowTitle(QStringLiteral("frHolSet"));
    QFont f(U("ＭＳ Ｐゴシック"));
    f.setPixelSize(12);
    setFont(f);
    resize(474, 379);
    platform::SetTitleBar(this, platform::TitleBar::Dialog, true);

    GroupBox2 = new QGroupBox(U("新規登録・編集"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(8, 8, 458, 60);
    tuki = MakeList(GroupBox2, "tuki", 12, {12, 24, 52, 22});
    Label1 = MakeLabel(GroupBox2, "Label1", "月", 68, 28);
    hi = MakeList(GroupBox2, "hi", 31, {88, 24, 52, 22});
    Label2 = MakeLabel(GroupBox2, "Label2", "日", 144, 28);
    tx = new QLineEdit(GroupBox2);
    tx->setObjectName(QStringLiteral("tx"));
    tx->setGeometry(164, 24, 160, 22);
    bt_cl = MakeButton(GroupBox2, "bt_cl", "ｸﾘｱ", {328, 23, 40, 24});
    bt_input = MakeButton(GroupBox2, "bt_input", "登録(&T)", {374, 23, 75, 24});

    GroupBox1 = new QGroupBox(U("現在登録されている内容一覧"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 76, 458, 260);
    pa = new QLabel(U("月,日,内容"), GroupBox1);
    pa->setObjectName(QStringLiteral("pa"));
    pa->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pa->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    pa->setGeometry(10, 20, 438, 20);
    lbo = new QListWidget(GroupBox1);
    lbo->setObjectName(QStringLiteral("lbo"));
    lbo->setGeometry(10, 40, 438, 180);
    bt_del = MakeButton(GroupBox1, "bt_del", "削除(&D)", {10, 226, 75, 25});

    bt_ok = MakeButton(this, "bt_ok", "O.K", {296, 346, 75, 25});
    bt_can = MakeButton(this, "bt_can", "ｷｬﾝｾﾙ", {384, 346, 75, 25});

    connect(tuki, &QComboBox::activated, this, [this] { tukiChange(); });
    connect(hi, &QComboBox::activated, this, [this] { tukiChange(); });
    connect(bt_cl, &QPushButton::clicked, this, [this] { bt_clClick(); });
    connect(bt_input, &QPushButton::clicked, this, [this] { bt_inputClick(); });
    connect(lbo, &QListWidget::itemClicked, this, [this] { lboClick(); });
    connect(bt_del, &QPushButton::clicked, this, [this] { bt_delClick(); });
    connect(bt_ok, &QPushButton::clicked, this, [this] { bt_okClick(); });
    connect(bt_can, &QPushButton::clicked, this, [this] { reject(); });
}

void TfrHolSet::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormShow();
}

void TfrHolSet::FormShow() {
    list_.ListMode = ListMode == 1 ? HolidayList::kAnniversaries : HolidayList::kHolidays;
    list_.ListYear = ListYear;
    if (ListMode == 1) {
        setWindowTitle(U("ユーザー記念日設定"));
    } else {
        tx->hide();
        bt_cl->hide();
        pa->setText(U("月,日"));
        setWindowTitle(QString::number(ListYear) + U("年ユーザー休日設定"));
    }
    std::string bytes;
    readFailed_ = !platform::ReadWholeFile(ListFile, bytes);
    list_.Load(bytes);
    ShowEntries();
}

void TfrHolSet::ShowEntries(int selected) {
    lbo->clear();
    for (const std::string& e : list_.Entries()) lbo->addItem(platform::FromCp932(e));
    if (selected >= 0 && selected < lbo->count()) lbo->setCurrentRow(selected);
}

void TfrHolSet::tukiChange() { list_.EditIndex = -1; }

void TfrHolSet::bt_clClick() { tx->clear(); }

void TfrHolSet::bt_inputClick() {
    if (ListMode == 1 && !ConfirmLineEdits({tx})) return;
    int day = hi->currentIndex();
    // A picked text registered again unchanged keeps its bytes.
    const std::string text = ListMode == 1 ? StoredText(tx->text(), picked_) : std::string();
    const auto result = list_.Register(tuki->currentIndex(), day, text, [](int m, int d) {
        return AskYesNo(DateText(m, d) + U("は既に設定されています。新しい内容に置き換えますか？"));
    });
    switch (result) {
        case HolidayList::RegisterResult::NoDate:
            platform::ShowMessage(U("日付が指定されていないので、登録できません。"));
            return;
        case HolidayList::RegisterResult::NoText:
            platform::ShowMessage(U("内容が空なので、登録できません。"));
            return;
        default:
            break;
    }
    hi->setCurrentIndex(day);
    if (result == HolidayList::RegisterResult::Added) ShowEntries();
}

void TfrHolSet::lboClick() {
    int month, day;
    std::string text;
    if (!list_.Pick(lbo->currentRow(), month, day, text)) return;
    tuki->setCurrentIndex(month <= 12 ? month : 0);
    hi->setCurrentIndex(day <= 31 ? day : 0);
    tx->setText(platform::FromCp932(text));
    picked_ = text;
}

void TfrHolSet::bt_delClick() {
    const int row = lbo->currentRow();
    if (row < 0 || !lbo->currentItem()->isSelected()) return;
    if (list_.Delete(row, [](int m, int d) {
            return AskYesNo(DateText(m, d) + U("を削除してよろしいですか？"));
        }))
        ShowEntries();
}

void TfrHolSet::bt_okClick() {
    const QString file = platform::DiskPath(ListFile);
    if (readFailed_) {
        // What could not be read must not be replaced by what is shown.
        platform::MessageDlg(U("ファイル[") + file + U("]を読み込めなかったので、保存できません。"),
                             platform::MsgKind::Error, {platform::kBtnOk});
        return;
    }
    if (!platform::WriteFileAtomic(ListFile, list_.FileBytes())) {
        platform::MessageDlg(U("ファイル[") + file + U("]に書き込めませんでした。"),
                             platform::MsgKind::Error, {platform::kBtnOk});
        return;
    }
    saved_ = true;
    accept();
}

void ReloadMonthHolidayLists() {
    if (CurMonth < 1 || CurMonth > 12) return;
    for (int d = 1; d <= 31; ++d) {
        MonthDays[d].UserHoliday = 0;
        MonthDays[d].Anniversary.clear();
    }
    LoadMonthUserHolidays(CurYear, CurMonth);
    LoadMonthAnniversaries(CurMonth);
}

bool EditHolidayList(QWidget* parent, const std::string& listFile, uint8_t mode, uint16_t year) {
    TfrHolSet editor(parent);
    editor.ListMode = mode;
    editor.ListFile = listFile;
    editor.ListYear = year;
    editor.exec();
    if (!editor.Saved()) return false;
    ReloadMonthHolidayLists();
    return true;
}

}  // namespace schedule
