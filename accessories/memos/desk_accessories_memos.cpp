#include <QCoreApplication>
#include <QGuiApplication>

#include "desk_accessories.h"
#include "fusen_window.h"
#include "globals.h"
#include "memo_index.h"
#include "memo_notes.h"
#include "messages.h"
#include "open_memo_list.h"
#include "open_memo_table.h"
#include "paths.h"

using namespace foundation;
using namespace schedule;

namespace accessories {

namespace {

// The session may still go on after a save request: the notes write their files and keep
// working. At the real end every note writes its companion file once and goes.
void WatchSession() {
    static bool watching = false;
    if (watching || !qApp) return;
    watching = true;
    if (auto* gui = qobject_cast<QGuiApplication*>(qApp)) {
        QObject::connect(gui, &QGuiApplication::commitDataRequest, gui,
                         [](QSessionManager&) { SaveNotesForSession(); });
    }
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp,
                     [] { ForEachNote([](TfrFusen& note) { delete &note; }); });
}

}  // namespace

void DeskAccessories::OpenMemoIndex() {
    if (frMokuzi) {
        frMokuzi->show();
        frMokuzi->raise();
        frMokuzi->activateWindow();
        return;
    }
    auto* index = new TfrMokuzi;
    index->PlaceFromSettings();
    index->show();
}

bool DeskAccessories::MemoIndexOpen() const { return frMokuzi != nullptr; }

void DeskAccessories::CloseMemoIndex() {
    if (frMokuzi) frMokuzi->close();
}

void DeskAccessories::ClearOpenMemoTable() { accessories::ClearOpenMemoTable(); }

void DeskAccessories::RestoreOpenMemos() {
    WatchSession();
    // Notes without a companion file appear where the memo index was last.
    const QPoint topLeft(Settings.mokuzi_tlwh.l, Settings.mokuzi_tlwh.t);
    RestoreOpenMemoList(OpenMemoListPath(), Settings.memo_path, [&](const ListedMemo& memo) {
        // A second entry for a note already open counts as open.
        return OpenFusen(memo.path, memo.isBitmap, true, topLeft) != nullptr ||
               FindOpenMemo(memo.path) >= 0;
    });
}

bool DeskAccessories::SaveOpenMemos() { return SaveOpenNoteList(); }

void DeskAccessories::TopmostNotes(intptr_t, intptr_t) {
    ForEachNote([](TfrFusen& note) { note.ReassertTopMost(); });
}

void DeskAccessories::NewMemo(intptr_t, intptr_t lParam) {
    // The main window's own way to the index, with its check of the memo folder.
    SendToMain(WM_MAIN_COMMAND, kCmdMemo, 0);
    if (!frMokuzi && platform::IsFolder(Settings.memo_path)) OpenMemoIndex();
    if (!frMokuzi) return;
    if (lParam == 1)
        frMokuzi->mnuMkTxtClick();
    else if (lParam == 2)
        frMokuzi->mnuMkBmpClick();
}

}  // namespace accessories
