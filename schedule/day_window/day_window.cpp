#include "day_window.h"

#include <qdrawutil.h>

#include <QAction>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>
#include <QTextCursor>
#include <QTextDocument>
#include <QWindow>
#include <algorithm>

#include "clipboard.h"
#include "cp932.h"
#include "day_text_memo.h"
#include "desktop_session.h"
#include "file_io.h"
#include "fonts.h"
#include "globals.h"
#include "help.h"
#include "input_wizard_runner.h"
#include "messages.h"
#include "open_windows.h"
#include "paths.h"
#include "schedule_store.h"
#include "text_helpers.h"
#include "window_flags.h"
#include "year_plan_append.h"

using namespace foundation;

namespace schedule {

TfrYo3* frYo3 = nullptr;

namespace {

constexpr int kDesignWidth = 236;
constexpr int kDesignHeight = 183;
constexpr int kMinSide = 50;
constexpr int kMemoLeft = 3;
constexpr int kMemoTop = 12;
constexpr int kLabelHeight = 20;
// Width of the frame that resizes the window.
constexpr int kBorder = 3;

// Only these modifiers count when a key asks for an exact shift state.
Qt::KeyboardModifiers ShiftState(Qt::KeyboardModifiers m) {
    return m & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

// The selection as the program keeps text; Qt marks line breaks in a selection as U+2029.
QString SelectionText(const QPlainTextEdit* memo) {
    QString text = memo->textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

Qt::CursorShape CursorFor(Qt::Edges edges) {
    const bool left = edges & Qt::LeftEdge, right = edges & Qt::RightEdge;
    const bool top = edges & Qt::TopEdge, bottom = edges & Qt::BottomEdge;
    if ((left && top) || (right && bottom)) return Qt::SizeFDiagCursor;
    if ((right && top) || (left && bottom)) return Qt::SizeBDiagCursor;
    if (left || right) return Qt::SizeHorCursor;
    if (top || bottom) return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}

}  // namespace

// A plain window without a task-bar button, as the notes are: a tool window is kept above every
// window of the program by some window managers (metacity), dialogs and views included.
TfrYo3::TfrYo3(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frYo3"));
    platform::SkipTaskbarKeepingType(this);
    QFont f(platform::InstalledFamily(U("ＭＳ Ｐゴシック")));
    f.setPixelSize(12);
    setFont(f);
    setMinimumSize(kMinSide, kMinSide);
    setMouseTracking(true);  // resize cursors over the frame

    lb = new QLabel(this);
    lb->setObjectName(QStringLiteral("lb"));
    lb->setText(QStringLiteral("abc"));
    lb->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lb->setAutoFillBackground(false);
    lb->installEventFilter(this);

    tx_yo = new QPlainTextEdit(this);
    tx_yo->setObjectName(QStringLiteral("tx_yo"));
    tx_yo->setContextMenuPolicy(Qt::CustomContextMenu);
    tx_yo->installEventFilter(this);
    // The label is the caption strip; the memo lies over its lower part.
    lb->lower();

    BuildMenu();
    connect(tx_yo, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu2->popup(tx_yo->viewport()->mapToGlobal(pos)); });
    SetScrollBars(true);

    resize(kDesignWidth, kDesignHeight);
    FormResize();
    frYo3 = this;
}

namespace {

// Qt keeps no layout of a line between paints: with a caret blinking in a line of many
// thousand characters, the whole line is laid out again twice a second, for ever. While the
// day shows such a line the caret stays steady (blinking is one setting for all text boxes).
constexpr size_t kSteadyCaretFrom = 64 * 1024;

size_t LongestLine(const std::string& text) {
    size_t longest = 0, start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        longest = std::max(longest, end - start);
        start = end + 1;
    }
    return longest;
}

void SteadyCaret(bool steady) {
    static int blinking = -1;  // the flash time to go back to; -1: not steady
    QStyleHints* hints = QGuiApplication::styleHints();
    if (steady && blinking < 0) {
        blinking = hints->cursorFlashTime();
        hints->setCursorFlashTime(0);
    } else if (!steady && blinking >= 0) {
        hints->setCursorFlashTime(blinking);
        blinking = -1;
    }
}

}  // namespace

TfrYo3::~TfrYo3() {
    SteadyCaret(false);
    if (frYo3 == this) frYo3 = nullptr;
}

std::string TfrYo3::MemoText() const { return MemoPlainText(tx_yo); }

TextTake TfrYo3::TakeEditedText(std::string& cp932CrLf) {
    return foundation::TakeEditedText(tx_yo, cp932CrLf);
}

void TfrYo3::TakeEdit(const QString& text) {
    if (tx_yo->toPlainText() == text) return;
    // One step the user can undo, and an edit the next store takes.
    QTextCursor c(tx_yo->document());
    c.select(QTextCursor::Document);
    c.insertText(text);
}

void TfrYo3::SetMemoText(const std::string& cp932CrLf) {
    SteadyCaret(LongestLine(cp932CrLf) >= kSteadyCaretFrom);
    SetMemoPlainText(tx_yo, cp932CrLf);
}

// ---- menu ------------------------------------------------------------------------------

QAction* TfrYo3::Item(QMenu* menu, const char* name, const char* caption, int tag) {
    QAction* a = menu->addAction(U(caption));
    a->setObjectName(QString::fromLatin1(name));
    a->setProperty("Tag", tag);
    return a;
}

void TfrYo3::BuildMenu() {
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    connect(PopupMenu2, &QMenu::aboutToShow, this, &TfrYo3::PopupMenu2Popup);

    auto submenu = [this](const char* name, const char* caption) {
        QMenu* m = PopupMenu2->addMenu(U(caption));
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setProperty("Tag", 0);
        return m;
    };
    auto onClick = [this](QAction* a, void (TfrYo3::*handler)(int)) {
        const int tag = a->property("Tag").toInt();
        connect(a, &QAction::triggered, this, [this, handler, tag] { (this->*handler)(tag); });
    };
    auto onPlain = [this](QAction* a, void (TfrYo3::*handler)()) {
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };

    QMenu* wiz = submenu("mnuYoWiz", "予定入力ｳｨｻﾞｰﾄﾞ(&W)");
    onClick(Item(wiz, "mnuYoWiz_hibi", "日々の予定(&H)"), &TfrYo3::mnuYoWizClick);
    onClick(Item(wiz, "mnuYoWiz_prg", "ﾌﾟﾛｸﾞﾗﾑの自動実行(&P)", 3), &TfrYo3::mnuYoWizClick);
    onClick(Item(wiz, "mnuYoWiz_annai", "自動案内(&A)", 4), &TfrYo3::mnuYoWizClick);
    onPlain(Item(PopupMenu2, "mnuYoSort", "並び替え(&S)"), &TfrYo3::mnuYoSortClick);
    PopupMenu2->addSeparator();

    QMenu* prog = submenu("N3", "Kolvane(&H)");
    onClick(Item(prog, "mnuNen", "年間予定表(&M)", kCmdYearView), &TfrYo3::mnuNenClick);
    onClick(Item(prog, "mnuTuki", "月間予定表(&Y)", kCmdMonthView), &TfrYo3::mnuNenClick);
    onClick(Item(prog, "mnuToDo", "ToDo(&T)", kCmdToDo), &TfrYo3::mnuNenClick);
    onClick(Item(prog, "mnuMemo", "メモ(&N)", kCmdMemo), &TfrYo3::mnuNenClick);
    onClick(Item(prog, "D1", "電話帳(&D)", kCmdPhoneBook), &TfrYo3::mnuNenClick);
    onClick(Item(prog, "mnuNiki", "日記(&N)", kCmdDiary), &TfrYo3::mnuNenClick);
    prog->addSeparator();
    onClick(Item(prog, "mnuAl", "ｱﾗｰﾑ設定(&A)", kCmdAlarm), &TfrYo3::mnuNenClick);
    prog->addSeparator();
    onClick(Item(prog, "mnuRun", "ﾌﾟﾛｸﾞﾗﾑﾗﾝﾁｬ(&P)", kCmdLauncher), &TfrYo3::mnuNenClick);
    prog->addSeparator();
    onClick(Item(prog, "mnuYoteiSan", "予定参照(&S)", kCmdOtherUsers), &TfrYo3::mnuNenClick);
    prog->addSeparator();
    onClick(Item(prog, "mnuOp", "環境設定(&O)", kCmdOptions), &TfrYo3::mnuNenClick);
    PopupMenu2->addSeparator();

    QMenu* date = submenu("Y1", "予定入力日の変更(&Y)");
    onClick(Item(date, "mnuToDay", "今日へ(&T)", kNavToday), &TfrYo3::mnuToDayClick);
    onClick(Item(date, "mnuTuginoHi", "次の日へ(&N)", kNavNextDay), &TfrYo3::mnuToDayClick);
    onClick(Item(date, "mnuZenZitu", "前日へ(&B)", kNavPrevDay), &TfrYo3::mnuToDayClick);
    date->addSeparator();
    onClick(Item(date, "mnuZigetu", "次月へ(&Z)", kNavNextMonth), &TfrYo3::mnuToDayClick);
    onClick(Item(date, "mnuZenGetu", "前月へ(&E)", kNavPrevMonth), &TfrYo3::mnuToDayClick);
    date->addSeparator();
    onClick(Item(date, "mnuSiteiTuki", "指定日へ(&J)", kNavJump), &TfrYo3::mnuToDayClick);
    PopupMenu2->addSeparator();

    onPlain(Item(PopupMenu2, "mnuFukugen", "ﾀｽｸﾄﾚｲからKolvaneを復元(&F)"),
            &TfrYo3::mnuFukugenClick);
    PopupMenu2->addSeparator();
    onPlain(Item(PopupMenu2, "Undo1", "元に戻す(&U)"), &TfrYo3::Undo1Click);
    PopupMenu2->addSeparator();
    onPlain(Item(PopupMenu2, "Cut1", "切り取り(&T)"), &TfrYo3::Cut1Click);
    onPlain(Item(PopupMenu2, "Copy1", "ｺﾋﾟｰ(&C)"), &TfrYo3::Copy1Click);
    onPlain(Item(PopupMenu2, "mnuAllCopy", "すべて選択＆ｺﾋﾟｰ(&E)"), &TfrYo3::mnuAllCopyClick);
    onPlain(Item(PopupMenu2, "mnuNenCopy", "年間予定へｺﾋﾟｰ(&N)"), &TfrYo3::mnuNenCopyClick);
    onPlain(Item(PopupMenu2, "Paste1", "貼り付け(&P)"), &TfrYo3::Paste1Click);
    onPlain(Item(PopupMenu2, "Delete1", "削除(&D)"), &TfrYo3::Delete1Click);
    PopupMenu2->addSeparator();
    onPlain(Item(PopupMenu2, "SelectAll1", "すべて選択(&A)"), &TfrYo3::SelectAll1Click);
    PopupMenu2->addSeparator();
    QAction* scl = Item(PopupMenu2, "mnuSclBar", "ｽｸﾛｰﾙﾊﾞｰを表示");
    scl->setCheckable(true);
    scl->setChecked(true);
    onPlain(scl, &TfrYo3::mnuSclBarClick);
    QAction* rendo = Item(PopupMenu2, "mnuRendo", "Kolvaneのﾒｲﾝﾌｫｰﾑと連動する");
    rendo->setCheckable(true);
    rendo->setChecked(true);
    onPlain(rendo, &TfrYo3::mnuRendoClick);
    PopupMenu2->addSeparator();
    onPlain(Item(PopupMenu2, "Exit1", "Kolvaneの終了(&X)"), &TfrYo3::Exit1Click);
}

void TfrYo3::PopupMenu2Popup() {
    auto set = [this](const char* name, bool enabled) {
        if (auto* a = findChild<QAction*>(QString::fromLatin1(name))) a->setEnabled(enabled);
    };
    const bool selected = tx_yo->textCursor().hasSelection();
    for (const char* name : {"Cut1", "Copy1", "Delete1", "mnuNenCopy"}) set(name, selected);
    set("Undo1", tx_yo->document()->isUndoAvailable());
    set("Paste1", platform::ClipboardHasText());
    set("mnuFukugen", mainWindow_ && !mainWindow_->isVisible());

    const char* const hubLocked[] = {"mnuToDo", "mnuMemo", "mnuNiki",
                                     "mnuAl",   "mnuRun",  "mnuYoteiSan"};
    if (IsOpen(WindowKind::OptionsHub)) {
        for (const char* name : hubLocked) set(name, false);
        for (const char* name : {"mnuNen", "mnuTuki", "mnuOp", "Exit1"}) set(name, false);
        return;
    }
    for (const char* name : hubLocked) set(name, true);
    set("mnuNen", !IsOpen(WindowKind::MonthView));
    set("mnuTuki", !IsOpen(WindowKind::YearView));
    const bool viewOpen = IsOpen(WindowKind::YearView) || IsOpen(WindowKind::MonthView) ||
                          IsOpen(WindowKind::MemoIndex) || IsOpen(WindowKind::Launcher) ||
                          IsOpen(WindowKind::ToDoList);
    set("mnuOp", !viewOpen);
    set("Exit1", !viewOpen);
}

// ---- commands --------------------------------------------------------------------------

void TfrYo3::mnuNenClick(int tag) { SendToMain(WM_MAIN_COMMAND, tag, 0); }

void TfrYo3::mnuToDayClick(int tag) { SendToMain(WM_MAIN_NAVIGATE, tag, 0); }

void TfrYo3::mnuFukugenClick() { SendToMain(WM_TRAY_NOTIFY, 0, WM_LBUTTONDBLCLK_CODE); }

void TfrYo3::Exit1Click() { SendToMain(WM_MAIN_COMMAND, kCmdExit, 0); }

void TfrYo3::mnuYoSortClick() { SortLinesByTime(tx_yo); }

void TfrYo3::mnuYoWizClick(int tag) {
    const uint16_t year = CurYear;
    const uint16_t month = CurMonth;
    if (CurDay >= 1 && CurDay <= 31) {
        std::string text;
        const TextTake take = TakeEditedText(text);
        if (take == TextTake::Refused) return;
        if (take == TextTake::Taken) {
            YOTEI& day = MonthDays[CurDay];
            day.HasText = text.empty() ? 0 : 1;
            day.Text = std::move(text);
        }
    }
    // The wizard writes the files itself; with the month unsaved its work would clash with
    // the edits still in memory, so nothing opens.
    if (!SaveMonthSchedule()) return;
    // The wizard moves the date while it runs; a midnight roll-over meanwhile would save the
    // wizard's month as the main window's.
    const uint8_t wasBusy = NavBusy;
    NavBusy = 1;
    RunInputWizard(this, tag);
    NavBusy = wasBusy;
    CurYear = year;
    CurMonth = month;
    LoadMonthSchedule();
    SendToMain(WM_MAIN_SHOWDATE, intptr_t{CurYear} | (intptr_t{CurMonth} << 16), CurDay);
    tx_yo->setFocus(Qt::OtherFocusReason);
}

void TfrYo3::mnuNenCopyClick() {
    QString selection = SelectionText(tx_yo);
    if (selection.isEmpty() || !ConfirmEncodable(selection) || selection.isEmpty()) return;
    AppendToYearPlan(CurYear, CurMonth, platform::LfToCrLf(platform::ToCp932(selection)));
}

void TfrYo3::Undo1Click() { tx_yo->undo(); }
void TfrYo3::Cut1Click() { tx_yo->cut(); }
void TfrYo3::Copy1Click() { tx_yo->copy(); }
void TfrYo3::Paste1Click() {
    // Pasting clipboard data without any format crashes the text box.
    if (platform::ClipboardHasText()) tx_yo->paste();
}
void TfrYo3::SelectAll1Click() { tx_yo->selectAll(); }

void TfrYo3::Delete1Click() {
    QTextCursor c = tx_yo->textCursor();
    c.removeSelectedText();
    tx_yo->setTextCursor(c);
}

void TfrYo3::mnuAllCopyClick() {
    tx_yo->selectAll();
    tx_yo->copy();
    // Selection length 0 at the selection's start, as the box keeps it.
    QTextCursor c = tx_yo->textCursor();
    c.setPosition(c.selectionStart());
    tx_yo->setTextCursor(c);
}

void TfrYo3::SetScrollBars(bool on) {
    scrollBars_ = on;
    const Qt::ScrollBarPolicy policy = on ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    tx_yo->setHorizontalScrollBarPolicy(policy);
    tx_yo->setVerticalScrollBarPolicy(policy);
    // A horizontal bar scrolls long lines; without it they wrap at the box's width.
    tx_yo->setLineWrapMode(on ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    if (auto* a = findChild<QAction*>(QStringLiteral("mnuSclBar"))) a->setChecked(on);
}

void TfrYo3::mnuSclBarClick() {
    const bool on = !scrollBars_;
    SetScrollBars(on);
    Settings.scl = on ? 1 : 0;
}

void TfrYo3::mnuRendoClick() {
    Settings.rendo = Settings.rendo == 0 ? 1 : 0;
    if (auto* a = findChild<QAction*>(QStringLiteral("mnuRendo")))
        a->setChecked(Settings.rendo == 0);
}

void TfrYo3::ApplyStartSettings() {
    SetScrollBars(Settings.scl != 0);
    if (auto* a = findChild<QAction*>(QStringLiteral("mnuRendo")))
        a->setChecked(Settings.rendo == 0);
}

// ---- placement and layout --------------------------------------------------------------

void TfrYo3::FormShow() {
    const TLWH& b = Settings.yo3_tlwh;
    // The main window resolves unset bounds; a width or height still below the minimum is
    // raised here rather than handed to the window system as a negative size.
    setGeometry(b.l, b.t, std::max<int>(b.w, kMinSide), std::max<int>(b.h, kMinSide));
    FormResize();
}

void TfrYo3::FormResize() {
    if (layingOut_) return;
    layingOut_ = true;
    if (width() < kMinSide || height() < kMinSide)
        resize(std::max(width(), kMinSide), std::max(height(), kMinSide));
    const int w = width() - 2 * kMemoLeft;
    tx_yo->setGeometry(kMemoLeft, kMemoTop, w, height() - kMemoTop - kMemoLeft);
    lb->setGeometry(kMemoLeft, 0, w, kLabelHeight);
    layingOut_ = false;
}

void TfrYo3::FormDeactivate() {
    const QRect g = geometry();
    const QPoint at =
        platform::PlaceToStore(this, QPoint(Settings.yo3_tlwh.l, Settings.yo3_tlwh.t));
    Settings.yo3_tlwh.t = static_cast<int16_t>(at.y());
    Settings.yo3_tlwh.l = static_cast<int16_t>(at.x());
    Settings.yo3_tlwh.w = static_cast<int16_t>(g.width());
    Settings.yo3_tlwh.h = static_cast<int16_t>(g.height());
}

void TfrYo3::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // Only a real show: a window restored by the window system keeps where it is.
    if (!e->spontaneous()) FormShow();
}

void TfrYo3::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    FormResize();
}

void TfrYo3::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // The window's thin border, then the raised bevel inside it.
    p.setPen(palette().color(QPalette::Shadow));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    qDrawShadeRect(&p, rect().adjusted(1, 1, -1, -1), palette(), false, 1);
}

bool TfrYo3::event(QEvent* e) {
    if (e->type() == QEvent::WindowDeactivate) FormDeactivate();
    return QWidget::event(e);
}

// ---- keys ------------------------------------------------------------------------------

bool TfrYo3::FormKeyUp(int key, Qt::KeyboardModifiers modifiers) {
    if (key == Qt::Key_F1) {
        OpenHelp();
        return true;
    }
    const Qt::KeyboardModifiers state = ShiftState(modifiers);
    int code = 0;
    if (state == Qt::ControlModifier) {
        switch (key) {
            case Qt::Key_Home:
                code = kNavToday;
                break;
            case Qt::Key_Left:
                code = kNavPrevMonth;
                break;
            case Qt::Key_Right:
                code = kNavNextMonth;
                break;
            case Qt::Key_Up:
                code = kNavYearBack;
                break;
            case Qt::Key_Down:
                code = kNavYearForward;
                break;
            default:
                break;
        }
    } else if (state == Qt::AltModifier) {
        if (key == Qt::Key_Left) code = kNavPrevDay;
        if (key == Qt::Key_Right) code = kNavNextDay;
    }
    if (code == 0) return false;
    SendToMain(WM_MAIN_NAVIGATE, code, 0);
    return true;
}

void TfrYo3::tx_yoKeyUp(int key) {
    if (key != Qt::Key_Tab && key != Qt::Key_Backtab) return;
    if (mainWindow_ && mainWindow_->isVisible()) mainWindow_->activateWindow();
}

// ---- moving and resizing ---------------------------------------------------------------

Qt::Edges TfrYo3::EdgesAt(const QPoint& p) const {
    Qt::Edges edges;
    if (p.x() < kBorder) edges |= Qt::LeftEdge;
    if (p.x() >= width() - kBorder) edges |= Qt::RightEdge;
    if (p.y() < kBorder) edges |= Qt::TopEdge;
    if (p.y() >= height() - kBorder) edges |= Qt::BottomEdge;
    return edges;
}

void TfrYo3::BeginDrag(const QPoint& globalPos, Qt::Edges edges) {
    drag_ = Drag::Pending;
    dragEdges_ = edges;
    dragStart_ = globalPos;
    dragGeometry_ = geometry();
}

void TfrYo3::DragTo(const QPoint& globalPos) {
    if (drag_ == Drag::Pending) {
        QWindow* w = windowHandle();
        bool started = false;
        if (w) started = dragEdges_ ? w->startSystemResize(dragEdges_) : w->startSystemMove();
        drag_ = started ? Drag::System : Drag::Manual;
    }
    if (drag_ != Drag::Manual) return;
    const QPoint d = globalPos - dragStart_;
    QRect g = dragGeometry_;
    if (!dragEdges_) {
        move(g.topLeft() + d);
        return;
    }
    // The edge opposite the one dragged stays put; the window never gets below its minimum.
    if (dragEdges_ & Qt::LeftEdge) g.setLeft(std::min(g.left() + d.x(), g.right() + 1 - kMinSide));
    if (dragEdges_ & Qt::RightEdge)
        g.setRight(std::max(g.right() + d.x(), g.left() + kMinSide - 1));
    if (dragEdges_ & Qt::TopEdge) g.setTop(std::min(g.top() + d.y(), g.bottom() + 1 - kMinSide));
    if (dragEdges_ & Qt::BottomEdge)
        g.setBottom(std::max(g.bottom() + d.y(), g.top() + kMinSide - 1));
    setGeometry(g);
}

void TfrYo3::EndDrag() { drag_ = Drag::None; }

void TfrYo3::mousePressEvent(QMouseEvent* e) {
    const Qt::Edges edges = EdgesAt(e->position().toPoint());
    if (e->button() == Qt::LeftButton && edges) BeginDrag(e->globalPosition().toPoint(), edges);
    QWidget::mousePressEvent(e);
}

void TfrYo3::mouseMoveEvent(QMouseEvent* e) {
    if ((e->buttons() & Qt::LeftButton) && drag_ != Drag::None)
        DragTo(e->globalPosition().toPoint());
    else if (drag_ == Drag::None)
        setCursor(CursorFor(EdgesAt(e->position().toPoint())));
    QWidget::mouseMoveEvent(e);
}

void TfrYo3::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) EndDrag();
    QWidget::mouseReleaseEvent(e);
}

bool TfrYo3::eventFilter(QObject* watched, QEvent* e) {
    // Tab types nothing: its release leaves the memo for the main window.
    if (e->type() == QEvent::KeyPress && watched == tx_yo) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) return true;
    }
    if (e->type() == QEvent::KeyRelease && (watched == tx_yo || watched == lb)) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (!k->isAutoRepeat()) {
            // The window sees its keys before the memo does.
            FormKeyUp(k->key(), k->modifiers());
            if (watched == tx_yo) tx_yoKeyUp(k->key());
        }
        return false;
    }
    if (watched == lb) {
        switch (e->type()) {
            case QEvent::MouseButtonPress: {
                auto* m = static_cast<QMouseEvent*>(e);
                if (m->button() == Qt::LeftButton)
                    BeginDrag(m->globalPosition().toPoint(),
                              EdgesAt(lb->mapTo(this, m->position().toPoint())));
                break;
            }
            case QEvent::MouseMove: {
                // The label is the caption: holding the left button over it moves the window.
                auto* m = static_cast<QMouseEvent*>(e);
                if (m->buttons() & Qt::LeftButton) {
                    if (drag_ == Drag::None) BeginDrag(m->globalPosition().toPoint(), {});
                    DragTo(m->globalPosition().toPoint());
                }
                break;
            }
            case QEvent::MouseButtonRelease:
                if (static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) EndDrag();
                break;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, e);
}

}  // namespace schedule
