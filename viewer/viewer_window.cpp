#include "viewer_window.h"

#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "calendar_rules.h"
#include "color.h"
#include "cp932.h"
#include "globals.h"
#include "jump_dialog.h"
#include "message_box.h"
#include "schedule_store.h"
#include "viewer_rules.h"

TfrTuki* frTuki = nullptr;

namespace {

constexpr int kLinePx = 12;  // the memo font's height
constexpr int kChrome = 8;   // frame and margins of a memo
constexpr int kMemoLeft = 184;
constexpr int kDateWidth = 177;
constexpr int kHeaderHeight = 25;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

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
    QFont font(U("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    setFont(font);
    resize(640, 780);

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
        h->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
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

void TfrTuki::FormActivate() {
    if (activated_) return;
    activated_ = true;
    ViewerStart start;
    if (!ParseViewerArgs(args_, start)) {
        platform::ShowMessage(QString::fromLatin1(kViewerUsage));
        close();
        return;
    }
    UserName = start.userName;
    Settings.dat_Path = start.folder;
    Settings.memo_path.clear();
    CurDay = 1;
    ShowMonth(start.year, start.month);
}

void TfrTuki::ShowMonth(int year, int month) {
    CurYear = static_cast<uint16_t>(year);
    CurMonth = static_cast<uint16_t>(month);
    LoadMonthSchedule();
    setWindowTitle(platform::FromCp932(ViewerCaption(UserName, year, month)));
    FormResize();
    const int count = DaysInMonth(year, month);
    int bottom = SetDayRow(yod[1], yo[1], 1, month, year, yo[1]->y());
    for (int n = 2; n <= count; ++n) bottom = SetDayRow(yod[n], yo[n], n, month, year, bottom);
    for (int n = count + 1; n <= 31; ++n) {
        yod[n]->hide();
        yo[n]->hide();
    }
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
        SetMemoText(memo, platform::CrLfToLf(platform::FromCp932(text)));
        memo->resize(memo->width(), DisplayedLines(memo) * kLinePx + kChrome);
        // Measured on the whole text, so a hidden line keeps the room it took.
        SetMemoText(memo, platform::CrLfToLf(platform::FromCp932(HidePrivateLines(text))));
    } else {
        memo->clear();
        memo->resize(memo->width(), kLinePx + kChrome);
    }
    header->resize(header->width(), memo->height());
    return memo->y() + memo->height();
}

void TfrTuki::FitHeight(int rowsBottom) {
    const int chrome = height() - scroll_->viewport()->height();
    const int wanted = chrome + rowsBottom + 5;
    QScreen* screen = this->screen();
    if (!screen) {
        resize(width(), wanted);
        return;
    }
    const QRect area = screen->availableGeometry();
    const int frameExtra = std::max(0, frameGeometry().height() - height());
    resize(width(), std::min(wanted, area.height() - frameExtra));
    QRect frame = frameGeometry();
    frame.setHeight(height() + frameExtra);
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
    const int w = std::max(20, scroll_->viewport()->width() - (kMemoLeft + 10));
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
