#include "hot_key_notice.h"

namespace schedule {

QString NoHotKeyNotice(char letter, bool toldBefore, bool userAsked) {
    if (toldBefore && !userAsked) return {};
    const QString key = QStringLiteral("Ctrl+Shift+") + QChar(QLatin1Char(letter));
    return QString::fromUtf8("このデスクトップでは、ﾎｯﾄｷｰ(") + key +
           QString::fromUtf8(
               ")を設定できません。\r\n"
               "代わりに、デスクトップの設定でキーボードショートカットを作り、"
               "コマンド「Kolvane」を割り当ててください。"
               "そのキーで、動いているKolvaneが前面に出ます。\r\n"
               "(この案内は、次の起動からは表示しません。)");
}

}  // namespace schedule
