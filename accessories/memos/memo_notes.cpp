#include "memo_notes.h"

#include <QCoreApplication>

#include "cp932.h"
#include "file_io.h"
#include "fusen_window.h"
#include "globals.h"
#include "image_editor.h"
#include "memo_editor_call.h"
#include "memo_names.h"
#include "memo_title_dialog.h"
#include "message_box.h"
#include "modal_windows.h"
#include "open_memo_list.h"
#include "open_memo_table.h"
#include "paths.h"
#include "unreadable_files.h"

using namespace foundation;

namespace accessories {

namespace {

// Asks title and category; the new memo's path, or "" when cancelled or the name is taken.
std::string AskNewMemoPath(QWidget* owner, const char* extension) {
    TfrMemoTiInp dialog(owner);
    if (!RunMemoTitleDialog(dialog)) return {};
    const std::string name = TitleToFileName(dialog.Title());
    const std::string path =
        MemoCategoryFolder(Settings.memo_path, dialog.Category()) + name + extension;
    if (platform::FileExists(path) || platform::IsFolder(path)) {
        platform::ShowMessage(U("ﾌｧｲﾙ[") + platform::DiskPath(name + extension) +
                              U("]は既に存在するので新規作成できません。"));
        return {};
    }
    return path;
}

}  // namespace

TfrFusen* OpenFusen(const std::string& path, bool isBitmap, bool mustExist, QPoint topLeft,
                    bool newMemo) {
    const bool exists = platform::FileExists(path);
    if (mustExist && !exists) return nullptr;
    if (BringOpenMemoToFront(path)) return nullptr;
    const int slot = FindFreeMemoSlot();
    if (slot < 0) {
        platform::ShowMessage(U("これ以上メモを開けません。"));
        return nullptr;
    }
    std::string text;
    if (isBitmap) {
        if (exists) text = path;
    } else if (exists && !platform::ReadWholeFile(path, text)) {
        platform::ShowMessage(U("ﾒﾓ[") + platform::DiskPath(FileNameOf(path)) +
                              U("]を読み込めません。"));
        return nullptr;
    }

    auto* note = new TfrFusen;
    note->IsBitmap = isBitmap ? 1 : 0;
    note->move(topLeft);
    note->setToolTip(U("ﾒﾓ [") + platform::DiskPath(FileNameOf(path)) + U("]"));
    // Notes sit on the desktop among other programs' windows: the hint shows while they are
    // not the active window too.
    note->setAttribute(Qt::WA_AlwaysShowToolTips);
    note->SetTag(slot);
    FreeMemoSlot(slot);
    OpenMemoTable[slot].FileName = path;
    OpenMemoTable[slot].IsBitmap = isBitmap ? 1 : 0;
    SetMemoSlotWindow(slot, note);
    note->SetText(text);
    note->LoadFusenIni();
    if (newMemo) {
        note->BackColor = Settings.memo_color;
        note->NoteFont = Settings.MemoFont;
    }
    note->show();
    ForgetUnopenedMemo(path);
    // Opened from an index that the tray menu brought up above a modal view.
    platform::UsableAboveRunningModal(note);
    return note;
}

std::string NewTextMemo(QWidget* owner, QPoint noteTopLeft) {
    const std::string path = AskNewMemoPath(owner, ".txt");
    if (path.empty()) return {};
    std::string text;
    if (!EditMemoFile(owner, path, text)) return {};
    OpenFusen(path, false, false, noteTopLeft, true);
    return path;
}

std::string BlankBitmapPath() { return platform::JoinPath(AppDir, "shiro.bmp"); }

std::string NewBitmapMemo(QWidget* owner, std::function<QPoint()> noteTopLeft,
                          std::function<void()> done) {
    const std::string path = AskNewMemoPath(owner, ".bmp");
    if (path.empty()) return {};
    Settings.now_memo_fname = path;
    if (!platform::CopyFileAtomic(BlankBitmapPath(), path)) {
        platform::ShowMessage(U("白紙の画像[") + platform::DiskPath(BlankBitmapPath()) +
                              U("]をコピーできませんでした。"));
        return {};
    }
    // The program goes on while the editor runs; the memo index may close meanwhile.
    const bool started =
        platform::EditImage(platform::DiskPath(path), nullptr, [path, noteTopLeft, done] {
            OpenFusen(path, true, false, noteTopLeft ? noteTopLeft() : QPoint(), true);
            if (done) done();
        });
    return started ? path : std::string();
}

void ForEachNote(const std::function<void(TfrFusen&)>& visit) {
    for (int i = 0; i < kMemoSlots; ++i) {
        if (!MemoSlotInUse(i)) continue;
        if (auto* note = qobject_cast<TfrFusen*>(OpenMemoTable[i].Wnd.data())) visit(*note);
    }
}

bool SaveOpenNoteList() {
    // The old list stays whole when it cannot be written.
    const std::string path = OpenMemoListPath();
    return store::SaveOrAskToRetry(
        path, [&] { return WriteOpenMemoList(path); },
        U("付箋ﾒﾓの一覧[") + platform::DiskPath(path) +
            U("]に書き込めませんでした。\r\n再試行しますか？ "
              "キャンセルすると、今開いている付箋ﾒﾓは次の起動で開きません。"));
}

void SaveNotesForSession() {
    ForEachNote([](TfrFusen& note) { note.WriteLookNow(); });
    SaveOpenNoteList();
}

}  // namespace accessories
