#include "period_export_dialog.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

#include "clipboard.h"
#include "clock.h"
#include "cp932.h"
#include "encodable_text.h"
#include "export_file.h"
#include "export_settings.h"
#include "folders.h"
#include "form_controls.h"
#include "globals.h"
#include "message_box.h"
#include "paths.h"
#include "period_export.h"
#include "settings_record.h"
#include "title_bar.h"

using namespace foundation;

namespace accessories {

TfrYoFsave* frYoFsave = nullptr;

namespace {

constexpr int kClientWidth = 456;
constexpr int kClientHeight = 308;

QLabel* Label(QWidget* parent, const char* caption, int left, int top) {
    auto* l = new QLabel(U(caption), parent);
    l->move(left, top);
    l->adjustSize();
    return l;
}

QCheckBox* Check(QWidget* parent, const char* name, const char* caption, int top, bool on) {
    auto* c = new QCheckBox(U(caption), parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setGeometry(8, top, 440, 18);
    c->setChecked(on);
    return c;
}

void AddNumbers(QComboBox* box, int from, int to, int step) {
    for (int v = from; v <= to; v += step) box->addItem(QString::number(v));
}

void ShowNumberError(const QString& text) {
    platform::MessageDlg(
        QStringLiteral("'") + text + U("' は 0 から 255 までの整数値ではありません。"),
        platform::MsgKind::Error, {platform::kBtnOk});
}

}  // namespace

TfrYoFsave::TfrYoFsave(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frYoFsave"));
    setWindowTitle(U("予定のファイル出力"));
    setFont(QFont(U("ＭＳ Ｐゴシック"), 9));
    resize(kClientWidth, kClientHeight);

    Label(this, "出力期間：", 8, 8);
    yy = MakeCombo(this, "yy", {8, 26, 57, 22});
    Label(this, "年", 68, 30);
    mm = MakeCombo(this, "mm", {84, 26, 45, 22});
    Label(this, "月", 132, 30);
    dd = MakeCombo(this, "dd", {148, 26, 45, 22});
    Label(this, "日から", 196, 30);
    nday = MakeCombo(this, "nday", {240, 26, 57, 22});
    Label(this, "日分を出力する。", 300, 30);
    const int thisYear = platform::CurrentClock().Now().year;
    AddNumbers(yy, 1995, std::max(thisYear + 5, 2006), 1);
    AddNumbers(mm, 1, 12, 1);
    AddNumbers(dd, 1, 31, 1);
    for (int n : {30, 60, 90, 120, 182}) nday->addItem(QString::number(n));
    nday->setCurrentText(QStringLiteral("30"));

    cb_day = Check(this, "cb_day", "予定の存在しない日は日付を出力する。", 58, true);
    cb_sugi = Check(this, "cb_sugi", "指定期間以降も予定が存在する日は予定を出力する。", 78, true);
    ch_html = Check(this, "ch_html", "HTML形式で予定を出力する。", 98, false);

    Label(this, "ｲﾝﾃﾞﾝﾄ文字数：", 8, 130);
    in_n = MakeCombo(this, "in_n", {92, 126, 49, 22});
    AddNumbers(in_n, 0, 90, 5);
    in_n->setCurrentText(QStringLiteral("0"));
    Label(this, "区切文字：", 156, 130);
    ku_moji = new QLineEdit(QStringLiteral("-"), this);
    ku_moji->setObjectName(QStringLiteral("ku_moji"));
    ku_moji->setGeometry(216, 126, 57, 22);
    Label(this, "区切文字数：", 288, 130);
    ku_moji_n = MakeCombo(this, "ku_moji_n", {360, 126, 49, 22});
    AddNumbers(ku_moji_n, 0, 90, 5);
    ku_moji_n->setCurrentText(QStringLiteral("0"));

    Label(this, "出力ﾊﾟｽ：", 8, 164);
    tx_path = new QLineEdit(this);
    tx_path->setObjectName(QStringLiteral("tx_path"));
    tx_path->setReadOnly(true);
    tx_path->setToolTip(U("ﾊﾟｽの変更は「>>」で行ってください。"));
    tx_path->setGeometry(92, 160, 320, 22);
    Button1 = MakeButton(this, "Button1", ">>", {416, 160, 32, 22});
    Label(this, "出力ﾌｧｲﾙ名：", 8, 194);
    tx_fname = new QLineEdit(this);
    tx_fname->setObjectName(QStringLiteral("tx_fname"));
    tx_fname->setGeometry(92, 190, 200, 22);

    gu = new QProgressBar(this);
    gu->setObjectName(QStringLiteral("gu"));
    gu->setRange(0, 100);
    gu->setValue(0);
    gu->setGeometry(8, 228, 440, 18);

    bt_fout = MakeButton(this, "bt_fout", "ファイル出力(&S)", {8, 272, 105, 27});
    bt_fout->setProperty("tag", 999);
    Button2 = MakeButton(this, "Button2", "ｸﾘｯﾎﾞｰﾄﾞ出力(&V)", {120, 272, 105, 27});
    Button2->setProperty("tag", 0);
    bt_cl = MakeButton(this, "bt_cl", "クリア(&X)", {232, 272, 105, 27});
    bt_can = MakeButton(this, "bt_can", "閉じる(&C)", {344, 272, 104, 27});
    for (QPushButton* b : {bt_fout, Button2, bt_cl, bt_can}) b->setAutoDefault(false);

    connect(bt_fout, &QPushButton::clicked, this, [this] { bt_foutClick(true); });
    connect(Button2, &QPushButton::clicked, this, [this] { bt_foutClick(false); });
    connect(bt_cl, &QPushButton::clicked, this, [this] { bt_clClick(); });
    connect(bt_can, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    platform::SetTitleBar(this, platform::TitleBar::NoButtons, true);
    frYoFsave = this;
}

TfrYoFsave::~TfrYoFsave() {
    if (frYoFsave == this) frYoFsave = nullptr;
}

void TfrYoFsave::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!FirstShow(shown_)) return;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    FormActivate();
}

void TfrYoFsave::FormActivate() {
    yy->setCurrentText(QString::number(CurYear));
    mm->setCurrentText(QString::number(CurMonth));
    dd->setCurrentText(QString::number(CurDay));
    LoadExportSettings(BaseDir);
    tx_fname->setText(platform::DiskPath(ExportSettings.fname));
    tx_path->setText(platform::DiskPath(ExportSettings.path));
    in_n->setCurrentText(QString::number(ExportSettings.ind));
    ku_moji->setText(platform::FromCp932(ExportSettings.kiri_moji));
    ku_moji_n->setCurrentText(QString::number(ExportSettings.kiri_n));
}

bool TfrYoFsave::TakeOptions() {
    uint8_t ind = 0, kiri_n = 0;
    if (!ParseOptionByte(in_n->currentText(), ind)) {
        ShowNumberError(in_n->currentText());
        return false;
    }
    if (!ParseOptionByte(ku_moji_n->currentText(), kiri_n)) {
        ShowNumberError(ku_moji_n->currentText());
        return false;
    }
    if (!ConfirmLineEdits({ku_moji})) return false;
    ExportSettings.ind = ind;
    ExportSettings.kiri_moji = CutText255(StoredText(ku_moji->text(), ExportSettings.kiri_moji));
    ExportSettings.kiri_n = kiri_n;
    return true;
}

bool TfrYoFsave::FormClose() {
    if (!TakeOptions()) return false;
    ExportSettings.fname = platform::FromDiskPath(tx_fname->text());
    ExportSettings.path = platform::FromDiskPath(tx_path->text());
    if (!SaveExportSettings(BaseDir))
        platform::ShowMessage(U("ﾌｧｲﾙ「") + platform::DiskPath(ExportSettingsPath(BaseDir)) +
                              U("」に出力設定を保存できません."));
    return true;
}

void TfrYoFsave::done(int result) {
    if (closing_) return;
    closing_ = true;
    const bool closes = FormClose();
    closing_ = false;
    if (closes) QDialog::done(result);
}

void TfrYoFsave::closeEvent(QCloseEvent* event) {
    event->ignore();
    done(QDialog::Rejected);
}

void TfrYoFsave::bt_clClick() {
    yy->setCurrentText(QString());
    mm->setCurrentText(QString());
    dd->setCurrentText(QString());
    gu->setValue(0);
}

void TfrYoFsave::Button1Click() {
    std::string start = platform::FromDiskPath(tx_path->text());
    if (start.empty()) start = BaseDir;
    std::string chosen = PickFolder(this, U("パスの指定"), start);
    // The picker's closing refills the dialog; the folder comes after.
    FormActivate();
    if (chosen.empty()) return;
    tx_path->setText(platform::DiskPath(chosen + (chosen.back() == '/' ? "" : "/")));
    TellPathKeptMarked(tx_path->text());
}

void TfrYoFsave::bt_foutClick(bool toFile) {
    Period period;
    if (!MakePeriod(yy->currentText(), mm->currentText(), dd->currentText(), nday->currentText(),
                    cb_sugi->isChecked(), period)) {
        platform::ShowMessage(U("出力期間が異常です。確認してください。"));
        FormActivate();
        return;
    }
    if (!TakeOptions()) return;

    std::string target;
    if (toFile) {
        const std::string start = platform::FromDiskPath(tx_path->text() + tx_fname->text());
        std::optional<std::string> chosen = AskExportFile(
            this, U("ｽｹｼﾞｭｰﾙのｴｷｽﾎﾟｰﾄ"), start,
            ch_html->isChecked() ? U("HTML (*.HTM)") : U("Text files (*.TXT)"), std::string());
        if (!chosen || !ConfirmReplace(*chosen)) return;
        target = *chosen;
    }

    PeriodOptions options;
    options.ind = ExportSettings.ind;
    options.kiri_moji = ExportSettings.kiri_moji;
    options.kiri_n = ExportSettings.kiri_n;
    options.dateEmptyDays = cb_day->isChecked();
    options.html = ch_html->isChecked();
    gu->setValue(0);
    std::string text = PeriodText(period, options, [this](int percent) { gu->setValue(percent); });
    if (!text.empty()) {
        if (options.html) text = PeriodHtmlPage(text);
        if (toFile) {
            if (!WriteExportFile(target, PeriodFileBytes(text))) return;
        } else {
            platform::SetClipboardTextCp932(text);
        }
    }
    gu->setValue(100);
    platform::ShowMessage(U("出力しました。"));
    FormActivate();
}

void ShowPeriodExport(QWidget* parent) {
    TfrYoFsave dialog(parent);
    dialog.exec();
}

}  // namespace accessories
