#include "input_wizard.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include "append_day_text.h"
#include "calendar_rules.h"
#include "combo_history.h"
#include "cp932.h"
#include "dialogs.h"
#include "encodable_text.h"
#include "export_settings.h"
#include "form_controls.h"
#include "globals.h"
#include "message_box.h"
#include "paths.h"
#include "title_bar.h"
#include "wizard_rules.h"

using namespace foundation;

namespace schedule {

TfrTkInput* frTkInput = nullptr;

namespace {

std::string Cp(const QComboBox* box) { return platform::ToCp932(box->currentText()); }

void Say(const char* utf8) { platform::ShowMessage(U(utf8)); }

std::string HistoryPath(const char* name) { return platform::JoinPath(BaseDir, name); }

// Places controls left to right on one line, each label as wide as its text.
class Row {
  public:
    Row(QWidget* parent, int x, int y) : parent_(parent), x_(x), y_(y) {}

    QComboBox* Combo(const char* name, int width, bool editable = false) {
        auto* box = new QComboBox(parent_);
        box->setObjectName(QString::fromLatin1(name));
        box->setEditable(editable);
        if (editable) box->setInsertPolicy(QComboBox::NoInsert);
        box->setMaxVisibleItems(14);
        box->setGeometry(x_, y_, width, 21);
        x_ += width + 3;
        return box;
    }
    void Label(const char* caption) {
        auto* l = new QLabel(U(caption), parent_);
        l->adjustSize();
        l->move(x_, y_ + 4);
        x_ += l->width() + 4;
    }
    QCheckBox* Check(const char* name, const char* caption) {
        auto* c = new QCheckBox(U(caption), parent_);
        c->setObjectName(QString::fromLatin1(name));
        c->adjustSize();
        c->move(x_, y_ + 2);
        x_ += c->width() + 4;
        return c;
    }
    void Skip(int dx) { x_ += dx; }

  private:
    QWidget* parent_;
    int x_, y_;
};

void AddItems(QComboBox* box, const std::vector<std::string>& items) {
    for (const std::string& item : items) box->addItem(QString::fromLatin1(item.c_str()));
}

void AddNumbers(QComboBox* box, int from, int to) {
    for (int n = from; n <= to; ++n) box->addItem(QString::number(n));
}

void AddWeekdays(QComboBox* box) {
    for (const char* name : {"日", "月", "火", "水", "木", "金", "土"}) box->addItem(U(name));
    box->addItem(QString());
}

// The empty item where the list has one, else no selection.
void SelectEmpty(QComboBox* box) { box->setCurrentIndex(box->findText(QString())); }

void SelectNumber(QComboBox* box, int value) {
    box->setCurrentIndex(box->findText(QString::number(value)));
}

// Weekday 0-6 of a weekday list, -1 for its empty item or no choice.
int WeekdayChoice(const QComboBox* box) {
    const int index = box->currentIndex();
    return index >= 0 && index < 7 ? index : -1;
}

QPushButton* PageButton(QWidget* page, const char* name, const char* caption, int x) {
    return MakeButton(page, name, caption, {x, 318, 88, 25});
}

QLineEdit* Edit(QWidget* parent, const char* name, const QRect& geometry) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(geometry);
    return e;
}

QGroupBox* RuleGroup(QWidget* page, int top) {
    auto* g = new QGroupBox(page);
    g->setGeometry(12, top, 505, 46);
    return g;
}

}  // namespace

TfrTkInput::TfrTkInput(QWidget* parent) : QDialog(parent) {
    frTkInput = this;
    setObjectName(QStringLiteral("frTkInput"));
    setWindowTitle(U("ｽｹｼﾞｭｰﾙ入力ｳｨｻﾞｰﾄﾞ"));
    QFont f(U("ＭＳ Ｐゴシック"));
    f.setPixelSize(12);
    setFont(f);
    resize(kClientWidth, kClientHeight);
    platform::SetTitleBar(this, platform::TitleBar::NoButtons, true);

    uint16_t year, month, day;
    DecodeToday(year, month, day);
    thisYear_ = year;
    years_ = WizardYears(thisYear_, CurYear);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(7, 7, 537, 385);
    BuildDailyPage();
    BuildMonthlyPage();
    BuildProgramPage();
    BuildNoticePage();
    PageControl1->setCurrentWidget(TabSheet1);

    for (QPushButton* close : {Button1, Button7, Button10, Button8})
        connect(close, &QPushButton::clicked, this, [this] { Button1Click(); });
}

TfrTkInput::~TfrTkInput() {
    if (frTkInput == this) frTkInput = nullptr;
}

void TfrTkInput::FillYears(QComboBox* box) {
    for (int y : years_) box->addItem(QString::number(y));
}

void TfrTkInput::BuildDailyPage() {
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    PageControl1->addTab(TabSheet1, U("日々の予定"));

    Row date(TabSheet1, 20, 24);
    date.Label("日付：");
    yy = date.Combo("yy", 62);
    date.Label("年");
    mm = date.Combo("mm", 44);
    date.Label("月");
    dd = date.Combo("dd", 44);
    date.Label("日～");
    n_nichi = date.Combo("n_nichi", 44);
    date.Label("日間");
    FillYears(yy);
    AddNumbers(mm, 1, 12);
    AddNumbers(dd, 1, 31);
    AddNumbers(n_nichi, 0, 31);

    Row time(TabSheet1, 20, 62);
    time.Label("時間：");
    hh = time.Combo("hh", 44);
    time.Label("時");
    mi = time.Combo("mi", 44);
    time.Label("分～");
    hh2 = time.Combo("hh2", 44);
    time.Label("時");
    mi2 = time.Combo("mi2", 44);
    time.Label("分");
    AddItems(hh, StartHourItems());
    AddItems(hh2, HourItems());
    AddItems(mi, MinuteItems());
    AddItems(mi2, MinuteItems());

    Row noTime(TabSheet1, 64, 92);
    cb_noTime = noTime.Check("cb_noTime", "時間は入力しない");
    connect(cb_noTime, &QCheckBox::toggled, this, [this] { cb_noTimeClick(); });

    Row subject(TabSheet1, 20, 136);
    subject.Label("用件：");
    yo = subject.Combo("yo", 430, true);
    Row place(TabSheet1, 20, 172);
    place.Label("場所：");
    ba = place.Combo("ba", 430, true);
    yo->installEventFilter(this);
    ba->installEventFilter(this);

    Button2 = PageButton(TabSheet1, "Button2", "入力(&A)", 226);
    Button3 = PageButton(TabSheet1, "Button3", "クリア(&C)", 322);
    Button1 = PageButton(TabSheet1, "Button1", "閉じる(&Z)", 426);
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
}

void TfrTkInput::BuildMonthlyPage() {
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    PageControl1->addTab(TabSheet2, U("毎月決った予定"));

    Row range(TabSheet2, 20, 16);
    mai_yy = range.Combo("mai_yy", 62);
    range.Label("年");
    mai_mm = range.Combo("mai_mm", 44);
    range.Label("月～");
    mai_yy2 = range.Combo("mai_yy2", 62);
    range.Label("年");
    mai_mm2 = range.Combo("mai_mm2", 44);
    range.Label("月までの");
    FillYears(mai_yy);
    FillYears(mai_yy2);
    for (QComboBox* m : {mai_mm, mai_mm2}) {
        AddNumbers(m, 1, 12);
        m->addItem(QString());
    }

    Row nth(RuleGroup(TabSheet2, 46), 10, 14);
    nth.Label("第");
    mai_dai = nth.Combo("mai_dai", 40);
    mai_youbi = nth.Combo("mai_youbi", 44);
    nth.Label("曜日に下記の予定を設定");
    nth.Skip(12);
    ch_maiDai = nth.Check("ch_maiDai", "します。");
    AddNumbers(mai_dai, 1, 5);
    mai_dai->addItem(QString());
    AddWeekdays(mai_youbi);

    Row weekly(RuleGroup(TabSheet2, 98), 10, 14);
    weekly.Label("毎週");
    mai_Youbi2 = weekly.Combo("mai_Youbi2", 44);
    weekly.Label("曜日に下記の予定を設定");
    weekly.Skip(12);
    ch_maiYou = weekly.Check("ch_maiYou", "します。");
    AddWeekdays(mai_Youbi2);

    Row monthly(RuleGroup(TabSheet2, 150), 10, 14);
    monthly.Label("毎月");
    mai_Tuki = monthly.Combo("mai_Tuki", 52);
    monthly.Label("日に下記の予定を設定");
    monthly.Skip(12);
    ch_maiTuki = monthly.Check("ch_maiTuki", "します。");
    AddNumbers(mai_Tuki, 1, 31);
    mai_Tuki->addItem(U("月末"));

    mai_txt = new QPlainTextEdit(TabSheet2);
    mai_txt->setObjectName(QStringLiteral("mai_txt"));
    mai_txt->setGeometry(12, 204, 505, 104);
    mai_txt->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    mai_bt_in = PageButton(TabSheet2, "mai_bt_in", "入力(&A)", 226);
    mai_bt_cl = PageButton(TabSheet2, "mai_bt_cl", "クリア(&C)", 322);
    Button7 = PageButton(TabSheet2, "Button7", "閉じる(&Z)", 426);
    connect(mai_bt_in, &QPushButton::clicked, this, [this] { mai_bt_inClick(); });
    connect(mai_bt_cl, &QPushButton::clicked, this, [this] { mai_bt_clClick(); });
}

TfrTkInput::WhenBoxes TfrTkInput::BuildWhenRow(QWidget* page, const char* prefix,
                                               const char* tail) {
    const std::string p(prefix);
    Row row(page, 20, 24);
    WhenBoxes w;
    w.yy = row.Combo((p + "_yy").c_str(), 62);
    row.Label("年");
    w.mm = row.Combo((p + "_mm").c_str(), 44);
    row.Label("月");
    w.dd = row.Combo((p + "_dd").c_str(), 44);
    row.Label("日の");
    w.hh = row.Combo((p + "_hh").c_str(), 44);
    row.Label("時");
    w.mi = row.Combo((p + "_mi").c_str(), 44);
    row.Label(tail);
    FillYears(w.yy);
    AddNumbers(w.mm, 1, 12);
    AddNumbers(w.dd, 1, 31);
    AddItems(w.hh, HourItems());
    AddItems(w.mi, MinuteItems());
    // An empty minute means "on the hour"; the caller decides about an empty hour.
    w.mi->addItem(QString());
    return w;
}

void TfrTkInput::BuildProgramPage() {
    TabSheet3 = new QWidget;
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    PageControl1->addTab(TabSheet3, U("ﾌﾟﾛｸﾞﾗﾑ自動実行予定"));

    const WhenBoxes when = BuildWhenRow(TabSheet3, "p", "分に下記のﾌﾟﾛｸﾞﾗﾑを実行します。");
    p_yy = when.yy;
    p_mm = when.mm;
    p_dd = when.dd;
    p_hh = when.hh;
    p_mi = when.mi;
    p_hh->addItem(QString());

    p_txt = Edit(TabSheet3, "p_txt", {20, 64, 458, 21});
    bt_prgSan = MakeButton(TabSheet3, "bt_prgSan", ">>", {482, 64, 29, 21});
    connect(bt_prgSan, &QPushButton::clicked, this, [this] { bt_prgSanClick(); });

    p_bt_in = PageButton(TabSheet3, "p_bt_in", "入力(&A)", 226);
    p_bt_cl = PageButton(TabSheet3, "p_bt_cl", "クリア(&C)", 322);
    Button10 = PageButton(TabSheet3, "Button10", "閉じる(&Z)", 426);
    connect(p_bt_in, &QPushButton::clicked, this, [this] { p_bt_inClick(); });
    connect(p_bt_cl, &QPushButton::clicked, this, [this] { p_bt_clClick(); });
}

void TfrTkInput::BuildNoticePage() {
    TabSheet4 = new QWidget;
    TabSheet4->setObjectName(QStringLiteral("TabSheet4"));
    PageControl1->addTab(TabSheet4, U("自動案内予定"));

    const WhenBoxes when = BuildWhenRow(TabSheet4, "z", "分に下記の案内をします。");
    z_yy = when.yy;
    z_mm = when.mm;
    z_dd = when.dd;
    z_hh = when.hh;
    z_mi = when.mi;

    z_txt = Edit(TabSheet4, "z_txt", {20, 64, 491, 21});

    z_bt_in = PageButton(TabSheet4, "z_bt_in", "入力(&A)", 226);
    z_bt_cl = PageButton(TabSheet4, "z_bt_cl", "クリア(&C)", 322);
    Button8 = PageButton(TabSheet4, "Button8", "閉じる(&Z)", 426);
    connect(z_bt_in, &QPushButton::clicked, this, [this] { z_bt_inClick(); });
    connect(z_bt_cl, &QPushButton::clicked, this, [this] { z_bt_clClick(); });
}

void TfrTkInput::SelectCurrentDate(QComboBox* year, QComboBox* month, QComboBox* day) {
    SelectNumber(year, CurYear);
    SelectNumber(month, CurMonth);
    SelectNumber(day, CurDay);
}

void TfrTkInput::SetClearYear(QComboBox* box) { SelectNumber(box, WizardClearYear(thisYear_)); }

void TfrTkInput::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!FirstShow(shown_)) return;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    FormShow();
}

void TfrTkInput::FormShow() {
    // The period export's options are read but never written back here: writing could
    // replace a file that did not read with the defaults.
    LoadExportSettings(BaseDir);
    LoadComboHistory(HistoryPath("yo.txt"), yo);
    LoadComboHistory(HistoryPath("ken.txt"), ba);
    yo->setCurrentIndex(-1);
    ba->setCurrentIndex(-1);
    SelectCurrentDate(yy, mm, dd);
    SelectCurrentDate(p_yy, p_mm, p_dd);
    SelectCurrentDate(z_yy, z_mm, z_dd);
    for (QComboBox* first : {hh, mi, p_hh, p_mi, z_hh, z_mi}) first->setCurrentIndex(0);
    n_nichi->setCurrentIndex(0);
    hh2->setCurrentIndex(-1);
    mi2->setCurrentIndex(-1);
    for (QComboBox* box :
         {mai_yy, mai_mm, mai_yy2, mai_mm2, mai_dai, mai_youbi, mai_Youbi2, mai_Tuki})
        SelectEmpty(box);
}

void TfrTkInput::FormClose() {
    SaveComboHistory(HistoryPath("yo.txt"), yo);
    SaveComboHistory(HistoryPath("ken.txt"), ba);
}

void TfrTkInput::done(int result) {
    if (!closed_) {
        closed_ = true;
        FormClose();
    }
    QDialog::done(result);
}

void TfrTkInput::closeEvent(QCloseEvent* e) {
    if (!closed_) {
        closed_ = true;
        FormClose();
    }
    QDialog::closeEvent(e);
}

void TfrTkInput::Button1Click() { done(QDialog::Rejected); }

void TfrTkInput::Button2Click() {
    if (!ConfirmLineEdits({yo->lineEdit(), ba->lineEdit()})) return;
    const DailyInput in{Cp(yy), Cp(mm), Cp(dd), Cp(n_nichi), Cp(hh), Cp(mi), Cp(hh2), Cp(mi2)};
    const std::string problem = CheckDailyInput(in, years_);
    if (!problem.empty()) {
        platform::ShowMessage(platform::FromCp932(problem));
        return;
    }
    const std::string line =
        DailyEntryLine(cb_noTime->isChecked(), in.hh, in.mi, in.hh2, in.mi2, Cp(yo), Cp(ba));
    bool capped = false;
    const int n = RepeatDays(in.n, capped);
    if (capped) Say("「日間」に指定出来る日数の最大を超えています。31日間として処理します。");
    if (!AppendToDates(RepeatDates(DailyDate(in), n), line)) return;
    PushComboHistory(yo);
    PushComboHistory(ba);
    Say("登録しました。");
}

void TfrTkInput::Button3Click() {
    SelectCurrentDate(yy, mm, dd);
    for (QComboBox* box : {hh, mi, hh2, mi2, yo, ba}) box->setCurrentIndex(-1);
    yo->setEditText(QString());
    ba->setEditText(QString());
    SelectNumber(n_nichi, 0);
}

void TfrTkInput::cb_noTimeClick() {
    const bool on = !cb_noTime->isChecked();
    for (QComboBox* box : {hh, mi, hh2, mi2}) box->setEnabled(on);
}

bool TfrTkInput::eventFilter(QObject* watched, QEvent* e) {
    if ((watched == yo || watched == ba) && e->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (!key->isAutoRepeat()) yoKeyUp(key->key(), key->modifiers());
    }
    return QDialog::eventFilter(watched, e);
}

void TfrTkInput::yoKeyUp(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    if (key != Qt::Key_V || held != Qt::ControlModifier) return;
    InsertComboHistory(yo, yo->currentText());
}

void TfrTkInput::mai_bt_inClick() {
    if (!ConfirmDocuments({mai_txt->document()})) {
        mai_txt->setFocus(Qt::OtherFocusReason);
        return;
    }
    MonthlyInput in;
    in.yy = Cp(mai_yy);
    in.mm = Cp(mai_mm);
    in.yy2 = Cp(mai_yy2);
    in.mm2 = Cp(mai_mm2);
    in.nth = ch_maiDai->isChecked();
    in.dai = Cp(mai_dai);
    in.nthWeekday = WeekdayChoice(mai_youbi);
    in.weekly = ch_maiYou->isChecked();
    in.weekday = WeekdayChoice(mai_Youbi2);
    in.monthDay = ch_maiTuki->isChecked();
    in.tuki = Cp(mai_Tuki);
    in.text = platform::ToCp932(platform::LfToCrLf(mai_txt->toPlainText()));
    if (!MonthlyInputComplete(in)) {
        Say("設定されていない項目があるので、入力できません。");
        return;
    }
    if (!AppendToDates(MonthlyTargets(in), in.text)) return;
    Say("登録しました。");
}

void TfrTkInput::mai_bt_clClick() {
    SetClearYear(mai_yy);
    SetClearYear(mai_yy2);
    for (QComboBox* box : {mai_mm, mai_mm2, mai_dai, mai_youbi, mai_Youbi2}) SelectEmpty(box);
    ch_maiDai->setChecked(false);
    ch_maiYou->setChecked(false);
    mai_txt->clear();
}

namespace {

// The program and notice pages enter one line on one day.
void EnterEvent(const EventInput& in, const std::string& line) {
    WizardDate date;
    if (!EventDate(in, date)) {
        Say("設定されていない項目があるので、入力できません。");
        return;
    }
    if (!AppendDayText(static_cast<uint16_t>(date.year), static_cast<uint16_t>(date.month), line,
                       static_cast<uint16_t>(date.day)))
        return;
    Say("登録しました。");
}

}  // namespace

void TfrTkInput::p_bt_inClick() {
    if (!ConfirmLineEdits({p_txt})) return;
    const EventInput in{Cp(p_yy), Cp(p_mm), Cp(p_dd),
                        Cp(p_hh), Cp(p_mi), platform::ToCp932(p_txt->text())};
    EnterEvent(in, ProgramEventLine(in.hh, in.mi, in.text));
}

void TfrTkInput::z_bt_inClick() {
    if (!ConfirmLineEdits({z_txt})) return;
    const EventInput in{Cp(z_yy), Cp(z_mm), Cp(z_dd),
                        Cp(z_hh), Cp(z_mi), platform::ToCp932(z_txt->text())};
    EnterEvent(in, EventLine(in.hh, in.mi, in.text));
}

void TfrTkInput::p_bt_clClick() {
    SetClearYear(p_yy);
    for (QComboBox* box : {p_mm, p_dd, p_hh, p_mi}) SelectEmpty(box);
    p_txt->clear();
}

void TfrTkInput::z_bt_clClick() {
    SetClearYear(z_yy);
    for (QComboBox* box : {z_mm, z_dd, z_hh, z_mi}) SelectEmpty(box);
    z_txt->clear();
}

void TfrTkInput::bt_prgSanClick() {
    const std::optional<QString> chosen = platform::Dialogs().OpenFileName(
        this, U("プログラムファイルの参照"), QString(), U("ﾌﾟﾛｸﾞﾗﾑ (*);;ﾊﾞｯﾁﾌｧｲﾙ (*.sh)"));
    if (chosen && !chosen->isEmpty()) p_txt->setText(*chosen);
}

}  // namespace schedule
