#include "settings_rules.h"

#include <cstdlib>

namespace accessories {

int ListIndex(int stored, int count) { return stored >= 0 && stored < count ? stored : 0; }

int NoticeTimeIndex(int32_t milliseconds) { return ListIndex(milliseconds / 5000, 13); }

std::optional<int> WholeNumber(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    const int value = t.toInt(&ok, 10);
    // toInt takes no blanks inside and nothing beyond 32 bits.
    if (!ok || t.contains(QLatin1Char(' '))) return std::nullopt;
    return value;
}

uint8_t NoticeMinutes(int typed) {
    const long long v = std::llabs(static_cast<long long>(typed));
    return v > 59 ? 15 : static_cast<uint8_t>(v);
}

uint8_t ToDoAlertDays(int typed) {
    const long long v = std::llabs(static_cast<long long>(typed));
    return v > 255 ? 255 : static_cast<uint8_t>(v);
}

char HotKeyLetter(QChar typed) {
    const QChar c = typed.toUpper();
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z') ? static_cast<char>(c.unicode()) : 0;
}

QPoint CentredClientPos(const QRect& screen, const QSize& client, const QMargins& frame) {
    const int outerWidth = client.width() + frame.left() + frame.right();
    const int outerHeight = client.height() + frame.top() + frame.bottom();
    const int left = static_cast<int>(screen.width() / 2.0 - outerWidth / 2.0);
    const int top = static_cast<int>(screen.height() / 2.0 - outerHeight / 2.0);
    return {screen.x() + left + frame.left(), screen.y() + top + frame.top()};
}

}  // namespace accessories
