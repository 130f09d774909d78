// The rules of the settings dialog that need no widget: list positions of stored values, the
// checks of typed numbers and where the dialog stands on the screen.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>
#include <optional>

namespace accessories {

// Item of a list of count items for a stored value; a value outside the list selects the
// first item.
int ListIndex(int stored, int count);
// Item of the notice auto-close list ("0", "5" ... "60" seconds) for milliseconds.
int NoticeTimeIndex(int32_t milliseconds);
// A whole number as typed (blanks around it, an optional sign); nothing when it is none.
std::optional<int> WholeNumber(const QString& text);
// Minutes of advance notice: the absolute value; above 59 becomes 15.
uint8_t NoticeMinutes(int typed);
// Days of the to-do alert: the absolute value, at most 255.
uint8_t ToDoAlertDays(int typed);
// Half-width A to Z (after upper-casing): the hot-key letter; anything else: 0.
char HotKeyLetter(QChar typed);
// Where the client area goes so that the whole window, its frame included, is centred on the
// screen: screen span / 2 - window span / 2, truncated.
QPoint CentredClientPos(const QRect& screen, const QSize& client, const QMargins& frame);

}  // namespace accessories
