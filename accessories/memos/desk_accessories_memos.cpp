#include "desk_accessories.h"

void DeskAccessories::OpenMemoIndex() {}

bool DeskAccessories::MemoIndexOpen() const { return false; }

void DeskAccessories::CloseMemoIndex() {}

void DeskAccessories::RestoreOpenMemos() {}

void DeskAccessories::SaveOpenMemos() {}

void DeskAccessories::TopmostNotes(intptr_t, intptr_t) {}

void DeskAccessories::NewMemo(intptr_t, intptr_t) {}
