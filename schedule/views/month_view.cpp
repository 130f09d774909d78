#include "month_view.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

#include "accessory_windows.h"
#include "calendar_rules.h"
#include "clipboard.h"
#include "color.h"
#include "cp932.h"
#include "day_rows.h"
#include "day_text_memo.h"
#include "desktop_session.h"
#include "encodable_text.h"
#include "folders.h"
#include "globals.h"
#include "input_wizard_runner.h"
#include "jump_dialog.h"
#include "menu_entries.h"
#include "message_box.h"
#include "modal_run.h"
#include "open_windows.h"
#include "schedule_store.h"
#include "screen_clamp.h"
#include "view_frame.h"
#include "view_memo.h"
#include "view_rows.h"
#include "year_plan_append.h"

using namespace foundation;

namespace schedule {

TfrTuki* frTuki = nullptr;

namespace {

constexpr int kDesignDateWidth = 177;
constexpr int kFitMargin = 5;

QAction* AddItem(QMenu* menu, const char* name, const char* caption) {
    QAction* a = menu->addAction(U(caption));
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QMenu* AddSubmenu(QWidget* parent, const char* name, const char* caption) {
    auto* m = new QMenu(U(caption), parent);
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    return m;
}

void PaintHeader(QLabel* header, uint32_t textColor, bool marked) {
    QPalette p = header->palette();
    p.setColor(QPalette::WindowText, platform::ToQColor(textColor));
    p.setColor(QPalette::Window, marked ? platform::ToQColor(Settings.MAKUCOL)
                                        : QApplication::palette().color(QPalette::Button));
    header->setPalette(p);
}

// A day's caption is centred while it fits its column. A longer one (a holiday and an
// anniversary after the week number) starts at the left edge, so that its date stays readable,
// and wraps; its row is made tall enough for all of it.
class DayHeader : public QLabel {
  public:
    explicit DayHeader(QWidget* parent) : QLabel(parent) {}
    // The least height that shows the whole caption at the header's width; 0 when one line
    // holds it.
    int CaptionHeight() {
        Fit();
        return wordWrap() ? heightForWidth(width()) : 0;
    }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        Fit();
    }

  private:
    void Fit() {
        const bool fits = QFontMetrics(font()).horizontalAdvance(text()) <= contentsRect().width();
        setWordWrap(!fits);
        setAlignment(fits ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    }
};

int CaptionHeight(QLabel* header) {
    auto* fitted = dynamic_cast<DayHeader*>(header);
    return fitted ? fitted->CaptionHeight() : 0;
}

}  // namespace

TfrTuki::TfrTuki(QWidget* parent) : QDialog(parent) {
    QVBoxLayout* layout = SetUpViewFrame(this, "frTuki", "月間予定表", kFontPx, MainMenu1);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(kHeaderBarHeight);
    auto* bar = new QHBoxLayout(Panel1);
    bar->setContentsMargins(0, 0, 0, 0);
    Splitter1 = new QSplitter(Qt::Horizontal, Panel1);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(kSplitterWidth);
    Splitter1->setChildrenCollapsible(false);
    Panel2 = new QLabel(U("日付"), Splitter1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    pyo = new QLabel(U("予定"), Splitter1);
    pyo->setObjectName(QStringLiteral("pyo"));
    for (QLabel* l : {Panel2, pyo}) {
        l->setAlignment(Qt::AlignCenter);
        l->setFrameStyle(QFrame::Panel | QFrame::Raised);
    }
    Splitter1->addWidget(Panel2);
    Splitter1->addWidget(pyo);
    Splitter1->setStretchFactor(1, 1);
    bar->addWidget(Splitter1);
    connect(Splitter1, &QSplitter::splitterMoved, this, [this] { wSizeSet(); });
    layout->addWidget(Panel1);

    sb1 = new QScrollArea(this);
    sb1->setObjectName(QStringLiteral("sb1"));
    sb1->setFrameShape(QFrame::NoFrame);
    sb1->setWidgetResizable(false);
    sb1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sb1->viewport()->installEventFilter(this);
    layout->addWidget(sb1, 1);
    Panel2->installEventFilter(this);

    BuildMenus();
    BuildRows();
    resize(640, 480);
    Splitter1->setSizes({kDesignDateWidth, width()});
}

TfrTuki::~TfrTuki() {
    if (frTuki == this) frTuki = nullptr;
}

void TfrTuki::BuildMenus() {
    QMenu* mnuCl = AddSubmenu(MainMenu1, "mnuCl", "ファイル(&T)");
    MainMenu1->addMenu(mnuCl);
    connect(AddItem(mnuCl, "mnuYoUeza", "予定入力ウイザード(&W)"), &QAction::triggered, this,
            [this] { mnuYoUezaClick(); });
    QMenu* expo = AddSubmenu(mnuCl, "mnuYoExpo", "予定のエクスポート(&E)");
    mnuCl->addMenu(expo);
    connect(AddItem(expo, "expo_sta", "期間を指定して出力(&S)"), &QAction::triggered, this,
            [this] { expo_staClick(); });
    connect(AddItem(expo, "expo_csv", "現在表示中の月予定を CSV 形式として出力(&C)"),
            &QAction::triggered, this, [this] { expo_csvClick(); });
    connect(AddItem(expo, "expo_html", "現在表示中の月予定を HTML表形式として出力(&H)"),
            &QAction::triggered, this, [this] { expo_htmlClick(); });
    mnuCl->addSeparator()->setObjectName(QStringLiteral("N2"));
    QMenu* print = AddSubmenu(mnuCl, "Print1", "印刷(&P)");
    mnuCl->addMenu(print);
    connect(AddItem(print, "mnuPr", "標準(&N)"), &QAction::triggered, this,
            [this] { mnuPrClick(); });
    connect(AddItem(print, "mnuPrSy", "システム手帳サイズ(&S)"), &QAction::triggered, this,
            [this] { mnuPrSyClick(); });
    mnuCl->addSeparator()->setObjectName(QStringLiteral("N3"));
    connect(AddItem(mnuCl, "Close1", "閉じる(&C)"), &QAction::triggered, this,
            [this] { Close1Click(); });

    QAction* gl = MainMenu1->addAction(U("予定参照(&G)"));
    gl->setObjectName(QStringLiteral("mnuGl"));
    connect(gl, &QAction::triggered, this, [this] { mnuGlClick(); });
    QMenu* s1 = AddSubmenu(MainMenu1, "S1", "並び替え(&S)");
    MainMenu1->addMenu(s1);
    connect(AddItem(s1, "mnuSortAll", "月全体(&S)"), &QAction::triggered, this,
            [this] { mnuSortAllClick(); });
    AddMenuEntries<TfrTuki>(MainMenu1, this,
                            {{"mnuBk", "前月へ(&B)", &TfrTuki::mnuBkClick},
                             {"mnuNe", "次月へ(&N)", &TfrTuki::mnuNeClick},
                             {"mnuTukiJp", "指定月へ(&J)", &TfrTuki::mnuTukiJpClick}});

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    connect(AddItem(PopupMenu2, "mnuMakuBiSet", "マーク日の「設定／解除」"), &QAction::triggered,
            this, [this] { mnuMakuBiSetClick(); });
    QMenu* wiz = AddSubmenu(PopupMenu2, "mnuYoWiz", "予定入力ｳｨｻﾞｰﾄﾞ(&W)");
    wiz->menuAction()->setData(1);
    PopupMenu2->addMenu(wiz);
    struct WizardItem {
        const char* name;
        const char* caption;
        int tag;
    };
    for (const WizardItem& w : {WizardItem{"mnuYoWiz_hibi", "日々の予定(&H)", 0},
                                WizardItem{"mnuYoWiz_prg", "ﾌﾟﾛｸﾞﾗﾑの自動実行(&P)", 3},
                                WizardItem{"mnuYoWiz_annai", "自動案内(&A)", 4}}) {
        QAction* a = AddItem(wiz, w.name, w.caption);
        a->setData(w.tag);
        const int tag = w.tag;
        connect(a, &QAction::triggered, this, [this, tag] { mnuYoWizClick(tag); });
    }
    connect(AddItem(PopupMenu2, "mnuYoSort", "並び替え(&S)"), &QAction::triggered, this,
            [this] { mnuYoSortClick(); });
    PopupMenu2->addSeparator()->setObjectName(QStringLiteral("N4"));
    connect(AddItem(PopupMenu2, "Undo1", "元に戻す(&U)"), &QAction::triggered, this,
            [this] { Undo1Click(); });
    PopupMenu2->addSeparator()->setObjectName(QStringLiteral("MenuItem1"));
    struct Edit {
        const char* name;
        const char* caption;
        void (TfrTuki::*handler)();
    };
    for (const Edit& e : {Edit{"Cut1", "切り取り(&T)", &TfrTuki::Cut1Click},
                          Edit{"Copy1", "ｺﾋﾟｰ(&C)", &TfrTuki::Copy1Click},
                          Edit{"mnuAllCopy", "すべて選択＆ｺﾋﾟｰ(&E)", &TfrTuki::mnuAllCopyClick},
                          Edit{"mnuNenCopy", "年間予定へｺﾋﾟｰ(&N)", &TfrTuki::mnuNenCopyClick},
                          Edit{"Paste1", "貼り付け(&P)", &TfrTuki::Paste1Click},
                          Edit{"Delete1", "削除(&D)", &TfrTuki::Delete1Click}}) {
        auto handler = e.handler;
        connect(AddItem(PopupMenu2, e.name, e.caption), &QAction::triggered, this,
                [this, handler] { (this->*handler)(); });
    }
    PopupMenu2->addSeparator()->setObjectName(QStringLiteral("MenuItem2"));
    connect(AddItem(PopupMenu2, "SelectAll1", "すべて選択(&A)"), &QAction::triggered, this,
            [this] { SelectAll1Click(); });
}

void TfrTuki::BuildRows() {
    rows = new QWidget;
    rows->setObjectName(QStringLiteral("rows"));
    for (int n = 1; n <= 31; ++n) {
        auto* header = new DayHeader(rows);
        header->setObjectName(QStringLiteral("yod%1").arg(n));
        header->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        header->setAutoFillBackground(true);
        yod[n] = header;
        auto* memo = new ViewMemo(rows, kFontPx);
        memo->setObjectName(QStringLiteral("yo%1").arg(n));
        memo->setProperty("Tag", n);
        memo->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(memo, &QWidget::customContextMenuRequested, this, [this, memo](const QPoint& p) {
            memo->setFocus(Qt::PopupFocusReason);
            PopupMenu2Popup();
            PopupMenu2->exec(memo->mapToGlobal(p));
        });
        memo->installEventFilter(this);
        memo->viewport()->installEventFilter(this);
        yo[n] = memo;
    }
    sb1->setWidget(rows);
}

// ---- rows ------------------------------------------------------------------------------

int TfrTuki::SetDayRow(QLabel* header, ViewMemo* memo, int day, int month, int year, int top) {
    header->show();
    memo->show();
    header->move(header->x(), top);
    memo->move(memo->x(), top);
    const DayRowHeader look = MakeDayRowHeader(year, month, day, MonthDays[day], Settings);
    header->setText(platform::FromCp932(look.caption));
    PaintHeader(header, look.color, look.marked);
    const std::string& text = MonthDays[day].Text;
    memo->SetTextCp932(text);
    const int lines = text.empty() ? 1 : memo->DisplayedLines(memo->width());
    const int height = std::max(MemoHeight(lines, kFontPx), CaptionHeight(header));
    memo->resize(memo->width(), height);
    header->resize(header->width(), height);
    return top + height;
}

int TfrTuki::ShownDays() const {
    if (CurMonth < 1 || CurMonth > 12 || CurYear < 1 || CurYear > 9999) return 0;
    return DaysInMonth(CurYear, CurMonth);
}

void TfrTuki::ShowMonth(int year, int month) {
    CurYear = static_cast<uint16_t>(year);
    CurMonth = static_cast<uint16_t>(month);
    LoadMonthSchedule();
    dirty_ = false;
    setWindowTitle(platform::FromCp932(MonthViewCaption(year, month, Settings)));

    const int bottom = StackDayRows(yod, yo, DaysInMonth(year, month), [&](int n, int top) {
        return SetDayRow(yod[n], yo[n], n, month, year, top);
    });
    rows->resize(sb1->viewport()->width(), bottom);
    const int fitted = MainMenu1->sizeHint().height() + kHeaderBarHeight + bottom + kFitMargin;
    if (fitted > 0) resize(width(), fitted);
    wSizeSet();
}

void TfrTuki::wSizeSet() {
    // Resizing the rows may show or hide the scroll bar, which comes back here.
    if (sizing_) return;
    sizing_ = true;
    const int c = sb1->viewport()->width();
    const int dateWidth = Panel2->width();
    const int d = dateWidth + kSplitterWidth;
    for (int n = 1; n <= 31; ++n) {
        yod[n]->setGeometry(0, yod[n]->y(), dateWidth, yod[n]->height());
        yo[n]->setGeometry(d, yo[n]->y(), std::max(c - d, 1), yo[n]->height());
    }
    // A new width wraps the texts anew; the rows follow their texts. Before the rows' room has
    // had its first size (the window on its way to the screen), no width is the one to fit.
    if ((yo[1]->width() != fittedWidth_ || dateWidth != fittedDateWidth_) && roomSized_) {
        fittedWidth_ = yo[1]->width();
        fittedDateWidth_ = dateWidth;
        FitAllRows();
    }
    int bottom = 0;
    const int count = ShownDays();
    if (count > 0) bottom = yo[count]->y() + yo[count]->height();
    rows->resize(std::max(c, 1), bottom);
    sizing_ = false;
}

void TfrTuki::FitAllRows() {
    const int count = ShownDays();
    int top = yo[1]->y();
    for (int n = 1; n <= count; ++n) {
        ViewMemo* memo = yo[n];
        const int lines = memo->document()->isEmpty() ? 1 : memo->DisplayedLines(memo->width());
        const int height = std::max(MemoHeight(lines, kFontPx), CaptionHeight(yod[n]));
        memo->setGeometry(memo->x(), top, memo->width(), height);
        yod[n]->setGeometry(yod[n]->x(), top, yod[n]->width(), height);
        top += height;
    }
}

void TfrTuki::Restack(int day) {
    if (day < 1 || day > 31) return;
    // A memo fitted to its text may be lower than its day's caption needs.
    const int height = std::max(yo[day]->height(), CaptionHeight(yod[day]));
    yo[day]->resize(yo[day]->width(), height);
    yod[day]->resize(yod[day]->width(), height);
    for (int n = day + 1; n <= 31; ++n) {
        yod[n]->move(yod[n]->x(), yod[n - 1]->y() + yod[n - 1]->height());
        yo[n]->move(yo[n]->x(), yo[n - 1]->y() + yo[n - 1]->height());
    }
    wSizeSet();
}

void TfrTuki::memoH_resize(QObject* object) {
    auto* memo = qobject_cast<ViewMemo*>(object);
    if (!memo) return;
    memo->FitToText();
    Restack(memo->property("Tag").toInt());
}

// ---- storing and saving --------------------------------------------------------------

bool TfrTuki::StoreMonthText() {
    // Hidden rows belong to no day of this month; unchanged boxes keep the bytes as read.
    const int count = ShownDays();
    std::vector<QTextDocument*> edited;
    std::vector<int> days;
    for (int n = 1; n <= count; ++n) {
        if (!yo[n]->Modified()) continue;
        edited.push_back(yo[n]->document());
        days.push_back(n);
    }
    std::vector<QString> before;
    for (QTextDocument* d : edited) before.push_back(d->toPlainText());
    int refused = 0;
    if (!ConfirmDocuments(edited, &refused)) {
        FocusDay(days[static_cast<size_t>(refused)]);
        return false;
    }
    // A box whose characters were taken out is as tall as its text again.
    for (size_t i = 0; i < days.size(); ++i)
        if (edited[i]->toPlainText() != before[i]) memoH_resize(yo[days[i]]);
    for (int n = 1; n <= count; ++n) {
        ViewMemo* memo = yo[n];
        if (!memo->Modified()) continue;
        StoreMemoText(memo->TextCp932(), MonthDays[n].HasText, MonthDays[n].Text);
        memo->document()->setModified(false);
        dirty_ = true;
    }
    return true;
}

bool TfrTuki::SaveMonth() {
    if (!StoreMonthText()) return false;
    if (!dirty_) return true;
    if (!SaveMonthSchedule()) return false;
    dirty_ = false;
    return true;
}

bool TfrTuki::LeaveMonth() { return SaveMonth(); }

// ---- moves -----------------------------------------------------------------------------

void TfrTuki::FocusDay(int day) {
    const int count = ShownDays();
    if (count == 0) return;
    day = std::clamp(day, 1, count);
    sb1->ensureWidgetVisible(yo[day], 0, 0);
    yo[day]->setFocus(Qt::OtherFocusReason);
}

void TfrTuki::mnuBkClick() {
    int y = CurYear, m = CurMonth;
    if (!PrevMonthOf(y, m) || !LeaveMonth()) return;
    ShowMonth(y, m);
    FocusDay(DaysInMonth(y, m));
}

void TfrTuki::mnuNeClick() {
    int y = CurYear, m = CurMonth;
    if (!NextMonthOf(y, m) || !LeaveMonth()) return;
    ShowMonth(y, m);
    FocusDay(1);
}

void TfrTuki::mnuTukiJpClick() {
    std::string yearText, monthText;
    {
        TfrJp dialog(this);
        const OpenWindowScope scope(WindowKind::JumpDialog, &dialog);
        dialog.move(pos());
        if (platform::RunModal(dialog) != TfrJp::kResultOk) return;
        yearText = platform::ToCp932(dialog.cb_yy->currentText());
        monthText = platform::ToCp932(dialog.cb_mm->currentText());
    }
    int year = 0, month = 0;
    // A target that is no year 1-9999 and month 1-12 changes nothing and writes nothing.
    if (!ParseJumpTarget(yearText, monthText, year, month)) return;
    if (!LeaveMonth()) return;
    ShowMonth(year, month);
    FocusDay(1);
}

// ---- popup ---------------------------------------------------------------------------

ViewMemo* TfrTuki::FocusedMemo() const {
    // The window's own focus: the memo stays the focused one while a menu is open.
    for (QWidget* w = focusWidget(); w; w = w->parentWidget()) {
        if (auto* memo = qobject_cast<ViewMemo*>(w)) return memo;
    }
    return nullptr;
}

void TfrTuki::SetHeaderMark(int day, bool on) {
    QPalette p = yod[day]->palette();
    p.setColor(QPalette::Window, on ? platform::ToQColor(Settings.MAKUCOL)
                                    : QApplication::palette().color(QPalette::Button));
    yod[day]->setPalette(p);
}

void TfrTuki::mnuMakuBiSetClick() {
    ViewMemo* memo = FocusedMemo();
    if (!memo) return;
    const int d = memo->property("Tag").toInt();
    YOTEI& e = MonthDays[d];
    e.Mark = e.Mark != 0 ? 0 : 1;
    SetHeaderMark(d, e.Mark != 0);
    dirty_ = true;
}

void TfrTuki::RunWizard(int tag, bool onFocusedDay) {
    const uint16_t year = CurYear, month = CurMonth, day = CurDay;
    if (onFocusedDay) {
        ViewMemo* memo = FocusedMemo();
        if (!memo) return;
        CurDay = static_cast<uint16_t>(memo->property("Tag").toInt());
    }
    // The wizard writes the month files itself; unsaved edits would clash with its work.
    if (!SaveMonth()) {
        CurDay = day;
        return;
    }
    RunInputWizard(this, tag);
    CurYear = year;
    CurMonth = month;
    if (onFocusedDay) CurDay = day;
    ShowMonth(CurYear, CurMonth);
    FormActivate();
}

void TfrTuki::mnuYoWizClick(int tag) { RunWizard(tag, true); }

void TfrTuki::mnuYoUezaClick() { RunWizard(0, false); }

void TfrTuki::mnuYoSortClick() {
    if (ViewMemo* memo = FocusedMemo()) SortLinesByTime(memo);
}

void TfrTuki::mnuSortAllClick() {
    const int count = ShownDays();
    for (int n = 1; n <= count; ++n) SortLinesByTime(yo[n]);
}

void TfrTuki::mnuGlClick() { ViewOtherUser(this); }

void TfrTuki::PopupMenu2Popup() {
    ViewMemo* memo = FocusedMemo();
    const bool selected = memo && memo->textCursor().hasSelection();
    for (const char* name : {"Cut1", "Copy1", "Delete1", "mnuNenCopy"}) {
        if (auto* a = PopupMenu2->findChild<QAction*>(QString::fromLatin1(name)))
            a->setEnabled(selected);
    }
    if (auto* a = PopupMenu2->findChild<QAction*>(QStringLiteral("Undo1")))
        a->setEnabled(memo && memo->CanUndo());
    if (auto* a = PopupMenu2->findChild<QAction*>(QStringLiteral("Paste1")))
        a->setEnabled(memo && platform::ClipboardHasText());
}

void TfrTuki::Undo1Click() {
    if (ViewMemo* memo = FocusedMemo()) memo->undo();
}

void TfrTuki::Cut1Click() {
    if (ViewMemo* memo = FocusedMemo()) {
        memo->cut();
        memoH_resize(memo);
    }
}

void TfrTuki::Copy1Click() {
    if (ViewMemo* memo = FocusedMemo()) memo->copy();
}

void TfrTuki::mnuAllCopyClick() {
    ViewMemo* memo = FocusedMemo();
    if (!memo) return;
    memo->selectAll();
    memo->copy();
    QTextCursor c = memo->textCursor();
    c.setPosition(c.selectionStart());
    memo->setTextCursor(c);
}

void TfrTuki::mnuNenCopyClick() {
    ViewMemo* memo = FocusedMemo();
    if (!memo) return;
    QString selection = memo->SelectedPlainText();
    if (selection.isEmpty() || !ConfirmEncodable(selection) || selection.isEmpty()) return;
    AppendToYearPlan(CurYear, CurMonth, platform::LfToCrLf(platform::ToCp932(selection)));
}

void TfrTuki::Paste1Click() {
    if (ViewMemo* memo = FocusedMemo()) {
        memo->PasteText();
        memoH_resize(memo);
    }
}

void TfrTuki::Delete1Click() {
    if (ViewMemo* memo = FocusedMemo()) {
        QTextCursor c = memo->textCursor();
        c.removeSelectedText();
        memo->setTextCursor(c);
        memoH_resize(memo);
    }
}

void TfrTuki::SelectAll1Click() {
    if (ViewMemo* memo = FocusedMemo()) memo->selectAll();
}

// ---- print and export ----------------------------------------------------------------

void TfrTuki::mnuPrClick() {
    if (!StoreMonthText()) return;
    Accessories().PrintMonth(this);
}

void TfrTuki::mnuPrSyClick() {
    if (!StoreMonthText()) return;
    Accessories().PrintNotebook(this);
}

void TfrTuki::expo_csvClick() {
    if (!StoreMonthText()) return;
    Accessories().ExportMonthCsv(this);
}

void TfrTuki::expo_htmlClick() {
    if (!StoreMonthText()) return;
    Accessories().ExportMonthHtml(this);
}

void TfrTuki::expo_staClick() {
    if (!SaveMonth()) return;
    const uint16_t year = CurYear, month = CurMonth;
    Accessories().ExportPeriod(this);
    CurYear = year;
    CurMonth = month;
    ShowMonth(CurYear, CurMonth);
    FormActivate();
}

// ---- window ----------------------------------------------------------------------------

void TfrTuki::PlaceAt(int top, int left, int width, int height) {
    move(left, top);
    resize(width, height);
}

void TfrTuki::FormShow() {
    if (Settings.tuki_tlwh.spl != Panel2->width()) {
        const int total = Splitter1->width();
        Splitter1->setSizes({Settings.tuki_tlwh.spl, std::max(total - Settings.tuki_tlwh.spl, 1)});
        wSizeSet();
    }
    if (QScreen* screen = this->screen()) {
        const QRect r = ClampToScreen(QRect(pos(), size()), screen->size());
        move(r.topLeft());
        resize(r.size());
    }
}

void TfrTuki::FormActivate() { FocusDay(CurDay); }

void TfrTuki::sb1MouseWheel(bool up) {
    QScrollBar* bar = sb1->verticalScrollBar();
    const int range = bar->maximum();
    const int position =
        up ? WheelUpPosition(bar->value(), range) : WheelDownPosition(bar->value(), range);
    bar->setValue(std::max(position, 0));
}

bool TfrTuki::FormClose() {
    if (closed_) return true;
    // Back to the texts as typed: the view stays open.
    if (!StoreMonthText()) return false;
    if (!SaveMonth()) {
        const int answer =
            platform::MessageDlg(U("予定を保存できませんでした。保存せずに閉じますか？"),
                                 platform::MsgKind::Confirmation,
                                 {platform::kBtnYes, platform::kBtnNo}, platform::kBtnNo);
        if (answer != platform::kBtnYes) return false;
    }
    const QPoint at =
        platform::PlaceToStore(this, QPoint(Settings.tuki_tlwh.l, Settings.tuki_tlwh.t));
    Settings.tuki_tlwh.t = static_cast<int16_t>(at.y());
    Settings.tuki_tlwh.l = static_cast<int16_t>(at.x());
    Settings.tuki_tlwh.w = static_cast<int16_t>(width());
    Settings.tuki_tlwh.h = static_cast<int16_t>(height());
    Settings.tuki_tlwh.spl = static_cast<int16_t>(Panel2->width());
    closed_ = true;
    return true;
}

void TfrTuki::Close1Click() { close(); }

void TfrTuki::done(int result) {
    if (closing_) return;
    closing_ = true;
    const bool ok = FormClose();
    closing_ = false;
    if (ok) QDialog::done(result);
}

void TfrTuki::closeEvent(QCloseEvent* e) {
    // The title bar and Alt+F4 take the same way out as the menu.
    e->ignore();
    done(QDialog::Rejected);
}

void TfrTuki::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (e->spontaneous()) return;
    FormShow();
    FormActivate();
}

void TfrTuki::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    if (frTuki != this) return;  // still being created
    wSizeSet();
    if (QScreen* screen = this->screen()) {
        const int bottom = screen->size().height();
        if (y() + height() > bottom && bottom - y() > 0) resize(width(), bottom - y());
    }
}

bool TfrTuki::eventFilter(QObject* watched, QEvent* e) {
    // The date column and the rows' room follow every change of their widths.
    if (e->type() == QEvent::Resize && (watched == Panel2 || watched == sb1->viewport())) {
        if (watched == sb1->viewport()) roomSized_ = true;
        wSizeSet();
        return false;
    }
    if (e->type() == QEvent::Wheel) {
        const bool inRows = watched == sb1->viewport() || qobject_cast<ViewMemo*>(watched) ||
                            (watched->parent() && qobject_cast<ViewMemo*>(watched->parent()));
        if (inRows) {
            const auto* we = static_cast<QWheelEvent*>(e);
            if (we->angleDelta().y() != 0) sb1MouseWheel(we->angleDelta().y() > 0);
            return true;
        }
    }
    auto* memo = qobject_cast<ViewMemo*>(watched);
    if (!memo) return QDialog::eventFilter(watched, e);
    if (e->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter) {
            memo->GrowForEnter();
            Restack(memo->property("Tag").toInt());
        }
    } else if (e->type() == QEvent::KeyRelease) {
        auto* ke = static_cast<QKeyEvent*>(e);
        const Qt::KeyboardModifiers mods =
            ke->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        const bool ctrlOnly = mods == Qt::ControlModifier;
        if ((ctrlOnly && (ke->key() == Qt::Key_V || ke->key() == Qt::Key_X)) ||
            ke->key() == Qt::Key_Backspace) {
            memoH_resize(memo);
        }
    } else if (e->type() == QEvent::FocusIn) {
        sb1->ensureWidgetVisible(memo, 0, 0);
    }
    return QDialog::eventFilter(watched, e);
}

}  // namespace schedule
