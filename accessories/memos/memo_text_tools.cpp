#include "memo_text_tools.h"

#include "calendar_rules.h"

using namespace foundation;

namespace accessories {

QString MemoDateText(const platform::LocalDateTime& t) {
    static const char* const kWeekdays[] = {"日", "月", "火", "水", "木", "金", "土"};
    const int w = WeekdayOf(t.year, t.month, t.day);
    return QString::fromUtf8("%1年%2月%3日(%4)")
        .arg(t.year)
        .arg(t.month)
        .arg(t.day)
        .arg(QString::fromUtf8(kWeekdays[w]));
}

QString MemoTimeText(const platform::LocalDateTime& t) {
    const int h12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    return QStringLiteral("%1 %2:%3")
        .arg(t.hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM"))
        .arg(h12, 2, 10, QLatin1Char('0'))
        .arg(t.minute, 2, 10, QLatin1Char('0'));
}

int MemoSearchStart(int caret, int lastFoundPos, bool searched) {
    return searched && caret == lastFoundPos ? caret + 1 : caret;
}

int FindMemoText(const QString& text, const QString& what, int from) {
    if (what.isEmpty() || from < 0 || from > text.size()) return -1;
    // The text is held as characters; a surrogate pair is one character too.
    int pos = from;
    while (true) {
        pos = text.indexOf(what, pos, Qt::CaseSensitive);
        if (pos <= 0 || !text.at(pos).isLowSurrogate()) return pos;
        ++pos;
    }
}

}  // namespace accessories
