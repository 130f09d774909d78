#include "options_hub.h"

#include <QApplication>
#include <QFont>
#include <QPushButton>
#include <QStyle>

#include "about_box.h"
#include "cp932.h"
#include "file_io.h"
#include "globals.h"
#include "help.h"
#include "holiday_editing.h"
#include "jump_dialog.h"
#include "launcher_setup.h"
#include "message_box.h"
#include "paths.h"
#include "schedule_store.h"
#include "settings_dialog.h"
#include "system_info.h"
#include "title_bar.h"

using namespace foundation;
using namespace schedule;

namespace accessories {

TfrOp* frOp = nullptr;

namespace {

QPushButton* HubButton(QWidget* parent, const char* name, const char* caption, int top) {
    auto* b = new QPushButton(U(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(8, top, 129, 25);
    return b;
}

}  // namespace

TfrOp::TfrOp(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frOp"));
    setWindowTitle(U("環境設定"));
    setFont(QFont(U("ＭＳ Ｐゴシック"), 9));
    resize(145, 206);
    platform::SetTitleBar(this, platform::TitleBar::Dialog, true);

    Button1 = HubButton(this, "Button1", "バージョン情報", 8);
    Button2 = HubButton(this, "Button2", "環境設定", 36);
    Button3 = HubButton(this, "Button3", "プログラム登録", 64);
    Button4 = HubButton(this, "Button4", "ユーザー休日の設定", 92);
    Button5 = HubButton(this, "Button5", "記念日の設定", 120);
    Button6 = HubButton(this, "Button6", "システム情報", 148);
    BitBtn1 = HubButton(this, "BitBtn1", "ヘルプ(&H)", 176);
    BitBtn1->setIcon(QApplication::style()->standardIcon(QStyle::SP_DialogHelpButton));

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    connect(Button6, &QPushButton::clicked, this, [this] { Button6Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
}

TfrOp::~TfrOp() {
    if (frOp == this) frOp = nullptr;
}

void TfrOp::Button1Click() {
    {
        TfrVer about(this);
        frVer = &about;
        about.pic1->setIcon(QIcon(pic1));
        about.exec();
        frVer = nullptr;
    }
    close();
}

void TfrOp::Button2Click() {
    {
        TfrSet settings(this);
        frSet = &settings;
        settings.exec();
        SettingsChanged = 1;
        if (Settings.ico_path.empty()) pic2 = settings.pic_ico;
        if (Settings.bmp_path.empty()) pic1 = settings.pic_bmp;
        frSet = nullptr;
    }
    close();
}

void TfrOp::Button3Click() {
    {
        TfrSetPrg setup(this);
        frSetPrg = &setup;
        setup.exec();
        frSetPrg = nullptr;
    }
    close();
}

bool TfrOp::EnsureListFile(const std::string& path) {
    if (platform::FileExists(path)) return true;
    if (!platform::IsFolder(Settings.memo_path)) {
        platform::MessageDlg(U("メモを格納するフォルダ[") + platform::DiskPath(Settings.memo_path) +
                                 U("]が見つかりません。") + QLatin1Char('\n') +
                                 U("環境設定からメモを格納するフォルダを再設定してください。"),
                             platform::MsgKind::Error, {platform::kBtnOk});
        return false;
    }
    // Only a file that is not there is created; an existing one is never emptied.
    if (!platform::WriteFileAtomic(path, "")) {
        platform::MessageDlg(U("ファイル[") + platform::DiskPath(path) + U("]を作成できません。"),
                             platform::MsgKind::Error, {platform::kBtnOk});
        return false;
    }
    return true;
}

void TfrOp::EditList(const std::string& path, int mode, int year) {
    if (!EnsureListFile(path)) return;
    if (EditHolidayList(this, path, static_cast<uint8_t>(mode), static_cast<uint16_t>(year)))
        ListsChanged = true;
}

void TfrOp::Button4Click() {
    {
        TfrJp ask(this);
        ask.PlaceAt(this);
        ask.SetYearOnly();
        if (ask.exec() == TfrJp::kResultOk) {
            int year = 0, month = 0;
            if (!ParseJumpTarget(ask.cb_yy->currentText(), QStringLiteral("1"), year, month)) {
                platform::MessageDlg(U("年の指定が正しくありません。"), platform::MsgKind::Error,
                                     {platform::kBtnOk});
            } else {
                EditList(UserHolidayFileName(Settings.memo_path, year), 0, year);
            }
        }
    }
    close();
}

void TfrOp::Button5Click() {
    EditList(AnniversaryFileName(Settings.memo_path), 1, CurYear);
    close();
}

void TfrOp::BitBtn1Click() {
    OpenHelp();
    close();
}

void TfrOp::Button6Click() {
    {
        TfrSysinfo info(this);
        frSysinfo = &info;
        info.move(pos());
        info.exec();
        frSysinfo = nullptr;
    }
    close();
}

}  // namespace accessories
