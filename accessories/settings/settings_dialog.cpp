#include "settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFont>
#include <QFontInfo>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTabWidget>

#include "color.h"
#include "cp932.h"
#include "dialogs.h"
#include "encodable_text.h"
#include "face_pictures.h"
#include "folders.h"
#include "form_controls.h"
#include "globals.h"
#include "help.h"
#include "message_box.h"
#include "paths.h"
#include "png_file.h"
#include "settings_rules.h"
#include "speed_button_vr.h"
#include "text_helpers.h"
#include "title_bar.h"
#include "window_frame.h"

using namespace foundation;

namespace accessories {

TfrSet* frSet = nullptr;

namespace {

constexpr int kClientWidth = 600;
constexpr int kClientHeight = 417;
constexpr char kColorProperty[] = "storedColor";
constexpr char kTagProperty[] = "tag";

QComboBox* MakeDropDown(QWidget* parent, const char* name, const QStringList& items,
                        const QRect& geometry) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(items);
    box->setGeometry(geometry);
    return box;
}

QGroupBox* MakeGroup(QWidget* parent, const char* caption, const QRect& geometry) {
    auto* g = new QGroupBox(U(caption), parent);
    g->setGeometry(geometry);
    return g;
}

// One labelled path box with its ">>" picker.
QLineEdit* MakePathRow(QWidget* page, const char* label, const char* editName,
                       const char* buttonName, int top, QPushButton*& button) {
    MakeLabel(page, label, 16, top);
    QLineEdit* edit = MakeEdit(page, editName, {16, top + 18, 500, 22});
    button = MakeButton(page, buttonName, ">>", {520, top + 17, 32, 24});
    return edit;
}

QFont TimesItalic() {
    QFont f(QStringLiteral("Times New Roman"), 11);
    f.setItalic(true);
    return f;
}

std::string FaceFile(const QLineEdit* box) {
    const std::string path = platform::FromDiskPath(box->text());
    return !path.empty() && platform::FileExists(path) ? path : std::string();
}

QString Filter(const char* label, const char* pattern) {
    return U(label) + QStringLiteral(" (") + QString::fromLatin1(pattern) + QLatin1Char(')');
}

}  // namespace

TfrSet::TfrSet(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frSet"));
    setWindowTitle(U("環境設定"));
    setFont(QFont(U("ＭＳ Ｐゴシック"), 9));
    resize(kClientWidth, kClientHeight);
    platform::SetTitleBar(this, platform::TitleBar::NoButtons, true);
    pic_ico = DefaultFaceIcon();
    pic_bmp = DefaultFaceBitmap();

    pic1 = new QPushButton(this);
    pic1->setObjectName(QStringLiteral("pic1"));
    pic1->setGeometry(8, 8, 41, 49);
    pic1->setIconSize(QSize(36, 44));
    pic1->setFocusPolicy(Qt::NoFocus);
    pic1->setIcon(QIcon(pic_bmp));

    Label1 = MakeLabel(this, "orselに作業環境を教えてください。", 60, 10);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->adjustSize();
    MakeLabel(this, "あなたの名前：", 60, 38);
    tx_name = MakeEdit(this, "tx_name", {150, 34, 160, 22});
    MakeLabel(this, "さん", 314, 38);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(8, 66, 584, 306);
    BuildFolderPage();
    BuildDisplayPage();
    BuildNoticePage();
    BuildFacePage();
    BuildDiaryPage();
    BuildMemoPage();
    BuildOtherPage();
    BuildShortcutPage();
    PageControl1->setCurrentIndex(0);

    Button3 = MakeButton(this, "Button3", "Ｏ．Ｋ", {330, 382, 82, 27});
    Button5 = MakeButton(this, "Button5", "ｷｬﾝｾﾙ", {420, 382, 82, 27});
    bt_help = MakeButton(this, "bt_help", "ヘルプ", {510, 382, 82, 27});
    Button3->setDefault(true);
    connect(Button3, &QPushButton::clicked, this, [this] {
        if (Button3Click()) done(QDialog::Accepted);
    });
    connect(Button5, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
    connect(bt_help, &QPushButton::clicked, this, [this] { bt_helpClick(); });
}

TfrSet::~TfrSet() {
    if (frSet == this) frSet = nullptr;
}

void TfrSet::BuildFolderPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    tx_path = MakePathRow(page, "予定データの格納場所：", "tx_path", "Button1", 16, Button1);
    tx_memo = MakePathRow(page, "メモデータの格納場所:", "tx_memo", "Button6", 76, Button6);
    tx_ni_dir = MakePathRow(page, "日記データの格納場所:", "tx_ni_dir", "Button7", 136, Button7);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button6, &QPushButton::clicked, this, [this] { Button6Click(); });
    connect(Button7, &QPushButton::clicked, this, [this] { Button7Click(); });
    PageControl1->addTab(page, U("ﾃﾞｰﾀ格納場所"));
}

void TfrSet::BuildDisplayPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    ch_cal = MakeCheck(page, "ch_cal", "ｶﾚﾝﾀﾞｰ非表示", 16, 10);
    ch_zen = MakeCheck(page, "ch_zen", "常に手前に表示", 16, 32);
    ch_memo = MakeCheck(page, "ch_memo", "起動してすぐToDoを表示", 16, 54);
    ch_ico = MakeCheck(page, "ch_ico", "起動してすぐｱｲｺﾝ化", 16, 76);
    ch_wareki = MakeCheck(page, "ch_wareki", "ｶﾚﾝﾀﾞｰを和暦で表示", 16, 98);
    ch_roku = MakeCheck(page, "ch_roku", "ｶﾚﾝﾀﾞｰに六曜を表示", 16, 120);
    cb_endCHK_nasi = MakeCheck(page, "cb_endCHK_nasi", "終了確認をしない", 16, 142);
    cbWeekNoDsp = MakeCheck(page, "cbWeekNoDsp", "週番号を表示する", 16, 164);

    MakeLabel(page, "予定のある日は、", 16, 194);
    yoAruDsp = MakeDropDown(page, "yoAruDsp", {U("太字"), U("打消し"), U("太字＋打消し")},
                            {110, 190, 110, 22});
    MakeLabel(page, "で表示する", 224, 194);
    MakeLabel(page, "ｶﾚﾝﾀﾞｰの週開始は、", 16, 224);
    cbStYoubi = MakeDropDown(page, "cbStYoubi",
                             {U("日"), U("月"), U("火"), U("水"), U("木"), U("金"), U("土")},
                             {128, 220, 50, 22});
    MakeLabel(page, "曜日とする", 182, 224);

    const QString hint = U("このボタンで文字色の変更ができます。");
    QGroupBox* mark = MakeGroup(page, "ﾏｰｸ日の背景色", {300, 6, 268, 58});
    bt_date = new TSpeedButtonVR(mark);
    bt_date->setObjectName(QStringLiteral("bt_date"));
    bt_date->setGeometry(14, 22, 30, 26);
    bt_date->setText(QStringLiteral("7"));
    bt_date->setFont(TimesItalic());
    bt_date->SetBkBrushStyle(Qt::SolidPattern);
    BitBtn1 = MakeButton(mark, "BitBtn1", "背景色変更", {56, 22, 110, 26});
    BitBtn1->setProperty(kTagProperty, 1);
    BitBtn1->setToolTip(hint);

    QGroupBox* uhori = MakeGroup(page, "ﾕｰｻﾞｰ休日の文字色", {300, 68, 268, 58});
    shape1 = new QFrame(uhori);
    shape1->setObjectName(QStringLiteral("shape1"));
    shape1->setGeometry(14, 22, 70, 26);
    shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
    shape1->setAutoFillBackground(true);
    QPalette white = shape1->palette();
    white.setColor(QPalette::Window, Qt::white);
    shape1->setPalette(white);
    sh1 = new QLabel(QStringLiteral("ABC123"), shape1);
    sh1->setObjectName(QStringLiteral("sh1"));
    sh1->setFont(TimesItalic());
    sh1->setAlignment(Qt::AlignCenter);
    sh1->setGeometry(1, 1, 68, 24);
    bt_mojiColor = MakeButton(uhori, "bt_mojiColor", "文字色変更", {96, 22, 110, 26});
    bt_mojiColor->setProperty(kTagProperty, 0);
    bt_mojiColor->setToolTip(hint);

    QGroupBox* week = MakeGroup(page, "曜日および祝祭日の文字色", {300, 130, 268, 62});
    const char* const days[8] = {"日", "月", "火", "水", "木", "金", "土", "祝日"};
    for (int i = 0; i < 8; ++i) {
        const QByteArray name = "btWeCol" + QByteArray::number(20 + i);
        btWeCol[i] =
            MakeButton(week, name.constData(), days[i], {10 + i * 30, 24, i == 7 ? 40 : 28, 26});
        QFont f = btWeCol[i]->font();
        f.setBold(true);
        btWeCol[i]->setFont(f);
        btWeCol[i]->setProperty(kTagProperty, 20 + i);
        btWeCol[i]->setToolTip(i == 7 ? U("ここをｸﾘｯｸすると祝日の色を変更できます.")
                                      : U("曜日をｸﾘｯｸすると曜日の色を変更できます."));
    }
    for (QPushButton* b : {BitBtn1, bt_mojiColor}) {
        connect(b, &QPushButton::clicked, this, [this, b] { bt_mojiColorClick(b); });
    }
    for (QPushButton* b : btWeCol) {
        connect(b, &QPushButton::clicked, this, [this, b] { bt_mojiColorClick(b); });
    }
    PageControl1->addTab(page, U("表示"));
}

void TfrSet::BuildNoticePage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet3"));
    MakeLabel(page, "予定の", 16, 18);
    tx_oshi = MakeEdit(page, "tx_oshi", {58, 14, 44, 22});
    MakeLabel(page, "分前にお知らせする", 106, 18);
    ch_kai = MakeCheck(page, "ch_kai", "会話なし", 16, 46);
    MakeLabel(page, "残日数が", 16, 80);
    tx_todo = MakeEdit(page, "tx_todo", {70, 76, 44, 22});
    MakeLabel(page, "日以下の ＴｏＤｏ は起動時にお知らせする", 118, 80);
    ch_kyou = MakeCheck(page, "ch_kyou", "起動時に今日の予定を表示しない", 16, 108);
    ch_asu = MakeCheck(page, "ch_asu", "終了時に明日の予定を表示しない", 16, 130);
    alm_Znaru = MakeCheck(page, "alm_Znaru", "確認をするまでｱﾗｰﾑ音を鳴らす", 16, 152);
    MakeLabel(page, "起動時/終了時の自動案内は、", 16, 188);
    QStringList seconds;
    for (int s = 0; s <= 60; s += 5) seconds << QString::number(s);
    cb_tm1 = MakeDropDown(page, "cb_tm1", seconds, {184, 184, 56, 22});
    cb_tm1->setToolTip(U("0秒の時は、ﾕｰｻﾞｰが指示するまで、閉じません。"));
    MakeLabel(page, "秒 経過したら自動的に閉じる。", 244, 188);
    PageControl1->addTab(page, U("自動案内"));
}

void TfrSet::BuildFacePage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet4"));
    tx_ico = MakePathRow(page, "顔ｱｲｺﾝ:", "tx_ico", "Button2", 16, Button2);
    tx_bmp = MakePathRow(page, "顔BMP:", "tx_bmp", "Button4", 76, Button4);
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    PageControl1->addTab(page, U("orselの顔"));
}

void TfrSet::BuildDiaryPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet5"));
    tx_ni_prg =
        MakePathRow(page, "日記データを編集するプログラム", "tx_ni_prg", "Button8", 16, Button8);
    tx_ni_tmp =
        MakePathRow(page, "日記のテンプレートファイル", "tx_ni_tmp", "Button9", 76, Button9);
    connect(Button8, &QPushButton::clicked, this, [this] { Button8Click(); });
    connect(Button9, &QPushButton::clicked, this, [this] { Button9Click(); });
    PageControl1->addTab(page, U("日記"));
}

void TfrSet::BuildMemoPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet6"));
    MakeLabel(page, "★この設定がメモを新規作成したときの初期値になります。", 16, 12);
    QGroupBox* preview = MakeGroup(page, "現在の初期値でのﾌﾟﾚﾋﾞｭｰ", {16, 38, 340, 130});
    memo_Col = new QFrame(preview);
    memo_Col->setObjectName(QStringLiteral("memo_Col"));
    memo_Col->setGeometry(12, 22, 316, 96);
    memo_Col->setFrameStyle(QFrame::Box | QFrame::Plain);
    memo_Col->setAutoFillBackground(true);
    memo_pv = new QLabel(U("ABCabcあいう漢字12345"), memo_Col);
    memo_pv->setObjectName(QStringLiteral("memo_pv"));
    memo_pv->setAlignment(Qt::AlignCenter);
    memo_pv->setGeometry(2, 2, 312, 92);
    QGroupBox* change = MakeGroup(page, "初期値の変更", {370, 38, 190, 130});
    btMemoFontHen = MakeButton(change, "btMemoFontHen", "ﾌｫﾝﾄ", {20, 30, 94, 28});
    btMemoFontCol = MakeButton(change, "btMemoFontCol", "文字色", {118, 30, 52, 28});
    btMemoColHen = MakeButton(change, "btMemoColHen", "背景色", {20, 76, 150, 28});
    connect(btMemoFontHen, &QPushButton::clicked, this, [this] { btMemoFontHenClick(); });
    connect(btMemoFontCol, &QPushButton::clicked, this, [this] { btMemoFontColClick(); });
    connect(btMemoColHen, &QPushButton::clicked, this, [this] { btMemoColHenClick(); });
    PageControl1->addTab(page, U("メモの外観"));
}

void TfrSet::BuildOtherPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet7"));
    QGroupBox* hot = MakeGroup(page, "ﾎｯﾄｷｰの設定", {16, 16, 400, 64});
    QLabel* keys = MakeLabel(hot, "Shift + Ctrl + ", 14, 30);
    QFont bold = keys->font();
    bold.setBold(true);
    keys->setFont(bold);
    keys->adjustSize();
    tx_hot_key = MakeEdit(hot, "tx_hot_key", {keys->x() + keys->width() + 4, 26, 26, 22});
    tx_hot_key->setMaxLength(1);
    tx_hot_key->setText(QStringLiteral("J"));
    tx_hot_key->setAttribute(Qt::WA_InputMethodEnabled, false);
    tx_hot_key->setContextMenuPolicy(Qt::NoContextMenu);
    tx_hot_key->installEventFilter(this);
    MakeLabel(hot, "でKolvaneを呼び出す。", tx_hot_key->x() + 32, 30);
    PageControl1->addTab(page, U("その他"));
}

void TfrSet::BuildShortcutPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet8"));
    QGroupBox* startup = MakeGroup(page, "Kolvane32をｽﾀｰﾄﾒﾆｭｰのｽﾀｰﾄｱｯﾌﾟへ", {16, 16, 400, 70});
    bt_StupSet = MakeButton(startup, "bt_StupSet", "登録する", {20, 28, 110, 28});
    bt_StupUnSet = MakeButton(startup, "bt_StupUnSet", "解除する", {150, 28, 110, 28});
    QGroupBox* desktop = MakeGroup(page, "ﾃﾞｨｽｸﾄｯﾌﾟに Kolvane32 を", {16, 100, 400, 70});
    bt_DtopSet = MakeButton(desktop, "bt_DtopSet", "登録する", {20, 28, 110, 28});
    bt_DtopUnSet = MakeButton(desktop, "bt_DtopUnSet", "解除する", {150, 28, 110, 28});
    connect(bt_StupSet, &QPushButton::clicked, this, [this] { bt_StupSetClick(1); });
    connect(bt_StupUnSet, &QPushButton::clicked, this, [this] { bt_StupSetClick(2); });
    connect(bt_DtopSet, &QPushButton::clicked, this, [this] { bt_DtopSetClick(1); });
    connect(bt_DtopUnSet, &QPushButton::clicked, this, [this] { bt_DtopSetClick(2); });
    PageControl1->addTab(page, U("ｼｮｰﾄｶｯﾄ"));
}

void TfrSet::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

uint32_t TfrSet::StoredColor(const QWidget* control) {
    return control->property(kColorProperty).toUInt();
}

void TfrSet::SetTextColor(QWidget* control, uint32_t stored) {
    control->setProperty(kColorProperty, stored);
    QPalette p = control->palette();
    p.setColor(QPalette::WindowText, platform::ToQColor(stored));
    p.setColor(QPalette::ButtonText, platform::ToQColor(stored));
    control->setPalette(p);
}

void TfrSet::SetMemoColor(uint32_t stored) {
    memo_Col->setProperty(kColorProperty, stored);
    QPalette p = memo_Col->palette();
    p.setColor(QPalette::Window, platform::ToQColor(stored));
    memo_Col->setPalette(p);
}

void TfrSet::ShowMemoFont() {
    QFont f(platform::FromCp932(memoFont_.Name));
    if (memoFont_.Size > 0) f.setPointSize(memoFont_.Size);
    f.setBold(memoFont_.Bold);
    f.setItalic(memoFont_.Italic);
    f.setUnderline(memoFont_.Underline);
    f.setStrikeOut(memoFont_.StrikeOut);
    memo_pv->setFont(f);
    QPalette p = memo_pv->palette();
    p.setColor(QPalette::WindowText, platform::ToQColor(memoFont_.Color));
    memo_pv->setPalette(p);
}

void TfrSet::ShowFacePicture(const QString& path) {
    const QPixmap picture = path.isEmpty() ? QPixmap() : platform::ReadPicture(path);
    pic1->setIcon(picture.isNull() ? QIcon() : QIcon(picture));
}

void TfrSet::CentreOnScreen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    // The client area is placed, not the frame: Qt's move() takes the client area for the
    // frame until the window manager has framed the window, so the first centring and the
    // later ones would differ by the title bar.
    const QPoint at = CentredClientPos(screen->geometry(), size(), platform::FrameExtents(this));
    if (geometry().topLeft() != at) setGeometry(QRect(at, size()));
}

void TfrSet::FormActivate() {
    const INIT& s = Settings;
    if (platform::FileExists(s.bmp_path)) ShowFacePicture(platform::DiskPath(s.bmp_path));
    CentreOnScreen();
    tx_name->setText(platform::FromCp932(s.name));
    tx_path->setText(platform::DiskPath(s.dat_Path));
    tx_memo->setText(platform::DiskPath(s.memo_path));
    tx_ico->setText(platform::DiskPath(s.ico_path));
    tx_bmp->setText(platform::DiskPath(s.bmp_path));
    tx_ni_dir->setText(platform::DiskPath(s.ni_dir));
    tx_ni_tmp->setText(platform::DiskPath(s.ni_tmp));
    tx_ni_prg->setText(platform::DiskPath(s.ni_prg));

    yoAruDsp->setCurrentIndex(ListIndex(s.yoAruDsp, yoAruDsp->count()));
    memoFont_ = s.MemoFont;
    ShowMemoFont();
    SetMemoColor(s.memo_color);
    cb_tm1->setCurrentIndex(NoticeTimeIndex(s.TM_TT));
    cbStYoubi->setCurrentIndex(ListIndex(s.StYoubiNo, cbStYoubi->count()));
    for (int i = 0; i < 7; ++i) SetTextColor(btWeCol[i], s.YoubiTitleCol[i]);
    SetTextColor(btWeCol[7], s.HolidayMojiCol);

    // These are only ever checked here: a box the user checked stays checked.
    const std::pair<QCheckBox*, uint8_t> checkOnly[] = {
        {cbWeekNoDsp, s.syuuNoDsp}, {cb_endCHK_nasi, s.END_CHK}, {ch_roku, s.roku},
        {ch_wareki, s.wareki},      {alm_Znaru, s.alm_Znaru},    {ch_zen, s.zen},
        {ch_ico, s.aikon},          {ch_memo, s.todo_Disp_flg},
    };
    for (const auto& [box, value] : checkOnly)
        if (value == 1) box->setChecked(true);
    ch_kyou->setChecked(s.kyou_flg == 1);
    ch_asu->setChecked(s.asu_flg == 1);
    ch_cal->setChecked(s.cal_flg == 1);
    ch_kai->setChecked(s.oto == 1);

    SetTextColor(sh1, s.uhori_color);
    tx_oshi->setText(QString::number(s.shirase));
    tx_todo->setText(QString::number(s.todozan));
    tx_hot_key->setText(QString(QLatin1Char(s.HOTKEY)));
    bt_date->SetBkColor(s.MAKUCOL);
}

bool TfrSet::Button3Click() {
    if (tx_name->text().isEmpty()) tx_name->setText(U("？"));
    if (tx_path->text().isEmpty()) {
        const std::string folder = Settings.dat_Path.empty() ? BaseDir : Settings.dat_Path;
        MsgBox(Sj("予定データの格納場所を ") + folder + Sj(" に設定しました。"), 0, Sj("案内"));
        FormActivate();
        return false;
    }
    // Both numbers are checked before anything is stored.
    for (QLineEdit* box : {tx_oshi, tx_todo}) {
        if (WholeNumber(box->text())) continue;
        platform::MessageDlg(
            QStringLiteral("'") + box->text() + U("' は正しい整数値ではありません。"),
            platform::MsgKind::Error, {platform::kBtnOk});
        box->setFocus();
        box->selectAll();
        return false;
    }
    if (!ConfirmLineEdits({tx_name})) return false;
    INIT& s = Settings;
    s.name = StoredText(tx_name->text(), s.name);
    s.dat_Path = platform::FromDiskPath(tx_path->text());
    s.memo_path = platform::FromDiskPath(tx_memo->text());
    s.ni_dir = CutText255(platform::FromDiskPath(tx_ni_dir->text()));
    s.ni_tmp = CutText255(platform::FromDiskPath(tx_ni_tmp->text()));
    s.ni_prg = CutText255(platform::FromDiskPath(tx_ni_prg->text()));
    s.ico_path = FaceFile(tx_ico);
    s.bmp_path = FaceFile(tx_bmp);
    s.yoAruDsp = static_cast<uint8_t>(yoAruDsp->currentIndex());
    s.MemoFont = memoFont_;
    s.memo_color = StoredColor(memo_Col);
    s.TM_TT = cb_tm1->currentIndex() * 5000;
    s.END_CHK = cb_endCHK_nasi->isChecked() ? 1 : 0;
    s.roku = ch_roku->isChecked() ? 1 : 0;
    s.alm_Znaru = alm_Znaru->isChecked() ? 1 : 0;
    s.wareki = ch_wareki->isChecked() ? 1 : 0;
    s.kyou_flg = ch_kyou->isChecked() ? 1 : 0;
    s.asu_flg = ch_asu->isChecked() ? 1 : 0;
    s.cal_flg = ch_cal->isChecked() ? 1 : 0;
    s.oto = ch_kai->isChecked() ? 1 : 0;
    s.zen = ch_zen->isChecked() ? 1 : 0;
    s.aikon = ch_ico->isChecked() ? 1 : 0;
    s.todo_Disp_flg = ch_memo->isChecked() ? 1 : 0;
    s.StYoubiNo = static_cast<uint8_t>(cbStYoubi->currentIndex());
    for (int i = 0; i < 7; ++i) s.YoubiTitleCol[i] = StoredColor(btWeCol[i]);
    s.HolidayMojiCol = StoredColor(btWeCol[7]);
    s.syuuNoDsp = cbWeekNoDsp->isChecked() ? 1 : 0;
    s.uhori_color = StoredColor(sh1);
    s.shirase = NoticeMinutes(*WholeNumber(tx_oshi->text()));
    s.todozan = ToDoAlertDays(*WholeNumber(tx_todo->text()));
    // An emptied box keeps the letter in use.
    if (!tx_hot_key->text().isEmpty()) {
        if (const char letter = HotKeyLetter(tx_hot_key->text().front())) s.HOTKEY = letter;
    }
    s.MAKUCOL = bt_date->BkColor();
    // A missing folder keeps the dialog open; what was copied stays, also after a cancel.
    if (!CheckFolders()) return true;
    FormActivate();
    return false;
}

void TfrSet::PickFolderInto(QLineEdit* box) {
    const std::string chosen =
        PickFolder(this, QStringLiteral("パスの指定"), platform::FromDiskPath(box->text()));
    // The picker's closing refills the dialog like its message boxes; the folder comes after.
    FormActivate();
    if (chosen.empty()) return;
    box->setText(platform::DiskPath(chosen));
    TellPathKeptMarked(box->text());
}

void TfrSet::Button1Click() { PickFolderInto(tx_path); }
void TfrSet::Button6Click() { PickFolderInto(tx_memo); }
void TfrSet::Button7Click() { PickFolderInto(tx_ni_dir); }

void TfrSet::Button2Click() {
    const auto file = platform::Dialogs().OpenFileName(this, U("顔アイコンの指定"), tx_ico->text(),
                                                       Filter("ｱｲｺﾝﾌｧｲﾙ", "*.ico"));
    if (!file) return;
    tx_ico->setText(*file);
    TellPathKeptMarked(*file);
}

void TfrSet::Button4Click() {
    const auto file = platform::Dialogs().OpenFileName(this, U("顔BMPの指定"), tx_bmp->text(),
                                                       Filter("BMPﾌｧｲﾙ", "*.bmp"));
    if (!file) return;
    tx_bmp->setText(*file);
    ShowFacePicture(QFileInfo(*file).isFile() ? *file : QString());
    TellPathKeptMarked(*file);
}

void TfrSet::Button8Click() {
    const auto file = platform::Dialogs().OpenFileName(this, U("日記を編集するプログラムの指定"),
                                                       tx_ni_prg->text(), Filter("ﾌﾟﾛｸﾞﾗﾑ", "*"));
    if (!file || file->isEmpty()) return;
    tx_ni_prg->setText(*file);
    TellPathKeptMarked(*file);
}

void TfrSet::Button9Click() {
    const auto file = platform::Dialogs().OpenFileName(
        this, U("日記のﾃﾝﾌﾟﾚｰﾄにするﾌｧｲﾙの指定"), tx_ni_tmp->text(), Filter("すべてのﾌｧｲﾙ", "*"));
    if (!file || file->isEmpty()) return;
    tx_ni_tmp->setText(*file);
    TellPathKeptMarked(*file);
}

void TfrSet::bt_mojiColorClick(QPushButton* button) {
    const auto color = platform::Dialogs().Color(this, lastColor_);
    if (!color) return;
    lastColor_ = *color;
    const uint32_t stored = platform::FromQColor(*color);
    switch (button->property(kTagProperty).toInt()) {
        case 0:
            SetTextColor(sh1, stored);
            break;
        case 1:
            bt_date->SetBkColor(stored);
            break;
        default:
            SetTextColor(button, stored);
            break;
    }
}

void TfrSet::btMemoColHenClick() {
    const auto color = platform::Dialogs().Color(this, lastColor_);
    if (!color) return;
    lastColor_ = *color;
    SetMemoColor(platform::FromQColor(*color));
}

void TfrSet::btMemoFontHenClick() {
    // The dialog lists only installed families: it is shown the family the stored name stands
    // for ("ＭＳ Ｐゴシック" is drawn in an IPA family), and a family left as it was keeps its
    // stored name.
    QFont shown = memo_pv->font();
    const QString drawnIn = QFontInfo(shown).family();
    shown.setFamily(drawnIn);
    const auto font = platform::Dialogs().Font(this, shown);
    if (!font) return;
    if (font->family() != drawnIn && QFontInfo(*font).family() != drawnIn)
        memoFont_.Name = platform::ToCp932(font->family());
    if (font->pointSize() > 0) memoFont_.Size = font->pointSize();
    memoFont_.Bold = font->bold();
    memoFont_.Italic = font->italic();
    memoFont_.Underline = font->underline();
    memoFont_.StrikeOut = font->strikeOut();
    ShowMemoFont();
}

void TfrSet::btMemoFontColClick() {
    // The font dialog has no colour of its own: the text colour is chosen here, starting at it.
    const auto color = platform::Dialogs().Color(this, platform::ToQColor(memoFont_.Color));
    if (!color) return;
    memoFont_.Color = platform::FromQColor(*color);
    ShowMemoFont();
}

bool TfrSet::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tx_hot_key && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
            case Qt::Key_Delete:
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
            case Qt::Key_Escape:
                return false;
            default:
                if (!key->text().isEmpty()) return HotKeyTyped(key->text());
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool TfrSet::HotKeyTyped(const QString& text) {
    if (const char letter = HotKeyLetter(text.front())) {
        tx_hot_key->setText(QString(QLatin1Char(letter)));
        return true;
    }
    platform::MessageDlg(U("ﾎｯﾄｷｰに指定できるのは、半角のA～Zです。"),
                         platform::MsgKind::Information, {platform::kBtnOk});
    FormActivate();
    return true;
}

void TfrSet::Shortcut(TShellLinkType type, int tag, const char* setMessage,
                      const char* removeMessage) {
    // The program's folder, which holds no shipped file once it is installed.
    const QString folder = platform::ExecutableDirOnDisk();
    const QString program = folder + QStringLiteral("/Kolvane");
    try {
        if (tag == 1) {
            ShellLink1.Arguments.clear();
            ShellLink1.Description = QStringLiteral("Kolvane32");
            ShellLink1.IconIndex = 0;
            ShellLink1.WindowState = TLinkWindowState::Normal;
            ShellLink1.WorkDir = folder;
            ShellLink1.LinkType = type;
            ShellLink1.SetFileName(program);
            ShellLink1.CreateLink();
        } else {
            ShellLink1.SetFileName(program);
            ShellLink1.LinkType = type;
            ShellLink1.DeleteLink();
        }
    } catch (const EShellLinkError& e) {
        platform::MessageDlg(QString::fromUtf8(e.what()), platform::MsgKind::Error,
                             {platform::kBtnOk});
        FormActivate();
        return;
    }
    platform::ShowMessage(U(tag == 1 ? setMessage : removeMessage));
    FormActivate();
}

void TfrSet::bt_StupSetClick(int tag) {
    Shortcut(lnkStartup, tag, "ｽﾀｰﾄｱｯﾌﾟに登録しました。", "ｽﾀｰﾄｱｯﾌﾟから登録解除しました。");
}

void TfrSet::bt_DtopSetClick(int tag) {
    Shortcut(lnkDesktop, tag, "ﾃﾞｨｽｸﾄｯﾌﾟに登録しました。", "ﾃﾞｨｽｸﾄｯﾌﾟから登録解除しました。");
}

void TfrSet::bt_helpClick() { OpenHelp(); }

void RunSettingsDialog(QWidget* parent) {
    TfrSet dialog(parent);
    frSet = &dialog;
    dialog.exec();
    frSet = nullptr;
}

}  // namespace accessories
