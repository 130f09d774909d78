#include "viewer_window.h"

#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "calendar_rules.h"
#include "color.h"
#include "cp932.h"
#include "day_rows.h"
#include "fonts.h"
#include "globals.h"
#include "jump_dialog.h"
#include "message_box.h"
#include "paths.h"
#include "schedule_store.h"
#include "title_bar.h"
#include "viewer_rules.h"

using namespace foundation;

namespace viewer {

TfrTuki* frTuki = nullptr;

namespace {

constexpr int kLinePx = 12;  // the memo font's height
constexpr int kChrome = 8;   // frame and margins of a memo
constexpr int kMemoLeft = 184;
constexpr int kDateWidth = 177;
constexpr int kHeaderHeight = 25;
constexpr size_t kLongestLine = 4096;  // bytes of one line that a row shows

QLabel* HeaderPanel(QWidget* parent, const char* name, const char* caption, const QRect& r) {
    auto* p = new QLabel(U(caption), parent);
    p->setObjectName(QString::fromLatin1(name));
    p->setFrameStyle(QFrame::Panel | QFrame::Raised);
    p->setAlignment(Qt::AlignCenter);
    p->setGeometry(r);
    return p;
}

// Lines the memo shows at its width, wrapped lines counted, at least one.
int DisplayedLines(QTextEdit* memo) {
    QTextDocument* doc = memo->document();
    doc->setTextWidth(memo->width() - 2 * memo->frameWidth());
    int lines = 0;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        lines += b.layout() ? std::max(1, b.layout()->lineCount()) : 1;
    return std::max(1, lines);
}

void SetMemoText(QTextEdit* memo, const QString& text) {
    memo->setPlainText(text);
    QTextCursor c(memo->document());
    c.select(QTextCursor::Document);
    QTextBlockFormat f;
    f.setLineHeight(kLinePx, QTextBlockFormat::FixedHeight);
    c.mergeBlockFormat(f);
}

}  // namespace

TfrTuki::TfrTuki(const QStringList& args, QWidget* parent) : QMainWindow(parent), args_(args) {
    setObjectName(QStringLiteral("frTuki"));
    setWindowTitle(U("月間予定表"));
    QFont font(platform::InstalledFamily(U("ＭＳ Ｐゴシック")));
    font.setPixelSize(12);
    setFont(font);
    resize(640, 780);
    // Default border icons on a sizable border.
    platform::SetTitleBar(this, platform::TitleBar::Full);

    QMenuBar* bar = menuBar();
    auto item = [this, bar](const char* name, const char* caption, void (TfrTuki::*slot)()) {
        QAction* a = bar->addAction(U(caption));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, [this, slot] { (this->*slot)(); });
    };
    QAction* close = bar->addAction(U("閉じる(&T)"));
    close->setObjectName(QStringLiteral("mnuCl"));
    connect(close, &QAction::triggered, this, &QWidget::close);
    item("mnuBk", "前月へ(&B)", &TfrTuki::mnuBkClick);
    item("mnuNe", "次月へ(&N)", &TfrTuki::mnuNeClick);
    item("mnuTukiJp", "指定月へ(&J)", &TfrTuki::mnuTukiJpClick);
    item("mnuVer", "ﾊﾞｰｼﾞｮﾝ情報(&A)", &TfrTuki::mnuVerClick);

    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rows_ = new QWidget;
    scroll_->setWidget(rows_);
    setCentralWidget(scroll_);

    Panel2 = HeaderPanel(rows_, "Panel2", "日付", {8, 0, kDateWidth, kHeaderHeight});
    pyo = HeaderPanel(rows_, "pyo", "予定", {kMemoLeft, 0, 425, kHeaderHeight});
    for (int n = 1; n <= 31; ++n) {
        auto* h = new QLabel(rows_);
        h->setObjectName(QStringLiteral("yod%1").arg(n));
        h->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        h->setAlignment(Qt::AlignCenter);
        h->setGeometry(8, kHeaderHeight, kDateWidth, kLinePx + kChrome);
        yod[n] = h;
        auto* m = new QTextEdit(rows_);
        m->setObjectName(QStringLiteral("yo%1").arg(n));
        m->setProperty("tag", n);
        m->setReadOnly(true);
        m->setAcceptRichText(false);
        m->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m->setLineWidth(1);
        m->document()->setDocumentMargin((kChrome - 2 * m->frameWidth()) / 2.0);
        m->setGeometry(kMemoLeft, kHeaderHeight, 425, kLinePx + kChrome);
        yo[n] = m;
    }
    frTuki = this;
}

TfrTuki::~TfrTuki() {
    if (frTuki == this) frTuki = nullptr;
}

bool TfrTuki::FormActivate() {
    if (activated_) return true;
    activated_ = true;
    ViewerStart start;
    if (!ParseViewerArgs(args_, start)) {
        platform::ShowMessage(QString::fromLatin1(kViewerUsage));
        close();
        return false;
    }
    UserName = start.userName;
    Settings.dat_Path = start.folder;
    Settings.memo_path.clear();
    CurDay = 1;
    ShowMonth(start.year, start.month);
    return true;
}

void TfrTuki::ShowMonth(int year, int month) {
    CurYear = static_cast<uint16_t>(year);
    CurMonth = static_cast<uint16_t>(month);
    LoadMonthSchedule();
    setWindowTitle(platform::DiskPath(ViewerCaption(UserName, year, month)));
    FormResize();
    const int bottom = StackDayRows(yod, yo, DaysInMonth(year, month), [&](int n, int top) {
        return SetDayRow(yod[n], yo[n], n, month, year, top);
    });
    rows_->resize(rows_->width(), bottom);
    FitHeight(bottom);
}

int TfrTuki::SetDayRow(QLabel* header, QTextEdit* memo, int day, int month, int year, int top) {
    header->show();
    memo->show();
    header->move(header->x(), top);
    memo->move(memo->x(), top);
    const ViewerHeader h = MakeViewerHeader(year, month, day);
    QPalette p = header->palette();
    p.setColor(QPalette::WindowText, platform::ToQColor(h.color));
    header->setPalette(p);
    header->setText(platform::FromCp932(h.caption));
    const std::string& text = MonthDays[day].Text;
    if (!text.empty()) {
        SetMemoText(memo,
                    platform::CrLfToLf(platform::FromCp932(CutLongLines(text, kLongestLine))));
        memo->resize(memo->width(), MemoHeight(DisplayedLines(memo), kLinePx));
        // Measured on the whole text, so a hidden line keeps the room it took.
        // Hidden before cutting: a cut line would lose the mark that makes it private.
        const std::string shown = CutLongLines(HidePrivateLines(text), kLongestLine);
        SetMemoText(memo, platform::CrLfToLf(platform::FromCp932(shown)));
    } else {
        memo->clear();
        memo->resize(memo->width(), MemoHeight(1, kLinePx));
    }
    header->resize(header->width(), memo->height());
    return memo->y() + memo->height();
}

void TfrTuki::FitHeight(int rowsBottom) {
    const int chrome = menuBar()->sizeHint().height();
    const int wanted = chrome + rowsBottom + 5;
    QScreen* screen = this->screen();
    if (!screen) {
        resize(width(), wanted);
        return;
    }
    const QRect area = screen->availableGeometry();
    // Before the first showing the window manager's frame is not known yet: allow a title bar.
    const int frameExtra = isVisible() ? std::max(0, frameGeometry().height() - height()) : 30;
    resize(width(), std::min(wanted, area.height() - frameExtra));
    QRect frame(isVisible() ? frameGeometry().topLeft() : pos(),
                QSize(width(), height() + frameExtra));
    if (!placed_) {
        // Centred once, at the size of the first month.
        placed_ = true;
        frame.moveCenter(area.center());
    }
    if (frame.bottom() > area.bottom()) frame.moveBottom(area.bottom());
    if (frame.top() < area.top()) frame.moveTop(area.top());
    move(frame.topLeft());
}

void TfrTuki::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TfrTuki::FormResize() {
    if (!scroll_ || !rows_) return;
    // The client width: the window's, less the scroll bar while the rows are taller than it
    // (also before the first showing, when the viewport has no size yet).
    int client = width();
    if (rows_->height() > height() - menuBar()->sizeHint().height())
        client -= style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int w = std::max(20, client - (kMemoLeft + 10));
    pyo->resize(w, pyo->height());
    for (int n = 1; n <= 31; ++n) yo[n]->resize(w, yo[n]->height());
    rows_->resize(kMemoLeft + w + 10, rows_->height());
}

void TfrTuki::mnuBkClick() {
    int y = CurYear, m = CurMonth;
    if (StepMonth(y, m, -1)) ShowMonth(y, m);
}

void TfrTuki::mnuNeClick() {
    int y = CurYear, m = CurMonth;
    if (StepMonth(y, m, +1)) ShowMonth(y, m);
}

void TfrTuki::mnuTukiJpClick() {
    TfrJp dialog(this);
    dialog.PlaceAt(this);
    if (dialog.exec() != TfrJp::kResultOk) return;
    int y = 0, m = 0;
    if (!ParseJumpTarget(dialog.cb_yy->currentText(), dialog.cb_mm->currentText(), y, m)) return;
    ShowMonth(y, m);
}

void TfrTuki::mnuVerClick() { platform::ShowMessage(QStringLiteral("Tavikg32 Ver1.01")); }

}  // namespace viewer
