// The sticky notes on the desktop: 31 slots, numbered 0 to 30. A slot is in use while its file
// name is set and its note window (once it has one) still exists.
#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <string>

namespace accessories {

struct FUSEN_BK_KATA {
    QPointer<QWidget> Wnd;  // the note; null before the note is made or after it went
    bool HasWnd = false;    // a window was recorded (so a null Wnd means it is gone)
    uint8_t IsBitmap = 0;
    std::string FileName;  // full path; empty = free
    uint8_t TopMost = 0;
    std::string Link;
};

constexpr int kMemoSlots = 31;
extern FUSEN_BK_KATA OpenMemoTable[kMemoSlots];

// True while the slot holds a note: a file name, and a window unless none was recorded yet.
bool MemoSlotInUse(int slot);
// Records the note window of a slot.
void SetMemoSlotWindow(int slot, QWidget* window);
// Frees a slot.
void FreeMemoSlot(int slot);

// Raises (and activates) the note of exactly this path; false when none shows it.
bool BringOpenMemoToFront(const std::string& fileName);
// Slot of the note that shows exactly this path, or -1.
int FindOpenMemo(const std::string& fileName);
// Lowest free slot, or -1 when all 31 are in use.
int FindFreeMemoSlot();
// Empties every slot (start-up, before the notes of the last run come back).
void ClearOpenMemoTable();

}  // namespace accessories
