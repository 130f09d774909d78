// Texts the memo editor inserts and the search it runs, apart from the widget.
#pragma once

#include <QString>

#include "clock.h"

namespace accessories {

// Today as the long date with the short weekday: "2004年5月3日(月)".
QString MemoDateText(const platform::LocalDateTime& t);
// The time on the 12-hour clock: "AM 12:05", "PM 01:05".
QString MemoTimeText(const platform::LocalDateTime& t);

// Where the next search of what starts: the caret, or one character further when the caret
// still stands where the last search left it.
int MemoSearchStart(int caret, int lastFoundPos, bool searched);
// First position at or after from where text continues with what, counting characters, so a
// match never begins inside a double-byte character; -1 when there is none.
int FindMemoText(const QString& text, const QString& what, int from);

}  // namespace accessories
