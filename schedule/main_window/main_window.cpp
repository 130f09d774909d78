#include "main_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include "accessory_windows.h"
#include "alarm_engine.h"
#include "calendar_rules.h"
#include "color.h"
#include "cp932.h"
#include "date_caption.h"
#include "day_window.h"
#include "exit_gate.h"
#include "fonts.h"
#include "help.h"
#include "jump_dialog.h"
#include "messages.h"
#include "open_windows.h"
#include "paths.h"
#include "png_file.h"
#include "sound.h"
#include "speed_button_vr.h"
#include "title_bar.h"
#include "tray.h"
#include "window_flags.h"

using namespace foundation;

namespace schedule {

namespace {

const char* const kUiFont = "ＭＳ Ｐゴシック";
const char* const kCellFont = "Times New Roman";
// The date frame's font, which the moves under the calendar take; some of their captions are
// drawn from other fonts.
constexpr int kDateFontPx = 13;
const char* const kNavCaptions[] = {"«", "‹", "…", "今日", "●", "›", "»"};
constexpr int kPathLimit = 255;
// Neighbouring-month cells are always drawn in this grey.
const QColor kNeighbourGrey(0x80, 0x80, 0x80);

QFont PixelFont(const char* family, int px, bool bold = false, bool italic = false) {
    QFont f(platform::InstalledFamily(U(family)));
    f.setPixelSize(px);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QToolButton* MakeToolButton(QWidget* parent, const char* name, QRect geometry, const char* hint) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(geometry);
    b->setAutoRaise(false);
    b->setFocusPolicy(Qt::NoFocus);
    if (hint) b->setToolTip(U(hint));
    return b;
}

// The buttons' own glyphs, compiled in at the size they are shown: no icon theme is searched.
QIcon ToolGlyph(const char* name) {
    return QIcon(
        platform::ReadPng(QStringLiteral(":/tool_glyphs/%1.png").arg(QLatin1String(name))));
}

void SetTextColor(QWidget* w, const QColor& color) {
    QPalette p = w->palette();
    p.setColor(QPalette::ButtonText, color);
    p.setColor(QPalette::WindowText, color);
    w->setPalette(p);
}

void ApplyStyle(QWidget* w, const FontStyle& style) {
    QFont f = w->font();
    f.setBold(style.bold);
    f.setItalic(style.italic);
    f.setStrikeOut(style.strikeOut);
    w->setFont(f);
}

// Header labels play a sound when clicked.
class ClickLabel : public QLabel {
  public:
    using QLabel::QLabel;
    std::function<void()> onClick;

  protected:
    void mousePressEvent(QMouseEvent* e) override { e->accept(); }
    void mouseReleaseEvent(QMouseEvent* e) override {
        e->accept();
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && onClick) {
            onClick();
        }
    }
};

}  // namespace

TfrTavik::TfrTavik(QWidget* parent) : QWidget(parent, Qt::Window), calendar_(*this) {
    platform::InstallFontSubstitutes();
    setObjectName(QStringLiteral("frTavik"));
    setWindowTitle(QStringLiteral("Kolvane32"));
    setFont(PixelFont(kUiFont, 12));
    setFixedSize(kClientWidth, kClientHeight);
    platform::SetTitleBar(this, platform::TitleBar::MinimizeOnly, true);
    // Minimise hides the window into the tray: where the window manager offers it only on
    // windows with a task-bar button, the main window keeps one.
    platform::OfferMinimise(this, [] { return platform::TrayIcon().IsAvailable(); });
    setAttribute(Qt::WA_AlwaysShowToolTips);

    BuildToolStrip();
    BuildCalendar();
    BuildTrayMenu();
    ConnectOpeners();
    StartAlarms();
    exitGate_ = std::make_unique<ExitGate>(platform::ApplicationModals());
    // Keys are seen before the focused control gets them, whichever control that is.
    qApp->installEventFilter(this);
}

std::vector<platform::FontConfigWarmUp::Sample> TfrTavik::FirstFrameFonts() {
    // Each caption alone, as it is drawn: its script picks the fonts it falls back to.
    std::vector<platform::FontConfigWarmUp::Sample> samples = {{"", 0, false, QString()}};
    for (const char* caption : kNavCaptions)
        samples.push_back({kUiFont, kDateFontPx, false, U(caption)});
    return samples;
}

TfrTavik::~TfrTavik() {
    qApp->removeEventFilter(this);
    platform::TrayIcon().SetMouseHandler(nullptr);
    if (MainWnd == this) MainWnd = nullptr;
}

void TfrTavik::BecomeMainWnd() { MainWnd = this; }

void TfrTavik::closeEvent(QCloseEvent* event) {
    if (closeHost_ && !closeHost_->MayClose(event->spontaneous())) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

intptr_t TfrTavik::Send(unsigned message, intptr_t wParam, intptr_t lParam) {
    switch (message) {
        case WM_MAIN_NAVIGATE:
            calendar_.Navigate(static_cast<int>(wParam));
            return 0;
        case WM_MAIN_SHOWDATE:
            ShowMonth(static_cast<int>(wParam & 0xFFFF), static_cast<int>((wParam >> 16) & 0xFFFF),
                      static_cast<int>(lParam & 0xFFFF));
            return 0;
        case WM_TRAY_NOTIFY:
            TrayNotify(static_cast<int>(lParam));
            return 0;
        case WM_MAIN_COMMAND:
            RunCommand(static_cast<int>(wParam));
            return 0;
        case WM_MAIN_TOPMOST:
            Accessories().TopmostNotes(wParam, lParam);
            return 0;
        case WM_MAIN_NEWMEMO:
            Accessories().NewMemo(wParam, lParam);
            return 0;
        default:
            return 0;
    }
}

void TfrTavik::BuildToolStrip() {
    bt_prun = MakeToolButton(this, "bt_prun", {2, 0, 41, 49}, "プログラムランチャ");
    bt_prun->setIcon(ToolGlyph("launcher"));
    bt_today = MakeToolButton(this, "bt_today", {42, 0, 25, 25}, "選択日の予定を拡大表示");
    bt_today->setIcon(ToolGlyph("day"));
    bt_tuki = MakeToolButton(this, "bt_tuki", {66, 0, 25, 25}, "月間予定の表示");
    bt_tuki->setIcon(ToolGlyph("month"));
    bt_nen = MakeToolButton(this, "bt_nen", {90, 0, 25, 25}, "年間予定表");
    bt_nen->setIcon(ToolGlyph("year"));
    bt_tel = MakeToolButton(this, "bt_tel", {114, 0, 25, 25}, "電話帳");
    bt_tel->setIcon(ToolGlyph("phone"));
    bt_memo = MakeToolButton(this, "bt_memo", {138, 0, 25, 25}, "メモ");
    bt_memo->setIcon(ToolGlyph("memo"));
    bt_op = MakeToolButton(this, "bt_op", {162, 0, 25, 25}, "環境設定、ヘルプ、システム情報");
    bt_op->setIcon(ToolGlyph("options"));
    bttodo = MakeToolButton(this, "bttodo", {42, 24, 25, 25}, "ToDo");
    bttodo->setIcon(ToolGlyph("todo"));
    tx_time2 = MakeToolButton(this, "tx_time2", {66, 24, 73, 25},
                              "ここをクリックするとアラームの設定ができます");
    tx_time2->setFont(PixelFont(kCellFont, 15, true));
    tx_time2->setText(QStringLiteral("23:59:59"));
    bt_SysInfo = MakeToolButton(this, "bt_SysInfo", {138, 24, 25, 25}, "選択日の日記");
    bt_SysInfo->setIcon(ToolGlyph("diary"));
    BitBtn1 = MakeToolButton(this, "BitBtn1", {162, 24, 25, 25}, "予定検索");
    BitBtn1->setIcon(ToolGlyph("search"));
    bt_cal = MakeToolButton(this, "bt_cal", {186, 0, 15, 49}, "カレンダーの表示／非表示");
    bt_cal->setIcon(ToolGlyph("calendar_toggle"));
    connect(bt_cal, &QToolButton::clicked, this, [this] { bt_calClick(); });

    // Focus catcher below the client area: Tab into it hands the focus to the day window. It is
    // never seen, so it is no text box: a text box lays out its text as it is made.
    Edit1 = new QWidget(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setFocusPolicy(Qt::StrongFocus);
    Edit1->setGeometry(8, 280, 73, 20);

    pic = new QLabel(this);
    pic->setObjectName(QStringLiteral("pic"));
    pic->setGeometry(0, 8, 33, 1);
    pic->lower();
}

void TfrTavik::BuildCalendar() {
    sf_date = new QGroupBox(this);
    sf_date->setObjectName(QStringLiteral("sf_date"));
    sf_date->setGeometry(2, 52, 199, 189);
    sf_date->setFont(PixelFont(kUiFont, kDateFontPx));
    SetTextColor(sf_date, Qt::black);
    sf_date->setTitle(QStringLiteral("00/00"));
    sf_date->installEventFilter(this);

    for (int i = 0; i < 7; ++i) {
        auto* l = new ClickLabel(sf_date);
        l->setObjectName(QStringLiteral("lb_%1").arg(i));
        const int h = (i == 0 || i == 6) ? grid::kHeaderEdgeHeight : grid::kHeaderMidHeight;
        l->setGeometry(grid::kHeaderLeft + grid::kColumnStep * i, grid::kHeaderTop,
                       grid::kHeaderWidth, h);
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        l->setFont(PixelFont(kUiFont, 13, true));
        if (i == 0 || i == 2 || i == 6) {
            l->onClick = [this] { lb_0Click(); };
        } else if (i == 4) {
            l->onClick = [this] { lb_4Click(); };
        } else {
            l->onClick = [this] { lb_1Click(); };
        }
        lb_[i] = l;
    }

    cells_ = new QButtonGroup(this);
    cells_->setExclusive(true);
    auto makeCell = [this](const QString& name, int px) {
        auto* c = new TSpeedButtonVR(sf_date);
        c->setObjectName(name);
        c->resize(grid::kCellWidth, grid::kCellHeight);
        c->setCheckable(true);
        c->setFocusPolicy(Qt::NoFocus);
        c->setFont(PixelFont(kCellFont, px, false, true));
        cells_->addButton(c);
        return c;
    };
    for (int i = 0; i < 7; ++i) {
        auto* c = makeCell(QStringLiteral("bt_ZeDate%1").arg(i), 13);
        SetTextColor(c, kNeighbourGrey);
        connect(c, &QAbstractButton::clicked, this, [this, c] { bt_ZeDate0Click(c); });
        bt_ZeDate[i] = c;
    }
    for (int i = 0; i < 31; ++i) {
        auto* c = makeCell(QStringLiteral("bt_date%1").arg(i), 19);
        c->setProperty("Tag", i);
        connect(c, &QAbstractButton::clicked, this, [this, c] { bt_date0Click(c); });
        bt_date[i] = c;
    }
    for (int i = 0; i < 7; ++i) {
        auto* c = makeCell(QStringLiteral("bt_ZiDate%1").arg(i), 13);
        SetTextColor(c, kNeighbourGrey);
        connect(c, &QAbstractButton::clicked, this, [this, c] { bt_ZeDate0Click(c); });
        bt_ZiDate[i] = c;
    }

    struct Nav {
        QToolButton** field;
        const char* name;
        int left;
        int width;
        const char* hint;
        const char* caption;
        void (TfrTavik::*handler)();
    };
    const Nav navs[] = {
        {&bt_1nmae, "bt_1nmae", 8, 25, "１年前の同じ月へ", kNavCaptions[0],
         &TfrTavik::bt_1nmaeClick},
        {&bt_1mae, "bt_1mae", 32, 25, "前月へ", kNavCaptions[1], &TfrTavik::bt_1maeClick},
        {&bt_hiJamp, "bt_hiJamp", 56, 25, "指定日に移動する", kNavCaptions[2],
         &TfrTavik::sf_dateDblClick},
        {&bt_kyo, "bt_kyo", 80, 41, "今日へ", kNavCaptions[3], &TfrTavik::bt_kyoClick},
        {&bt_maku, "bt_maku", 120, 25, "マーク日の「設定／解除」", kNavCaptions[4],
         &TfrTavik::bt_makuClick},
        {&bt_1tugi, "bt_1tugi", 144, 25, "次月へ", kNavCaptions[5], &TfrTavik::bt_1tugiClick},
        {&bt_1ntugi, "bt_1ntugi", 168, 25, "１年後の同じ月へ", kNavCaptions[6],
         &TfrTavik::bt_1ntugiClick},
    };
    for (const Nav& n : navs) {
        QToolButton* b = MakeToolButton(sf_date, n.name, {n.left, 168, n.width, 17}, n.hint);
        b->setText(U(n.caption));
        auto handler = n.handler;
        connect(b, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
        *n.field = b;
    }
}

// ---- grid ------------------------------------------------------------------------------

void TfrTavik::ShowMonth(int year, int month, int day) { calendar_.ShowMonth(year, month, day); }

void TfrTavik::cal_ref() { calendar_.CalRef(); }

void TfrTavik::SetDayMark(TSpeedButtonVR* cell, bool on) {
    if (!cell) return;
    if (on) {
        cell->SetBkColor(Settings.MAKUCOL);
        cell->SetBkBrushStyle(Qt::SolidPattern);
    } else {
        cell->SetBkBrushStyle(Qt::NoBrush);
    }
}

bool TfrTavik::StoreDayText() { return calendar_.StoreDayText(); }

bool TfrTavik::SaveOnLeave() { return calendar_.SaveOnLeave(); }

void TfrTavik::bt_date0Click(TSpeedButtonVR* cell) {
    if (!cell) return;
    calendar_.SelectDay(cell->property("Tag").toInt() + 1);
}

void TfrTavik::bt_makuClick() { calendar_.ToggleMark(); }

void TfrTavik::bt_calClick() {
    // Before the first show Qt delivers no resize of its own; this one would have been the
    // silent one after the creation.
    if (firstResize_) skipRestoreSound_ = false;
    // Heights are client heights; the entry stores the full one in MainFullHeight.
    const int full = MainFullHeight > 0 ? MainFullHeight : kClientHeight;
    if (height() != full) {
        setFixedHeight(full);
        if (Settings.rendo == 0 && frYo3) frYo3->show();
    } else {
        setFixedHeight(bt_cal->y() + bt_cal->height() + 2);
        if (Settings.rendo == 0 && frYo3) frYo3->hide();
    }
}

void TfrTavik::Edit1KeyUp(int key) {
    if (key == Qt::Key_Tab && frYo3) {
        frYo3->activateWindow();
        frYo3->tx_yo->setFocus(Qt::TabFocusReason);
    }
}

// ---- moves -----------------------------------------------------------------------------

void TfrTavik::bt_1nmaeClick() { calendar_.YearBack(); }
void TfrTavik::bt_1maeClick() { calendar_.PrevMonth(); }
void TfrTavik::bt_1tugiClick() { calendar_.NextMonth(); }
void TfrTavik::bt_1ntugiClick() { calendar_.YearForward(); }
void TfrTavik::bt_kyoClick() { GoToToday(); }
void TfrTavik::GoToToday() { calendar_.GoToToday(); }
void TfrTavik::sf_dateDblClick() { calendar_.Jump(); }

void TfrTavik::bt_ZeDate0Click(TSpeedButtonVR* cell) {
    if (!cell) return;
    calendar_.GoToNeighbour(cell->property("Tag").toInt());
}

void TfrTavik::SelectPrevDay() { calendar_.SelectPrevDay(); }
void TfrTavik::SelectNextDay() { calendar_.SelectNextDay(); }

bool TfrTavik::FormKeyUp(int key, Qt::KeyboardModifiers modifiers) {
    const int command = KeyCommandFor(key, modifiers);
    if (command == 0) return false;
    if (command == kKeyHelp) {
        OpenHelp();
    } else {
        calendar_.Navigate(command);
    }
    return true;
}

void TfrTavik::lb_0Click() { PlayHeaderSound(0); }
void TfrTavik::lb_1Click() { PlayHeaderSound(1); }
void TfrTavik::lb_4Click() { PlayHeaderSound(4); }

void TfrTavik::PlayHeaderSound(int column) {
    if (Settings.oto == 1) return;
    const std::string path = ShippedFile(HeaderSoundName(column));
    if (path.size() > kPathLimit) return;
    platform::PlaySoundAsync(path);
}

bool TfrTavik::OwnsWidget(QObject* object) const {
    auto* w = qobject_cast<QWidget*>(object);
    return w && w->window() == this;
}

bool TfrTavik::eventFilter(QObject* watched, QEvent* event) {
    // Hints show while any window of the program is active (typing in the day window too).
    if (event->type() == QEvent::ToolTip && OwnsWidget(watched) && !QApplication::activeWindow())
        return true;
    if (watched == sf_date && event->type() == QEvent::MouseButtonDblClick) {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() == Qt::LeftButton) {
            sf_dateDblClick();
            return true;
        }
    }
    if (event->type() == QEvent::KeyRelease && OwnsWidget(watched)) {
        auto* ke = static_cast<QKeyEvent*>(event);
        if (ke->isAutoRepeat()) return false;
        if (watched == Edit1) Edit1KeyUp(ke->key());
        if (FormKeyUp(ke->key(), ke->modifiers())) return true;
    }
    return QWidget::eventFilter(watched, event);
}

// ---- the view the controller drives ---------------------------------------------------

void TfrTavik::ApplyLayout(const MonthLayout& layout) {
    for (int i = 0; i < 7; ++i) {
        lb_[i]->setText(platform::FromCp932(layout.header[i].caption));
        SetTextColor(lb_[i], platform::ToQColor(layout.header[i].color));
    }
    auto place = [](TSpeedButtonVR* c, const CellLayout& l) {
        c->move(l.left, l.top);
        c->setText(platform::FromCp932(l.caption));
        c->setProperty("Tag", l.tag);
    };
    for (int i = 0; i < 7; ++i) {
        place(bt_ZeDate[i], layout.prev[i]);
        bt_ZeDate[i]->setToolTip(platform::FromCp932(layout.prev[i].hint));
        place(bt_ZiDate[i], layout.next[i]);
        bt_ZiDate[i]->setToolTip(platform::FromCp932(layout.next[i].hint));
    }
    for (int i = 0; i < 31; ++i) {
        const CellLayout& l = layout.days[i];
        TSpeedButtonVR* c = bt_date[i];
        if (!l.visible) {
            c->hide();
            continue;
        }
        place(c, l);
        SetTextColor(c, platform::ToQColor(l.color));
        c->show();
        SetDayMark(c, l.marked);
        if (l.down) c->setChecked(true);
        ApplyStyle(c, l.style);
    }
}

void TfrTavik::ShowDateCaption(int year, int month, const std::string& weekdayKanji, int day) {
    const std::string caption = DateCaptionText(year, month, day, weekdayKanji);
    sf_date->setTitle(platform::FromCp932(caption));
    if (frYo3) frYo3->lb->setText(platform::FromCp932(caption + Sj("の予定")));
}

TextTake TfrTavik::TakeDayText(std::string& text) {
    return frYo3 ? frYo3->TakeEditedText(text) : TextTake::Unedited;
}

void TfrTavik::SetDayText(const std::string& text) {
    if (frYo3) frYo3->SetMemoText(text);
}

void TfrTavik::SetDayStyle(int day, const FontStyle& style) {
    if (day >= 1 && day <= 31) ApplyStyle(bt_date[day - 1], style);
}

void TfrTavik::SetDayMark(int day, bool on) {
    if (day >= 1 && day <= 31) SetDayMark(bt_date[day - 1], on);
}

void TfrTavik::PressDay(int day) {
    if (day >= 1 && day <= 31) bt_date[day - 1]->setChecked(true);
}

void TfrTavik::FocusDayText() {
    if (!frYo3) return;
    if (frYo3->isVisible()) frYo3->activateWindow();
    frYo3->tx_yo->setFocus(Qt::OtherFocusReason);
}

bool TfrTavik::DayWindowVisible() const { return frYo3 && frYo3->isVisible(); }

bool TfrTavik::AskJumpTarget(std::string& yearText, std::string& monthText) {
    TfrJp dialog(this);
    const OpenWindowScope openScope(WindowKind::JumpDialog, &dialog);
    dialog.PlaceAt(this);
    const bool topmost = Settings.zen == 1;
    if (topmost) {
        LeaveTopmost();
        SendToMain(WM_MAIN_TOPMOST, 0, 2);
    }
    const bool ok = dialog.exec() == TfrJp::kResultOk;
    if (ok) {
        yearText = platform::ToCp932(dialog.cb_yy->currentText());
        monthText = platform::ToCp932(dialog.cb_mm->currentText());
    }
    if (topmost) ReturnTopmost();
    return ok;
}

}  // namespace schedule
