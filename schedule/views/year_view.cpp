#include "year_view.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "calendar_rules.h"
#include "cp932.h"
#include "date_time.h"
#include "day_rows.h"
#include "desktop_session.h"
#include "encodable_text.h"
#include "globals.h"
#include "menu_entries.h"
#include "message_box.h"
#include "schedule_store.h"
#include "screen_clamp.h"
#include "text_helpers.h"
#include "view_frame.h"
#include "view_memo.h"
#include "view_rows.h"
#include "year_plan_append.h"

using namespace foundation;

namespace schedule {

TfrNen* frNen = nullptr;

namespace {

const char* const kNumberFont = "ＭＳ Ｐ明朝";
constexpr int kNumberLeft = 8;
constexpr int kNumberWidth = 25;
constexpr int kMemoLeft = 32;
constexpr int kMemoWidth = 297;
constexpr int kHeaderHeight = 25;
constexpr int kCalendarGap = 6;

QLabel* MakeHeader(QWidget* parent, const char* name, const char* caption, const QRect& r) {
    auto* l = new QLabel(U(caption), parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(r);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return l;
}

}  // namespace

TfrNen::TfrNen(QWidget* parent) : QDialog(parent) {
    QVBoxLayout* layout = SetUpViewFrame(this, "frNen", "年間予定表", kFontPx, MainMenu1);
    AddMenuEntries<TfrNen>(MainMenu1, this,
                           {{"mnuCl", "閉じる(&C)", &TfrNen::mnuClClick},
                            {"mnuZen", "前年度", &TfrNen::mnuZenClick},
                            {"mnuZi", "次年度", &TfrNen::mnuZiClick}});

    scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(false);
    client = new QWidget;
    client->setObjectName(QStringLiteral("client"));
    pyod = MakeHeader(client, "pyod", "月", {kNumberLeft, 0, kNumberWidth, kHeaderHeight});
    pyo = MakeHeader(client, "pyo", "予定", {kMemoLeft, 0, kMemoWidth, kHeaderHeight});
    QFont numberFont(U(kNumberFont));
    numberFont.setPixelSize(kFontPx);
    for (int m = 1; m <= 12; ++m) {
        auto* number = new QLineEdit(client);
        number->setObjectName(QStringLiteral("yod%1").arg(m));
        number->setReadOnly(true);
        number->setFont(numberFont);
        number->setText(m < 10 ? QStringLiteral("  %1").arg(m) : QString::number(m));
        number->setFocusPolicy(Qt::NoFocus);
        QPalette p = number->palette();
        p.setColor(QPalette::Text, Qt::black);
        number->setPalette(p);
        number->setGeometry(kNumberLeft, kHeaderHeight, kNumberWidth, kFontPx + 8);
        yod[m] = number;
        auto* memo = new ViewMemo(client, kFontPx);
        memo->setObjectName(QStringLiteral("yo%1").arg(m));
        memo->setProperty("Tag", m);
        memo->setGeometry(kMemoLeft, kHeaderHeight, kMemoWidth, kFontPx + 8);
        memo->installEventFilter(this);
        yo[m] = memo;
    }
    scroll->setWidget(client);
    layout->addWidget(scroll);
    resize(kDesignWidth, kDesignHeight);
}

TfrNen::~TfrNen() {
    if (frNen == this) frNen = nullptr;
}

// ---- rows ------------------------------------------------------------------------------

int TfrNen::SetMonthRow(QLineEdit* number, ViewMemo* memo, int month, int top) {
    number->move(number->x(), top);
    memo->move(memo->x(), top);
    const std::string& text = plan[month].Text;
    memo->SetTextCp932(text);
    const int lines = text.empty() ? 1 : memo->DisplayedLines(memo->width());
    memo->resize(memo->width(), MemoHeight(lines, kFontPx));
    number->resize(number->width(), memo->height());
    return top + memo->height();
}

void TfrNen::LoadYear(int newYear) {
    unreadable_ = YearPlanUnreadable(newYear);
    ReadYearSchedule(newYear, plan);
    year = static_cast<uint16_t>(newYear);
    dirty_ = false;
    int bottom = SetMonthRow(yod[1], yo[1], 1, yo[1]->y());
    for (int m = 2; m <= 12; ++m) bottom = SetMonthRow(yod[m], yo[m], m, bottom);
    FitClient();
    if (unreadable_) {
        platform::MessageDlg(
            platform::FromCp932(Sj("年間予定のファイル[") +
                                YearPlanFileName(Settings.dat_Path, newYear) +
                                Sj("]を読み込めません。この年の年間予定は保存されません。")),
            platform::MsgKind::Warning, {platform::kBtnOk});
    }
}

void TfrNen::FitClient() {
    int right = kMemoLeft + kMemoWidth;
    int bottom = yo[12]->y() + yo[12]->height();
    for (int m = 1; m <= 12; ++m) {
        if (!calendars[m] || !calendars[m]->Frame) continue;
        const QRect r = calendars[m]->Frame->geometry();
        right = std::max(right, r.right() + 1);
        bottom = std::max(bottom, r.bottom() + 1);
    }
    client->resize(right + kCalendarGap, bottom + 2);
}

bool TfrNen::StoreYearText() {
    std::vector<QTextDocument*> edited;
    std::vector<int> months;
    for (int m = 1; m <= 12; ++m) {
        if (!yo[m]->Modified()) continue;
        edited.push_back(yo[m]->document());
        months.push_back(m);
    }
    int refused = 0;
    if (!ConfirmDocuments(edited, &refused)) {
        yo[months[static_cast<size_t>(refused)]]->setFocus(Qt::OtherFocusReason);
        return false;
    }
    for (int m = 1; m <= 12; ++m) {
        if (!yo[m]->Modified()) continue;
        StoreMemoText(yo[m]->TextCp932(), plan[m].HasText, plan[m].Text);
        yo[m]->document()->setModified(false);
        dirty_ = true;
    }
    return true;
}

bool TfrNen::SaveYear() {
    if (!StoreYearText()) return false;
    if (!dirty_) return true;
    if (unreadable_) {
        MsgBox(Sj("年間予定を格納するディレクトリが見つかりません。"), 48, "");
        return false;
    }
    if (!SaveYearSchedule(year, plan)) return false;
    dirty_ = false;
    return true;
}

// ---- calendars -------------------------------------------------------------------------

void TfrNen::FormActivate() {
    if (calendars[1]) return;
    for (int m = 1; m <= 12; ++m) {
        calendars[m] = std::make_unique<TVr_SCAL>();
        connect(calendars[m].get(), &TVr_SCAL::dayMouseDown, this, &TfrNen::DayMouseDown);
        calendars[m]->Build(client, year, m);
    }
    PlaceCalendars(year);
}

void TfrNen::PlaceCalendars(int y0) {
    if (!calendars[1]) return;
    const int x0 = yo[1]->x() + yo[1]->width() + 4;
    int x = x0 + kCalendarGap;
    int y = 2;
    for (int m = 1; m <= 12; ++m) {
        TVr_SCAL& c = *calendars[m];
        c.ShowMonth(y0, m);
        c.SetPos(x, y);
        x += c.Frame->width() + kCalendarGap;
        if (m % 3 == 0) {
            x = x0 + kCalendarGap;
            y += c.Frame->height() + 2;
        }
    }
    FitClient();
}

void TfrNen::DayMouseDown(int tag) {
    int y = 0, m = 0, d = 0;
    DecodeDate(static_cast<TDateTime>(tag), y, m, d);
    if (!IsValidDate(y, m, d)) return;
    std::string anniversary, text;
    GetAnniversary(m, d, anniversary);
    ReadDaySchedule(y, m, d, text);
    const std::string message =
        DayDetailsHeading(y, m, d, anniversary, Settings) + "\r\n\r\n" + text;
    platform::ShowMessage(platform::FromCp932(message));
}

// ---- moves and closing -----------------------------------------------------------------

void TfrNen::SetYearCaption() {
    setWindowTitle(platform::FromCp932(YearViewCaption(year, Settings)));
}

void TfrNen::MoveYear(int step) {
    const int next = year + step;
    if (next < 1 || next > 9999) return;
    if (!SaveYear()) return;
    year = static_cast<uint16_t>(next);
    SetYearCaption();
    LoadYear(next);
    PlaceCalendars(next);
}

void TfrNen::mnuZenClick() { MoveYear(-1); }
void TfrNen::mnuZiClick() { MoveYear(1); }
void TfrNen::mnuClClick() { close(); }

bool TfrNen::FormClose() {
    if (closed_) return true;
    // Back to the texts as typed: the view stays open.
    if (!StoreYearText()) return false;
    if (!SaveYear()) {
        const int answer =
            platform::MessageDlg(U("年間予定を保存できませんでした。保存せずに閉じますか？"),
                                 platform::MsgKind::Confirmation,
                                 {platform::kBtnYes, platform::kBtnNo}, platform::kBtnNo);
        if (answer != platform::kBtnYes) return false;
    }
    const QPoint at =
        platform::PlaceToStore(this, QPoint(Settings.nen_tlwh.l, Settings.nen_tlwh.t));
    Settings.nen_tlwh.t = static_cast<int16_t>(at.y());
    Settings.nen_tlwh.l = static_cast<int16_t>(at.x());
    Settings.nen_tlwh.w = static_cast<int16_t>(width());
    Settings.nen_tlwh.h = static_cast<int16_t>(height());
    closed_ = true;
    return true;
}

void TfrNen::done(int result) {
    if (closing_) return;
    closing_ = true;
    const bool ok = FormClose();
    closing_ = false;
    if (ok) QDialog::done(result);
}

void TfrNen::closeEvent(QCloseEvent* e) {
    e->ignore();
    done(QDialog::Rejected);
}

void TfrNen::FormShow() {
    QScreen* screen = this->screen();
    if (!screen) return;
    const QSize s = screen->size();
    QRect r = ClampToScreen(QRect(pos(), size()), s);
    // The saved size applies; the window is centred whatever its saved place.
    r.moveTo(std::max((s.width() - r.width()) / 2, 0), std::max((s.height() - r.height()) / 2, 0));
    move(r.topLeft());
    resize(r.size());
}

void TfrNen::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous()) FormShow();
}

bool TfrNen::eventFilter(QObject* watched, QEvent* e) {
    auto* memo = qobject_cast<ViewMemo*>(watched);
    if (memo && e->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter) {
            memo->GrowForEnter();
            const int m = memo->property("Tag").toInt();
            yod[m]->resize(yod[m]->width(), memo->height());
            for (int n = m + 1; n <= 12; ++n) {
                const int top = yo[n - 1]->y() + yo[n - 1]->height();
                yod[n]->move(yod[n]->x(), top);
                yo[n]->move(yo[n]->x(), top);
            }
            FitClient();
        }
    }
    return QDialog::eventFilter(watched, e);
}

}  // namespace schedule
