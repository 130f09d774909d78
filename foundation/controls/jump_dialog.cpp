#include "jump_dialog.h"

#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "clock.h"
#include "cp932.h"
#include "form_controls.h"
#include "title_bar.h"

namespace foundation {

TfrJp* frJp = nullptr;

namespace {

constexpr int kClientWidth = 194;
constexpr int kClientHeight = 68;

// The dialog's captions: bold and black, of 10 points.
QLabel* MakeCaption(QWidget* parent, const char* name, const char* caption, int left, int top) {
    QLabel* l = MakeLabel(parent, name, caption, left, top);
    QFont f = parent->font();
    f.setPointSize(10);
    f.setBold(true);
    l->setFont(f);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::black);
    l->setPalette(p);
    l->adjustSize();
    return l;
}

// Where a label beside a box begins.
int RightOf(const QWidget* box) { return box->x() + box->width() + 2; }

// Decimal number with optional blanks around it and an optional sign.
bool ParseDecimal(const std::string& text, int& value) {
    size_t i = 0, end = text.size();
    while (i < end && (text[i] == ' ' || text[i] == '\t')) ++i;
    while (end > i && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == end) return false;
    long long v = 0;
    for (; i < end; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
        if (v > 100000000) return false;  // far beyond any year; avoids overflow
    }
    value = static_cast<int>(negative ? -v : v);
    return true;
}

}  // namespace

TfrJp::TfrJp(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frJp"));
    setWindowTitle(U("ｼﾞｬﾝﾌﾟ年月日の指定"));
    setFont(QFont(U("ＭＳ Ｐゴシック"), 9));
    setFixedSize(kClientWidth, kClientHeight);
    platform::SetTitleBar(this, platform::TitleBar::Dialog, true);

    // Each label stands 2 pixels right of its box: at the box's last pixel its first stroke
    // would run into the box's frame.
    cb_yy = MakeCombo(this, "cb_yy", {0, 8, 57, 20});
    Label1 = MakeCaption(this, "Label1", "年", RightOf(cb_yy), 16);
    cb_mm = MakeCombo(this, "cb_mm", {80, 8, 41, 20});
    Label2 = MakeCaption(this, "Label2", "月へｼﾞｬﾝﾌﾟ", RightOf(cb_mm), 16);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(0, 32, 193, 2);

    Button1 = MakeButton(this, "Button1", "O.K", {0, 40, 65, 25});
    Button2 = MakeButton(this, "Button2", "ｷｬﾝｾﾙ", {128, 40, 65, 25});
    connect(Button1, &QPushButton::clicked, this, [this] { done(kResultOk); });
    connect(Button2, &QPushButton::clicked, this, [this] { done(kResultCancel); });

    frJp = this;
    FormCreate();
}

TfrJp::~TfrJp() {
    if (frJp == this) frJp = nullptr;
}

void TfrJp::FormCreate() {
    const platform::LocalDateTime now = platform::CurrentClock().Now();
    // The item itself becomes current, not only the text: the open list and the arrow keys
    // then start from this year and month instead of the first item.
    for (int y = now.year - 10; y <= now.year + 10; ++y) cb_yy->addItem(QString::number(y));
    cb_yy->setCurrentIndex(cb_yy->findText(QString::number(now.year)));
    for (int m = 1; m <= 12; ++m) cb_mm->addItem(QString::number(m));
    cb_mm->setCurrentIndex(cb_mm->findText(QString::number(now.month)));
}

void TfrJp::SetYearOnly() {
    cb_mm->hide();
    Label2->hide();
    setWindowTitle(U("休日設定する年"));
    cb_yy->move((width() - cb_yy->width()) / 2, cb_yy->y());
    Label1->move(RightOf(cb_yy), Label1->y());
}

void TfrJp::PlaceAt(QWidget* owner) {
    if (!owner) return;
    move(owner->window()->frameGeometry().topLeft());
}

void TfrJp::done(int result) {
    // Esc and the title bar reject with 0; every way out but O.K answers Cancel.
    QDialog::done(result == QDialog::Rejected ? kResultCancel : result);
}

bool ParseJumpTarget(const std::string& yearText, const std::string& monthText, int& year,
                     int& month) {
    int y = 0, m = 0;
    if (!ParseDecimal(yearText, y) || !ParseDecimal(monthText, m)) return false;
    if (y < 1 || y > 9999 || m < 1 || m > 12) return false;
    year = y;
    month = m;
    return true;
}

bool ParseJumpTarget(const QString& yearText, const QString& monthText, int& year, int& month) {
    // Only ASCII can be a number here; anything else must not pass through a lossy conversion.
    auto ascii = [](const QString& s, std::string& out) {
        for (QChar c : s) {
            if (c.unicode() > 0x7F) return false;
        }
        out = s.toStdString();
        return true;
    };
    std::string y, m;
    if (!ascii(yearText, y) || !ascii(monthText, m)) return false;
    return ParseJumpTarget(y, m, year, month);
}

}  // namespace foundation
