// The main window's tray icon, tray menu, hot key and the way back from the tray.
#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QResizeEvent>
#include <QStyle>
#include <QTimer>
#include <QWindowStateChangeEvent>

#include "day_window.h"
#include "exit_gate.h"
#include "file_io.h"
#include "globals.h"
#include "hot_key_notice.h"
#include "hotkey.h"
#include "main_window.h"
#include "message_box.h"
#include "messages.h"
#include "open_windows.h"
#include "paths.h"
#include "program_icon.h"
#include "sound.h"
#include "start_notice.h"
#include "tray.h"

using namespace foundation;

namespace schedule {

namespace {

const char* const kTrayTip = "ダブルクリックで復元、マウス右ボタンでメニュー表示。";

void PlayFixedSound(const char* name) {
    if (Settings.oto != 1) platform::PlaySoundAsync(ShippedFile(name));
}

}  // namespace

void TfrTavik::BuildTrayMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    struct Item {
        const char* name;  // nullptr: separator
        const char* caption;
    };
    static const Item items[] = {
        {"mnuTuki", "月間予定表(&M)"},
        {"mnuNen", "年間予定表(&Y)"},
        {"mnuToDo", "ToDo(&T)"},
        {"mnuMemo", "メモ(&N)"},
        {"mnuTel", "電話帳(&D)"},
        {"mnuNiki", "日記(&N)"},
        {nullptr, nullptr},
        {"mnuAl", "アラーム設定(&A)"},
        {nullptr, nullptr},
        {"mnuRun", "プログラムランチャ(&P)"},
        {nullptr, nullptr},
        {"mnuYoteiSan", "予定参照(&S)"},
        {nullptr, nullptr},
        {"mnuOp", "環境設定(&O)"},
        {nullptr, nullptr},
        {"Exit1", "Kolvaneの終了(&X)"},
    };
    for (const Item& item : items) {
        if (!item.name) {
            PopupMenu1->addSeparator();
            continue;
        }
        QAction* a = PopupMenu1->addAction(QString::fromUtf8(item.caption));
        a->setObjectName(QString::fromLatin1(item.name));
    }
    // The views behind the other items come with their windows.
    connect(PopupMenu1->findChild<QAction*>(QStringLiteral("mnuAl")), &QAction::triggered, this,
            [this] { tx_time2Click(); });
    connect(PopupMenu1->findChild<QAction*>(QStringLiteral("Exit1")), &QAction::triggered, this,
            [this] { Exit1Click(); });
    platform::TrayIcon().SetMouseHandler([this](int code) { Send(WM_TRAY_NOTIFY, 0, code); });
    // Given to the icon, so that trays over D-Bus list it too; it is enabled as it opens.
    platform::TrayIcon().SetMenu(PopupMenu1);
}

void TfrTavik::TrayNotify(int mouseCode) {
    switch (mouseCode) {
        case WM_LBUTTONDOWN_CODE:
            // Many trays never report a double click, so a click on a hidden window restores it.
            if (!isVisible()) {
                clickRestored_.start();
                RestoreMainWindow();
            } else {
                raise();
                activateWindow();
            }
            break;
        case WM_LBUTTONDBLCLK_CODE:
            // A double click arrives after the click of its first press.
            if (clickRestored_.isValid() &&
                clickRestored_.elapsed() <= QApplication::doubleClickInterval()) {
                clickRestored_.invalidate();
                break;
            }
            RestoreMainWindow();
            break;
        case WM_RBUTTONDOWN_CODE:
            PopupMenu1->popup(QCursor::pos());
            break;
        default:
            break;
    }
}

void TfrTavik::RestoreMainWindow() {
    // A view in front of the program takes the user's attention first.
    for (WindowKind kind : {WindowKind::OptionsHub, WindowKind::JumpDialog, WindowKind::YearView,
                            WindowKind::MonthView}) {
        if (!IsOpen(kind)) continue;
        if (QWidget* w = OpenWindow(kind)) {
            w->raise();
            w->activateWindow();
        }
        return;
    }
    if (frYotei && frYotei->isVisible()) {
        frYotei->raise();
        frYotei->activateWindow();
        return;
    }
    showNormal();
    raise();
    activateWindow();
    if (Settings.rendo == 0 && height() == MainFullHeight && frYo3) frYo3->show();
    PlayFixedSound("goyo.wav");
}

void TfrTavik::ActivateForSecondStart() {
    raise();
    activateWindow();
    if (!isVisible()) Send(WM_TRAY_NOTIFY, 0, WM_LBUTTONDBLCLK_CODE);
}

bool TfrTavik::HideToTray() {
    // Without a notification area a hidden window could never be brought back.
    if (!platform::TrayIcon().IsAvailable()) return false;
    clickRestored_.invalidate();
    PlayFixedSound("oyobi.wav");
    hide();
    if (Settings.rendo == 0 && frYo3) frYo3->hide();
    return true;
}

bool TfrTavik::RegisterHotKey(bool userAsked) {
    if (!hotKey_) {
        hotKey_ = new platform::GlobalHotKey(this);
        hotKey_->SetDescription(QString::fromUtf8("Kolvaneを前面に表示"));
        connect(hotKey_, &platform::GlobalHotKey::activated, this, [this](int id) {
            if (id != HotKeyId) return;
            activateWindow();
            RestoreMainWindow();
        });
        // The desktop's portal answers later, or not at all where it has none.
        connect(hotKey_, &platform::GlobalHotKey::answered, this, [this](bool set) {
            if (!set) TellNoHotKey();
        });
    }
    hotKeyAsked_ = userAsked;
    if (hotKey_->Register(HotKeyId, Settings.HOTKEY)) return true;
    platform::ShowMessage(QString::fromUtf8("ﾎｯﾄｷｰの設定に失敗しました。"));
    return false;
}

void TfrTavik::TellNoHotKey() {
    const std::string told = platform::JoinPath(BaseDir, kNoHotKeyToldFile);
    const QString text = NoHotKeyNotice(Settings.HOTKEY, platform::FileExists(told), hotKeyAsked_);
    if (text.isEmpty()) return;
    // Noted before the box is shown: a session that ends meanwhile must not tell it again.
    platform::WriteFileAtomic(told, "1\r\n");
    platform::MessageDlg(text, platform::MsgKind::Information, {platform::kBtnOk});
}

void TfrTavik::Exit1Click() {
    // Open year and month views close first, each saving its own work.
    CloseViewsThen([this] { exitGate_->Request([this] { close(); }, false); });
}

void TfrTavik::RemoveTrayIcon() { platform::TrayIcon().Hide(); }

void TfrTavik::FirstResize() {
    PlayFixedSound("oyobi.wav");
    ShowTrayIcon();
    if (Settings.aikon == 1 && platform::TrayIcon().IsAvailable()) {
        // Started into the tray; hidden after the show has finished.
        QTimer::singleShot(0, this, [this] {
            hide();
            if (Settings.rendo == 0 && frYo3) frYo3->hide();
        });
    }
}

void TfrTavik::ShowTrayIcon() {
    QIcon icon = windowIcon();
    if (icon.isNull()) icon = qApp->windowIcon();
    if (icon.isNull()) icon = platform::OwnIcon();
    // Not without any icon, even when the program's icon files are missing.
    if (icon.isNull()) icon = style()->standardIcon(QStyle::SP_ComputerIcon);
    platform::TrayIcon().Show(icon, QString::fromUtf8(kTrayTip));
}

void TfrTavik::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (firstResize_) {
        firstResize_ = false;
        FirstResize();
        return;
    }
    if (isMinimized() || Settings.oto == 1) return;
    if (skipRestoreSound_) {
        skipRestoreSound_ = false;
        return;
    }
    platform::PlaySoundAsync(ShippedFile("goyo.wav"));
}

void TfrTavik::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isMinimized()) return;
    // Behind one of its modal windows the main window takes no input and cannot be minimised;
    // a window manager that iconifies a dialog together with its owner minimises it anyway.
    if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && modal != this) {
        QTimer::singleShot(0, this,
                           [this] { setWindowState(windowState() & ~Qt::WindowMinimized); });
        return;
    }
    if (!platform::TrayIcon().IsAvailable()) return;
    // Hidden instead of minimised; the state change is finished before the window goes.
    QTimer::singleShot(0, this, [this] {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        HideToTray();
    });
}

}  // namespace schedule
