#include "help.h"

#include "globals.h"
#include "message_box.h"
#include "open_document.h"
#include "paths.h"

namespace foundation {

std::string HelpFilePath() { return platform::JoinPath(AppDir, "orsel.html"); }

void OpenHelp() {
    const std::string path = HelpFilePath();
    const QString shown = platform::DiskPath(path);
    // F1 and the help buttons must never do nothing without a word.
    if (!platform::FileExists(path)) {
        platform::MessageDlg(QStringLiteral("ヘルプ文書[%1]が見つかりません。").arg(shown),
                             platform::MsgKind::Warning, {platform::kBtnOk});
        return;
    }
    // Nothing may start to open it, or the desktop's opener may find nothing to show HTML with.
    const auto tell = [shown] {
        platform::MessageDlg(
            QStringLiteral("ヘルプ文書[%1]を開けませんでした。\r\n"
                           "HTMLを表示するプログラム(ブラウザ)を確認してください。")
                .arg(shown),
            platform::MsgKind::Warning, {platform::kBtnOk});
    };
    if (!platform::OpenDocument(shown, tell)) tell();
}

}  // namespace foundation
