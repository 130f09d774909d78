#include "export_file.h"

#include <QFileInfo>

#include "cp932.h"
#include "dialogs.h"
#include "file_io.h"
#include "message_box.h"
#include "month_export.h"
#include "month_export_source.h"
#include "open_document.h"
#include "paths.h"

namespace accessories {

namespace {

// Long enough for a save of another process into the folder to have finished.
constexpr long long kStaleSeconds = 60;

bool HasExtension(const std::string& path) {
    size_t slash = path.rfind('/');
    size_t dot = path.rfind('.');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
}

}  // namespace

std::optional<std::string> AskExportFile(QWidget* parent, const QString& title,
                                         const std::string& start, const QString& filter,
                                         const std::string& defaultExtension) {
    std::optional<QString> chosen = platform::Dialogs().SaveFileName(
        parent, title, start.empty() ? QString() : platform::DiskPath(start), filter, false);
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    std::string path = platform::FromDiskPath(*chosen);
    if (!defaultExtension.empty() && !HasExtension(path)) path += "." + defaultExtension;
    return path;
}

bool ConfirmReplace(const std::string& path) {
    if (!platform::FileExists(path) && !platform::IsFolder(path)) return true;
    int answer = platform::MessageDlg(U("同名のﾌｧｲﾙが存在します.上書きしてよろしいですか？"),
                                      platform::MsgKind::Confirmation,
                                      {platform::kBtnOk, platform::kBtnCancel});
    if (answer == platform::kBtnOk) return true;
    platform::ShowMessage(U("ｴｷｽポートを中止しました."));
    return false;
}

bool WriteExportFile(const std::string& path, const std::string& bytes) {
    // An export killed halfway left its temporary here; only our own are taken away.
    platform::RemoveStaleTemporaries(
        platform::FromDiskPath(QFileInfo(platform::DiskPath(path)).path()), kStaleSeconds);
    if (platform::WriteFileAtomic(path, bytes)) return true;
    platform::ShowMessage(U("ﾌｧｲﾙ「") + platform::DiskPath(path) + U("」にｴｷｽポートできません."));
    return false;
}

void RunMonthExport(QWidget* view, MonthExportKind kind) {
    const bool html = kind == MonthExportKind::Html;
    std::optional<std::string> path =
        html ? AskExportFile(view, U("ｽｹｼﾞｭｰﾙのｴｷｽﾎﾟｰﾄ(HTML形式)"), std::string(),
                             U("HTML files (*.htm)"), "htm")
             : AskExportFile(view, U("ｽｹｼﾞｭｰﾙのｴｷｽﾎﾟｰﾄ(CSV形式)"), std::string(),
                             U("CSV files (*.csv)"), "csv");
    if (!path || !ConfirmReplace(*path)) return;
    const MonthExport month = CollectMonthExport(view);
    if (!WriteExportFile(*path, html ? MonthHtml(month) : MonthCsv(month))) return;
    if (!html) return;
    if (platform::MessageDlg(U("出力結果を表示しますか？"), platform::MsgKind::Confirmation,
                             {platform::kBtnYes, platform::kBtnNo}) == platform::kBtnYes)
        platform::OpenDocument(platform::DiskPath(*path));
}

}  // namespace accessories
