#include "open_memo_table.h"

namespace accessories {

FUSEN_BK_KATA OpenMemoTable[kMemoSlots];

namespace {
bool ValidSlot(int slot) { return slot >= 0 && slot < kMemoSlots; }
}  // namespace

bool MemoSlotInUse(int slot) {
    if (!ValidSlot(slot)) return false;
    const FUSEN_BK_KATA& s = OpenMemoTable[slot];
    if (s.FileName.empty()) return false;
    // A note destroyed without freeing its slot (a crash of its close path) leaves no ghost.
    return !(s.HasWnd && s.Wnd.isNull());
}

void SetMemoSlotWindow(int slot, QWidget* window) {
    if (!ValidSlot(slot)) return;
    OpenMemoTable[slot].Wnd = window;
    OpenMemoTable[slot].HasWnd = window != nullptr;
}

void FreeMemoSlot(int slot) {
    if (!ValidSlot(slot)) return;
    FUSEN_BK_KATA& s = OpenMemoTable[slot];
    s.FileName.clear();
    s.Link.clear();
    s.Wnd = nullptr;
    s.HasWnd = false;
    s.TopMost = 0;
    s.IsBitmap = 0;
}

int FindOpenMemo(const std::string& fileName) {
    if (fileName.empty()) return -1;
    for (int i = 0; i < kMemoSlots; ++i) {
        if (MemoSlotInUse(i) && OpenMemoTable[i].FileName == fileName) return i;
    }
    return -1;
}

bool BringOpenMemoToFront(const std::string& fileName) {
    const int slot = FindOpenMemo(fileName);
    if (slot < 0) return false;
    if (QWidget* w = OpenMemoTable[slot].Wnd) {
        w->raise();
        w->activateWindow();
    }
    return true;
}

int FindFreeMemoSlot() {
    for (int i = 0; i < kMemoSlots; ++i) {
        if (!MemoSlotInUse(i)) return i;
    }
    return -1;
}

void ClearOpenMemoTable() {
    for (int i = 0; i < kMemoSlots; ++i) FreeMemoSlot(i);
}

}  // namespace accessories
