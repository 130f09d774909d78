// The main window's openers of the other windows and programs, and the tray menu's enabling.
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QScreen>
#include <memory>

#include "accessory_windows.h"
#include "calendar_rules.h"
#include "cp932.h"
#include "day_window.h"
#include "desktop_programs.h"
#include "diary.h"
#include "folders.h"
#include "globals.h"
#include "hotkey.h"
#include "main_window.h"
#include "message_box.h"
#include "messages.h"
#include "modal_windows.h"
#include "month_view.h"
#include "open_windows.h"
#include "paths.h"
#include "schedule_store.h"
#include "search_runner.h"
#include "start_notice.h"
#include "year_view.h"

using namespace foundation;

namespace schedule {

namespace {

// The phone-book program the user puts among the shipped files (AppDir) or on PATH.
const char* const kPhoneBook = "kolvane-tel";

constexpr OpenerRules kViewRules{true, true, true, TopmostRule::DropWithNotes};
constexpr OpenerRules kDayViewRules{false, false, true, TopmostRule::DropWithNotes};
constexpr OpenerRules kButtonRules{false, false, false, TopmostRule::DropWithNotes};
constexpr OpenerRules kTrayRules{false, false, false, TopmostRule::Drop};
constexpr OpenerRules kOptionsRules{true, false, false, TopmostRule::DropWithNotes};

void BringForward(QWidget* w) {
    if (!w) return;
    w->raise();
    w->activateWindow();
}

bool HubOpen() { return IsOpen(WindowKind::OptionsHub) || Accessories().OptionsOpen(); }

bool MemoIndexIsOpen() { return IsOpen(WindowKind::MemoIndex) || Accessories().MemoIndexOpen(); }

// Stored bounds of a view; a saved size of nothing keeps the window's own.
void PlaceView(QWidget* view, const TLWH& bounds) {
    view->move(bounds.l, bounds.t);
    if (bounds.w > 0 && bounds.h > 0) view->resize(bounds.w, bounds.h);
}

}  // namespace

void TfrTavik::ConnectOpeners() {
    struct Button {
        QToolButton* button;
        void (TfrTavik::*handler)();
    };
    for (const Button& b :
         {Button{bt_today, &TfrTavik::bt_todayClick}, Button{bt_tuki, &TfrTavik::bt_tukiClick},
          Button{bt_nen, &TfrTavik::bt_nenClick}, Button{bttodo, &TfrTavik::bttodoClick},
          Button{bt_memo, &TfrTavik::bt_memoClick}, Button{bt_tel, &TfrTavik::bt_telClick},
          Button{bt_SysInfo, &TfrTavik::bt_SysInfoClick}, Button{bt_prun, &TfrTavik::bt_prunClick},
          Button{bt_op, &TfrTavik::bt_opClick}, Button{BitBtn1, &TfrTavik::BitBtn1Click}}) {
        auto handler = b.handler;
        connect(b.button, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
    }
    struct Item {
        const char* name;
        void (TfrTavik::*handler)();
    };
    for (const Item& item :
         {Item{"mnuTuki", &TfrTavik::bt_tukiClick}, Item{"mnuNen", &TfrTavik::bt_nenClick},
          Item{"mnuToDo", &TfrTavik::bttodoClick}, Item{"mnuMemo", &TfrTavik::bt_memoClick},
          Item{"mnuTel", &TfrTavik::bt_telClick}, Item{"mnuNiki", &TfrTavik::bt_SysInfoClick},
          Item{"mnuRun", &TfrTavik::mnuRunClick}, Item{"mnuYoteiSan", &TfrTavik::mnuYoteiSanClick},
          Item{"mnuOp", &TfrTavik::mnuOpClick}}) {
        auto handler = item.handler;
        if (auto* a = PopupMenu1->findChild<QAction*>(QString::fromLatin1(item.name)))
            connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    }
    connect(PopupMenu1, &QMenu::aboutToShow, this, [this] { PopupMenu1Popup(); });
}

void TfrTavik::RunCommand(int code) {
    switch (code) {
        case kCmdYearView:
            bt_nenClick();
            break;
        case kCmdMonthView:
            bt_tukiClick();
            break;
        case kCmdToDo:
            bttodoClick();
            break;
        case kCmdMemo:
            bt_memoClick();
            break;
        case kCmdPhoneBook:
            bt_telClick();
            break;
        case kCmdDiary:
            bt_SysInfoClick();
            break;
        case kCmdAlarm:
            tx_time2Click();
            break;
        case kCmdLauncher:
            bt_prunClick();
            break;
        case kCmdOptions:
            bt_opClick();
            break;
        case kCmdExit:
            Exit1Click();
            break;
        case kCmdOtherUsers:
            mnuYoteiSanClick();
            break;
        default:
            break;
    }
}

// ---- views -----------------------------------------------------------------------------

void TfrTavik::bt_todayClick() {
    if (!frYotei) return;
    OpenerScope scope(*this, kDayViewRules);
    // The text goes over and comes back as shown: characters CP932 cannot hold stay until the
    // day is stored, and a day not edited here keeps its bytes.
    frYotei->SetShownText(frYo3 ? frYo3->tx_yo->toPlainText() : QString());
    frYotei->SetPicture(bt_prun->icon());
    if (frYotei->tm1) frYotei->tm1->SetInterval(0);
    frYotei->exec();
    // The band comes back only for a collapsed calendar.
    if (height() >= Settings.tavik_tlwh.h) scope.StayDropped();
    scope.ReturnTopmost();
    if (frYo3) frYo3->TakeEdit(frYotei->ShownText());
    if (DayWindowVisible()) FocusDayText();
}

void TfrTavik::ShowDayAfterView() {
    cal_ref();
    if (CurDay < 1 || CurDay > 31) return;
    const YOTEI& day = MonthDays[CurDay];
    if (day.HasText == 1 && !day.Text.empty()) {
        SetDayText(day.Text);
        uint16_t ty = 0, tm = 0, td = 0;
        DecodeToday(ty, tm, td);
        if (ty == CurYear && tm == CurMonth && td == CurDay) ParseTodayEvents(day.Text);
    } else if (DayWindowVisible()) {
        FocusDayText();
    }
}

void TfrTavik::bt_tukiClick() {
    if (frTuki) {
        BringForward(frTuki);
        return;
    }
    OpenerScope scope(*this, kViewRules);
    if (!scope.Ready()) return;
    {
        auto view = std::make_unique<TfrTuki>(this);
        frTuki = view.get();
        const OpenWindowScope open(WindowKind::MonthView, view.get());
        view->ShowMonth(CurYear, CurMonth);
        const TukiTLWH& b = Settings.tuki_tlwh;
        PlaceView(view.get(), b);
        view->exec();
    }
    scope.ReturnTopmost();
    SetDayText(std::string());
    scope.RestoreDate();
    ShowDayAfterView();
}

void TfrTavik::bt_nenClick() {
    if (frNen) {
        BringForward(frNen);
        return;
    }
    OpenerScope scope(*this, kViewRules);
    if (!scope.Ready()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto view = std::make_unique<TfrNen>(this);
    frNen = view.get();
    const OpenWindowScope open(WindowKind::YearView, view.get());
    view->LoadYear(CurYear);
    view->SetYearCaption();
    PlaceView(view.get(), Settings.nen_tlwh);
    view->FormActivate();
    QApplication::restoreOverrideCursor();
    view->exec();
}

void TfrTavik::BitBtn1Click() {
    OpenerScope scope(*this, kViewRules);
    if (!scope.Ready()) return;
    // No voices while searching; the user's choice comes back afterwards.
    const uint8_t oto = Settings.oto;
    Settings.oto = 1;
    RunSearchWindow(this, LauncherPicture());
    Settings.oto = oto;
    scope.ReturnTopmost();
    SetDayText(std::string());
    scope.RestoreDate();
    ShowDayAfterView();
}

// ---- accessories and programs ----------------------------------------------------------

// The tray menu opens above a modal view; the accessory windows it opens there are usable
// until that view closes, as the list and index are windows of their own.
void TfrTavik::bttodoClick() {
    Accessories().OpenToDoList();
    platform::UsableAboveRunningModal(OpenWindow(WindowKind::ToDoList));
}

void TfrTavik::bt_memoClick() {
    const std::string& folder = Settings.memo_path;
    if (!platform::IsFolder(folder)) {
        platform::MessageDlg(U("メモを格納するフォルダ[") + platform::DiskPath(folder) +
                                 U("]が見つかりません。\r\n環境設定からメモを格納するフォルダを"
                                   "再設定してください。"),
                             platform::MsgKind::Error, {platform::kBtnOk});
        return;
    }
    if (MemoIndexIsOpen() && OpenWindow(WindowKind::MemoIndex)) {
        platform::UsableAboveRunningModal(OpenWindow(WindowKind::MemoIndex));
        BringForward(OpenWindow(WindowKind::MemoIndex));
        return;
    }
    Accessories().OpenMemoIndex();
    platform::UsableAboveRunningModal(OpenWindow(WindowKind::MemoIndex));
}

void TfrTavik::bt_telClick() {
    const QString program = platform::ProgramInFolderOrPath(platform::DiskPath(AppDir),
                                                            QString::fromLatin1(kPhoneBook));
    if (!program.isEmpty()) platform::StartDesktopProgram(program, {});
}

void TfrTavik::bt_SysInfoClick() { OpenDiary(CurYear, CurMonth, CurDay); }

void TfrTavik::mnuYoteiSanClick() { ViewOtherUser(this); }

void TfrTavik::bt_prunClick() {
    if (IsOpen(WindowKind::Launcher)) {
        BringForward(OpenWindow(WindowKind::Launcher));
        return;
    }
    OpenerScope scope(*this, kButtonRules);
    Accessories().OpenLauncher(this, frameGeometry().topLeft());
}

void TfrTavik::mnuRunClick() {
    if (IsOpen(WindowKind::Launcher)) {
        BringForward(OpenWindow(WindowKind::Launcher));
        return;
    }
    OpenerScope scope(*this, kTrayRules);
    Accessories().OpenLauncher(this, QCursor::pos());
}

QPixmap TfrTavik::LauncherPicture() const {
    QPixmap picture = pic->pixmap();
    if (picture.isNull()) picture = bt_prun->icon().pixmap(bt_prun->iconSize());
    return picture;
}

void TfrTavik::ApplyOptionsPictures(const QIcon& hubIcon, const QPixmap& hubPicture) {
    // Loaded again even when the file name stayed: the file itself may have changed.
    if (platform::FileExists(Settings.ico_path)) {
        iconPath_.clear();
        LoadUserIcon();
    } else if (!hubIcon.isNull()) {
        iconPath_.clear();
        setWindowIcon(hubIcon);
        qApp->setWindowIcon(hubIcon);
        if (!firstResize_) ShowTrayIcon();
    }
    if (platform::FileExists(Settings.bmp_path)) {
        picturePath_.clear();
        LoadLauncherPicture();
    } else if (!hubPicture.isNull()) {
        picturePath_.clear();
        bt_prun->setIcon(QIcon(hubPicture));
        pic->setPixmap(hubPicture);
    }
}

void TfrTavik::bt_opClick() {
    if (HubOpen()) {
        BringForward(OpenWindow(WindowKind::OptionsHub));
        return;
    }
    OpenerScope scope(*this, kOptionsRules);
    if (!scope.Ready()) return;
    const std::string memoPath = Settings.memo_path;
    const char hotKey = Settings.HOTKEY;
    const AccessoryWindows::OptionsResult result =
        Accessories().OpenOptions(this, frameGeometry().topLeft(), LauncherPicture());
    if (result.settingsChanged) ApplyOptionsPictures(result.icon, result.picture);
    ShowMonth(CurYear, CurMonth, CurDay);
    if (DayWindowVisible()) FocusDayText();
    // Folder names on disk are told apart by case.
    if (Settings.memo_path != memoPath && MemoIndexIsOpen()) {
        platform::ShowMessage(
            QString::fromUtf8("メモの格納先フォルダ名が変更されたので、メモ目次を閉じます。"));
        Accessories().CloseMemoIndex();
    }
    if (Settings.HOTKEY != hotKey && !RegisterHotKey(true)) {
        // The letter that could not be set is not kept: the old key stays the program's.
        Settings.HOTKEY = hotKey;
        if (hotKey_) hotKey_->Register(HotKeyId, hotKey);
    }
    scope.ReturnTopmost();
    cal_ref();
}

void TfrTavik::mnuOpClick() {
    if (HubOpen()) {
        BringForward(OpenWindow(WindowKind::OptionsHub));
        return;
    }
    OpenerScope scope(*this, kTrayRules);
    const AccessoryWindows::OptionsResult result =
        Accessories().OpenOptions(this, QCursor::pos(), LauncherPicture());
    if (result.settingsChanged) ApplyOptionsPictures(result.icon, result.picture);
}

// ---- tray menu and exit ----------------------------------------------------------------

void TfrTavik::PopupMenu1Popup() {
    auto set = [this](const char* name, bool enabled) {
        if (auto* a = PopupMenu1->findChild<QAction*>(QString::fromLatin1(name)))
            a->setEnabled(enabled);
    };
    const char* const hubLocked[] = {"mnuToDo", "mnuMemo", "mnuNiki",
                                     "mnuAl",   "mnuRun",  "mnuYoteiSan"};
    if (HubOpen()) {
        for (const char* name : hubLocked) set(name, false);
        for (const char* name : {"mnuNen", "mnuTuki", "mnuOp", "Exit1"}) set(name, false);
        return;
    }
    for (const char* name : hubLocked) set(name, true);
    const bool yearOpen = IsOpen(WindowKind::YearView);
    const bool monthOpen = IsOpen(WindowKind::MonthView);
    set("mnuNen", !monthOpen);
    set("mnuTuki", !yearOpen);
    const bool busy = yearOpen || monthOpen || MemoIndexIsOpen() || IsOpen(WindowKind::Launcher) ||
                      IsOpen(WindowKind::ToDoList);
    set("mnuOp", !busy);
    set("Exit1", !busy);
}

void TfrTavik::CloseViewsThen(std::function<void()> then) {
    const bool yearOpen = IsOpen(WindowKind::YearView);
    const bool monthOpen = IsOpen(WindowKind::MonthView);
    if (!yearOpen && !monthOpen) {
        then();
        return;
    }
    // A view that could not save and was kept by the user stops the exit.
    if (frNen && frNen->isVisible()) {
        frNen->close();
        if (frNen && frNen->isVisible()) return;
    }
    if (frTuki && frTuki->isVisible()) {
        frTuki->close();
        if (frTuki && frTuki->isVisible()) return;
    }
    // Their openers give the date back once their windows have returned: look again when the
    // view is gone and its opener has finished.
    QObject* view = frNen ? static_cast<QObject*>(frNen) : frTuki;
    if (!view) {
        then();
        return;
    }
    connect(
        view, &QObject::destroyed, this, [this, then] { CloseViewsThen(then); },
        Qt::QueuedConnection);
}

}  // namespace schedule
