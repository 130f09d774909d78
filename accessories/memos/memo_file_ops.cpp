#include "memo_file_ops.h"

#include "cp932.h"
#include "file_io.h"
#include "memo_names.h"
#include "message_box.h"
#include "open_memo_table.h"
#include "paths.h"
#include "trash.h"

namespace accessories {

namespace {

bool Exists(const std::string& path) {
    return platform::FileExists(path) || platform::IsFolder(path);
}

void Tell(const std::string& cp932Text) { platform::ShowMessage(platform::DiskPath(cp932Text)); }

void CloseSlot(int slot) {
    if (QWidget* w = OpenMemoTable[slot].Wnd) {
        w->close();
    } else {
        FreeMemoSlot(slot);
    }
}

int MoveMemo(const std::string& path, const std::string& targetFolder) {
    const std::string name = FileNameOf(path);
    const std::string companion = ExistingCompanionFile(path);
    const std::string companionTarget =
        companion.empty() ? std::string() : targetFolder + FileNameOf(companion);
    if (Exists(targetFolder + name) || (!companion.empty() && Exists(companionTarget))) {
        Tell(Sj("移動先に同名のメモが存在するため移動できません。"));
        return 1;
    }
    if (name == "." || name == ".." || !platform::FileExists(path)) return 1;
    const std::string failed = Sj("ﾒﾓ[") + name + Sj("]を移動できませんでした。");
    if (!platform::RenameNoReplace(path, targetFolder + name)) {
        Tell(failed);
        return 1;
    }
    if (!companion.empty() && !platform::RenameNoReplace(companion, companionTarget)) {
        // Memo and settings stay together: the memo goes back.
        platform::RenameNoReplace(targetFolder + name, path);
        Tell(failed);
        return 1;
    }
    const int slot = FindOpenMemo(path);
    if (slot >= 0) OpenMemoTable[slot].FileName = targetFolder + name;
    return 0;
}

int DeleteMemo(const std::string& path) {
    CloseOpenMemo(path);
    const std::string name = FileNameOf(path);
    if (name == "." || name == ".." || !platform::FileExists(path)) return 1;
    if (!platform::MoveToTrash(path)) {
        Tell(Sj("ﾒﾓ[") + name + Sj("]をごみ箱へ移動できませんでした。"));
        return 1;
    }
    const std::string companion = ExistingCompanionFile(path);
    if (!companion.empty() && !platform::MoveToTrash(companion)) {
        Tell(Sj("ﾒﾓ[") + FileNameOf(companion) + Sj("]をごみ箱へ移動できませんでした。"));
        return 1;
    }
    return 0;
}

}  // namespace

int MoveOrDeleteMemo(const std::string& path, const std::string& targetFolder) {
    return targetFolder.empty() ? DeleteMemo(path) : MoveMemo(path, targetFolder);
}

void CloseOpenMemo(const std::string& path) {
    for (int i = 0; i < kMemoSlots; ++i) {
        if (MemoSlotInUse(i) && OpenMemoTable[i].FileName == path) CloseSlot(i);
    }
}

void CloseOpenMemosUnder(const std::string& folder) {
    if (folder.empty()) return;
    for (int i = 0; i < kMemoSlots; ++i) {
        if (MemoSlotInUse(i) && OpenMemoTable[i].FileName.compare(0, folder.size(), folder) == 0) {
            CloseSlot(i);
        }
    }
}

void RetargetOpenMemos(const std::string& oldFolder, const std::string& newFolder) {
    for (int i = 0; i < kMemoSlots; ++i) {
        if (!MemoSlotInUse(i)) continue;
        std::string& file = OpenMemoTable[i].FileName;
        if (FolderPartOf(file) == oldFolder) file = newFolder + FileNameOf(file);
    }
}

}  // namespace accessories
