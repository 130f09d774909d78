// The companion settings file of a sticky note ("<memo>.Ini"): place, size, colour, link,
// always-on-top and font.
#pragma once

#include <QRect>
#include <cstdint>
#include <string>
#include <vector>

#include "settings_record.h"

namespace accessories {

struct FusenLook {
    int top = 0;
    int left = 0;
    int width = 315;
    int height = 124;
    uint32_t backColor = 65535;
    std::string link;
    bool temae = false;  // always on top
    foundation::StoredFont font;
    // False where the platform cannot tell the note's place: top and left are not written.
    bool placeKnown = true;
    // Set by the reader: whether the companion file holds a place (T and L) of its own.
    bool placeStored = false;
};

constexpr int kFusenMinWidth = 25;
constexpr int kFusenMinHeight = 20;

// Reads the companion file of memoPath over current: keys that are missing keep current's
// place and font and give the defaults of a note (315 x 124, yellow, no link, not on top). Of
// the font styles only the first that holds is used (bold + italic, bold, italic, underline,
// strike-out). A size outside 1-1638 keeps current's. Nothing changes when the path has no
// companion name. A file that is there but cannot be read gives the defaults; the user is told
// once and it is remembered (store::IsUnreadable).
FusenLook LoadFusenIni(const std::string& memoPath, const FusenLook& current);

// Writes every key of look to the companion file of memoPath, keeping whatever else it holds.
// False when the path has no companion name, or the file is there but cannot be read (it is
// then left as it is), or it could not be written.
bool SaveFusenIni(const std::string& memoPath, const FusenLook& look);

// A left or top outside the desktop, or within 50 pixels of its far edge, goes to the desktop's
// edge; the size is kept between the note's minimum and the desktop's size.
void ClampNoteToDesktop(FusenLook& look, const QRect& desktop);

// Where a note without a place of its own opens: at `proposed` (the memo index's top-left,
// with the note's size) where that lies wholly on `screen` and covers none of `keepClear` (the
// main window and the day window, frames included); else beside or below one of those, else
// at `proposed` moved onto the screen.
QPoint NewNotePlace(const QRect& proposed, const QRect& screen,
                    const std::vector<QRect>& keepClear);

}  // namespace accessories
