#include "search_window.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QTextBlock>
#include <QVBoxLayout>
#include <algorithm>

#include "calendar_rules.h"
#include "clipboard.h"
#include "cp932.h"
#include "file_io.h"
#include "form_controls.h"
#include "globals.h"
#include "message_box.h"
#include "paths.h"
#include "schedule_store.h"
#include "search_job.h"
#include "title_bar.h"

using namespace foundation;

namespace schedule {

TfrKensaku* frKensaku = nullptr;

namespace {

QString Q(const std::string& cp932) { return platform::CrLfToLf(platform::FromCp932(cp932)); }

std::string Cp(const QString& text) { return platform::ToCp932(text); }

QCheckBox* Check(QWidget* parent, const char* name, const char* caption, int x, int y) {
    auto* c = new QCheckBox(U(caption), parent);
    c->setObjectName(QString::fromLatin1(name));
    c->adjustSize();
    c->move(x, y);
    return c;
}

QLabel* Label(QWidget* parent, const char* caption, int x, int y) {
    auto* l = new QLabel(U(caption), parent);
    l->adjustSize();
    l->move(x, y);
    return l;
}

QLineEdit* Edit(QWidget* parent, const char* name, const QRect& geometry) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(geometry);
    return e;
}

QPlainTextEdit* Pane(const char* name) {
    auto* p = new QPlainTextEdit;
    p->setObjectName(QString::fromLatin1(name));
    p->setReadOnly(true);
    p->setLineWrapMode(QPlainTextEdit::NoWrap);
    p->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    p->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return p;
}

QAction* Item(QMenu* menu, const char* name, const char* caption) {
    QAction* a = menu->addAction(U(caption));
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

}  // namespace

TfrKensaku::TfrKensaku(QWidget* parent) : QDialog(parent) {
    frKensaku = this;
    setObjectName(QStringLiteral("frKensaku"));
    setWindowTitle(U("予定の検索"));
    QFont f(U("ＭＳ Ｐゴシック"));
    f.setPixelSize(12);
    setFont(f);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* edit = bar->addMenu(U("編集(&E)"));
    mnuKenMojiCL = Item(edit, "mnuKenMojiCL", "検索文字列クリア(&K)");
    edit->addSeparator();
    mnuKenCopy = Item(edit, "mnuKenCopy", "検索結果をクリップボードへコピー(&C)");
    edit->addSeparator();
    mnuKenSyousaiCopy =
        Item(edit, "mnuKenSyousaiCopy", "検索結果の詳細をクリップボードへコピー(&K)");
    layout->setMenuBar(bar);
    auto* client = new QWidget(this);
    client->setFixedSize(kClientWidth, kClientHeight);
    layout->addWidget(client);

    GroupBox1 = new QGroupBox(U("検索対象"), client);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 4, 260, 44);
    cbYotei = Check(GroupBox1, "cbYotei", "予定", 14, 20);
    cbToDo = Check(GroupBox1, "cbToDo", "ToDo", 86, 20);
    chFusenMemo = Check(GroupBox1, "chFusenMemo", "付箋メモ", 158, 20);

    pic1 = new QLabel(client);
    pic1->setObjectName(QStringLiteral("pic1"));
    pic1->setGeometry(510, 10, 40, 40);
    pic1->setAlignment(Qt::AlignCenter);

    gbKikan = new QGroupBox(U("予定の検索対象とする期間 (予定検索のみ有効)"), client);
    gbKikan->setObjectName(QStringLiteral("gbKikan"));
    gbKikan->setGeometry(8, 54, 542, 50);
    tx_yy = MakeCombo(gbKikan, "tx_yy", {14, 20, 64, 21});
    Label(gbKikan, "年", 82, 24);
    tx_mm = MakeCombo(gbKikan, "tx_mm", {100, 20, 46, 21});
    Label(gbKikan, "月～", 150, 24);
    tx_yy2 = MakeCombo(gbKikan, "tx_yy2", {182, 20, 64, 21});
    Label(gbKikan, "年", 250, 24);
    tx_mm2 = MakeCombo(gbKikan, "tx_mm2", {268, 20, 46, 21});
    Label(gbKikan, "月", 318, 24);

    Label(client, "検索文字列：", 8, 116);
    tx_ken = Edit(client, "tx_ken", {84, 112, 160, 21});
    Label(client, "and", 252, 116);
    tx_ken2 = Edit(client, "tx_ken2", {278, 112, 160, 21});
    bt_go = MakeButton(client, "bt_go", "検索開始(&G)", {84, 142, 100, 25});
    Button2 = MakeButton(client, "Button2", "ｷｬﾝｾﾙ", {192, 142, 75, 25});
    bt_go->setDefault(true);

    lb_msg = new QLabel(U("検索結果："), client);
    lb_msg->setObjectName(QStringLiteral("lb_msg"));
    QFont bold = f;
    bold.setBold(true);
    lb_msg->setFont(bold);
    lb_msg->setGeometry(8, 176, 542, 16);

    Splitter1 = new QSplitter(Qt::Vertical, client);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setGeometry(8, 196, 542, 388);
    Splitter1->setChildrenCollapsible(false);
    tx = Pane("tx");
    QFont fixed(U("ＭＳ ゴシック"));
    fixed.setPixelSize(12);
    tx->setFont(fixed);
    tx->setToolTip(U("日付をｸﾘｯｸすると予定が参照できます。"));
    tx2 = Pane("tx2");
    Splitter1->addWidget(tx);
    Splitter1->addWidget(tx2);
    Splitter1->setSizes({225, 388 - 225});
    tx->viewport()->installEventFilter(this);
    // Read-only: the lines appended as they come need no undo history.
    tx->document()->setUndoRedoEnabled(false);

    connect(bt_go, &QPushButton::clicked, this, [this] { bt_goClick(); });
    connect(Button2, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
    connect(cbYotei, &QCheckBox::toggled, this, [this] { cbYoteiChanged(); });
    connect(mnuKenMojiCL, &QAction::triggered, this, [this] { mnuKenMojiCLClick(); });
    connect(mnuKenCopy, &QAction::triggered, this, [this] { mnuKenCopyClick(); });
    connect(mnuKenSyousaiCopy, &QAction::triggered, this, [this] { mnuKenSyousaiCopyClick(); });

    FormCreate();
    // Typing goes into the word box from the start.
    tx_ken->setFocus(Qt::OtherFocusReason);
    adjustSize();
    platform::SetTitleBar(this, platform::TitleBar::Full, true);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TfrKensaku::~TfrKensaku() {
    if (frKensaku == this) frKensaku = nullptr;
}

void TfrKensaku::FormCreate() {
    uint16_t year, month, day;
    DecodeToday(year, month, day);
    for (QComboBox* box : {tx_yy, tx_yy2}) {
        for (int y = year - 10; y <= year + 10; ++y) box->addItem(QString::number(y));
        box->setEditText(QString::number(year));
    }
    for (QComboBox* box : {tx_mm, tx_mm2}) {
        for (int m = 1; m <= 12; ++m) box->addItem(QString::number(m));
        box->setEditText(QString::number(month));
    }
    cbYotei->setChecked(true);
    tx_ken->clear();
    tx_ken2->clear();
    tx->clear();
    tx2->clear();
}

void TfrKensaku::bt_goClick() {
    // The button of the search that runs.
    if (searching_) return;
    // A search that cannot finish must still give the button back.
    try {
        RunSearch();
    } catch (...) {
        ShowResults();
        platform::ShowMessage(U("検索中にエラーが発生したため、検索を中断しました。"));
    }
    bt_go->setEnabled(true);
}

void TfrKensaku::done(int result) {
    // Esc, the cancel button or the title bar stop a running search.
    stopRequested_ = true;
    QDialog::done(result);
}

void TfrKensaku::RunSearch() {
    SearchWords words;
    if (!ChooseWords(Cp(tx_ken->text()), Cp(tx_ken2->text()), words)) {
        platform::ShowMessage(U("検索条件を入力してください."));
        return;
    }
    hits_.clear();
    shown_ = 0;
    resultText_.clear();
    tx->setPlainText(QString());
    SetDetail(std::string());
    bt_go->setEnabled(false);
    lb_msg->setText(tx_ken->text() + U("検索しています．．．．"));
    lb_msg->repaint();

    SearchTargets targets;
    targets.memos = chFusenMemo->isChecked();
    targets.memoFolder = Settings.memo_path;
    targets.toDo = cbToDo->isChecked();
    targets.toDoPath = platform::JoinPath(BaseDir, "todo.dat");
    targets.schedules = cbYotei->isChecked();
    if (targets.schedules)
        targets.periodValid =
            ParsePeriod(Cp(tx_yy->currentText()), Cp(tx_mm->currentText()),
                        Cp(tx_yy2->currentText()), Cp(tx_mm2->currentText()), targets.period);
    SearchJob job(words, std::move(targets));
    if (!RunSteps(job)) return;
    ShowResults();
    if (job.BadPeriod()) {
        platform::ShowMessage(U("日付に変換できません。検索期間を確認してください。"));
        return;
    }
    job.Finish();
    bt_go->setEnabled(true);

    const int count = static_cast<int>(hits_.size());
    std::string caption = ResultCaption(words);
    if (count == 0) platform::ShowMessage(U("条件を満たすものは、ありませんでした."));
    const int shown = static_cast<int>(shown_);
    if (shown == count) {
        caption += " " + std::to_string(count) + Sj("件");
    } else {
        platform::MessageDlg(U("検索結果が多いため全てを表示できません. 先頭から") +
                                 QString::number(shown) + U("件を表示します."),
                             platform::MsgKind::Information, {platform::kBtnOk});
        caption += " " + std::to_string(count) + Sj("件のうち ") + std::to_string(shown) +
                   Sj("件を表示中");
    }
    lb_msg->setText(platform::FromCp932(caption));
}

bool TfrKensaku::RunSteps(SearchJob& job) {
    struct Running {
        TfrKensaku& w;
        explicit Running(TfrKensaku& window) : w(window) {
            w.searching_ = true;
            w.stopRequested_ = false;
        }
        ~Running() { w.searching_ = false; }
    } running(*this);
    // The first screenful goes up as soon as it is found, the rest in slices of work between
    // which the window answers the user.
    const int lineHeight = std::max(tx->fontMetrics().lineSpacing(), 1);
    const size_t screenful =
        std::min<size_t>(tx->viewport()->height() / lineHeight + 1, std::max(ResultCapacity, 0));
    QElapsedTimer slice;
    slice.start();
    while (!job.Done()) {
        job.Step(hits_);
        const bool firstScreenful = shown_ < screenful && hits_.size() >= screenful;
        if (!firstScreenful && slice.elapsed() < SliceMs) continue;
        ShowResults();
        QCoreApplication::processEvents();
        if (stopRequested_) return false;
        slice.restart();
    }
    return true;
}

void TfrKensaku::ShowResults() {
    const size_t upTo = std::min(hits_.size(), static_cast<size_t>(std::max(ResultCapacity, 0)));
    if (upTo <= shown_) return;
    std::string lines;
    for (size_t i = shown_; i < upTo; ++i) {
        lines += hits_[i].line;
        lines += "\r\n";
    }
    resultText_ += lines;
    // The first lines set the pane as a whole list would (caret and view at the top); later
    // ones go after them without moving either.
    if (shown_ == 0) {
        tx->setPlainText(Q(lines));
    } else {
        QTextCursor end(tx->document());
        end.movePosition(QTextCursor::End);
        end.insertText(Q(lines));
    }
    shown_ = upTo;
}

void TfrKensaku::SetDetail(const std::string& text) {
    detailText_ = text;
    tx2->setPlainText(Q(detailText_));
}

bool TfrKensaku::eventFilter(QObject* watched, QEvent* e) {
    if (watched == tx->viewport() && e->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(e);
        const int line = tx->cursorForPosition(mouse->position().toPoint()).blockNumber();
        try {
            txMouseDown(line);
        } catch (...) {
            platform::ShowMessage(U("検索結果の詳細を表示できませんでした。"));
        }
    }
    return QDialog::eventFilter(watched, e);
}

void TfrKensaku::txMouseDown(int line) {
    if (line < 0 || static_cast<size_t>(line) >= shown_) return;
    const SearchHit& hit = hits_[line];
    switch (hit.kind) {
        case HitKind::ToDo:
            SetDetail(std::string());
            break;
        case HitKind::Memo: {
            std::string bytes;
            platform::ReadWholeFile(hit.path, bytes);
            SetDetail(MemoDetail(hit, bytes));
            break;
        }
        case HitKind::Schedule:
            CurYear = static_cast<uint16_t>(hit.year);
            CurMonth = static_cast<uint16_t>(hit.month);
            CurDay = static_cast<uint16_t>(hit.day);
            LoadMonthSchedule();
            SetDetail(ScheduleDetail(hit, MonthDays[hit.day].Text));
            break;
    }
}

void TfrKensaku::cbYoteiChanged() {
    const bool on = cbYotei->isChecked();
    for (QComboBox* box : {tx_yy, tx_mm, tx_yy2, tx_mm2}) box->setEnabled(on);
}

void TfrKensaku::mnuKenMojiCLClick() {
    tx_ken->clear();
    tx_ken2->clear();
}

void TfrKensaku::mnuKenCopyClick() {
    if (!resultText_.empty()) platform::SetClipboardTextCp932(resultText_);
}

void TfrKensaku::mnuKenSyousaiCopyClick() {
    if (!detailText_.empty()) platform::SetClipboardTextCp932(detailText_);
}

}  // namespace schedule
