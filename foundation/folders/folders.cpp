#include "folders.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <algorithm>
#include <utility>
#include <vector>

#include "cp932.h"
#include "globals.h"
#include "message_box.h"
#include "path_dialog.h"
#include "paths.h"
#include "process.h"
#include "trash.h"

namespace foundation {

namespace {

class DialogPicker final : public FolderPickerPort {
  public:
    std::string Pick(QWidget* owner, const QString& caption, const std::string& start) override {
        TfrPath dialog(owner);
        frPath = &dialog;
        dialog.setWindowTitle(caption);
        dialog.SetStartFolder(start);
        dialog.exec();
        std::string chosen = dialog.SelectedPath;
        frPath = nullptr;
        return chosen;
    }
};

FolderPickerPort* g_port = nullptr;

// "/" is never a trail byte of CP932, so plain byte searches are safe on these paths.
std::string WithoutFinalSlashes(std::string path) {
    while (!path.empty() && path.back() == '/') path.pop_back();
    return path;
}

// What a failed change into the start folder reported: the folder was not found.
void ShowFolderNotFound() {
    platform::MessageRequest r;
    r.kind = platform::MsgKind::Error;
    r.caption = platform::ApplicationTitle();
    r.text = QStringLiteral("I/O error 3");
    r.buttons = {platform::kBtnOk};
    platform::Messages().Show(r);
}

// Names of the plain sub-folders (no links, no hidden ones), in byte order of their CP932
// form. A name CP932 cannot hold is left out: the program could not open that folder.
std::vector<std::string> SubFolders(const std::string& folder) {
    std::vector<std::string> names;
    if (folder.empty()) return names;
    QDir dir(platform::DiskPath(folder));
    if (!dir.exists()) return names;
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::NoSort);
    for (const QFileInfo& e : entries) {
        if (e.isSymLink() || e.isHidden()) continue;
        std::string name = platform::ToCp932(e.fileName());
        if (platform::FromCp932(name) != e.fileName()) continue;
        names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

FolderPickerPort* SetFolderPickerPort(FolderPickerPort* port) {
    return std::exchange(g_port, port);
}

std::string PickFolder(QWidget* owner, const QString& caption, const std::string& startFolder) {
    static DialogPicker dialog;
    FolderPickerPort& picker = g_port ? *g_port : dialog;
    return picker.Pick(owner, caption, startFolder);
}

void TellPathKeptMarked(const QString& chosen) {
    const QString marked = platform::CharactersOutsideCp932(platform::FromDiskPath(chosen));
    if (marked.isEmpty()) return;
    platform::MessageDlg(
        QStringLiteral("選んだ場所[%1]の名前には、Shift-JISで表せない文字(%2)があります。\r\n"
                       "Kolvaneはこの場所をそのまま使いますが、設定などのファイルには"
                       "この文字を符号にして記録します。"
                       "ほかのプログラムでは、その部分を正しく読めないことがあります。")
            .arg(chosen, marked),
        platform::MsgKind::Information, {platform::kBtnOk});
}

bool OtherUserStartFolder(const std::string& datPath, std::string& startFolder) {
    std::string own = WithoutFinalSlashes(datPath);
    if (platform::IsRootPath(own)) return false;
    startFolder = platform::FromDiskPath(QFileInfo(platform::DiskPath(own)).absolutePath());
    return true;
}

bool OtherUserViewerStart(const std::string& chosen, const std::string& programDir, int year,
                          int month, ViewerStart& start) {
    std::string path = WithoutFinalSlashes(chosen);
    if (platform::IsRootPath(path)) return false;
    size_t slash = path.rfind('/');
    std::string user = slash == std::string::npos ? path : path.substr(slash + 1);
    start.program = platform::DiskPath(programDir + "/tavikg");
    start.args = QStringList{platform::DiskPath(user), platform::DiskPath(path),
                             QString::number(year), QString::number(month)};
    return true;
}

void ViewOtherUser(QWidget* owner) {
    std::string startFolder;
    if (!OtherUserStartFolder(Settings.dat_Path, startFolder)) {
        platform::ShowMessage(
            QStringLiteral("他のユーザー予定を参照できるディレクトリ構成ではありません。"));
        return;
    }
    if (!platform::IsFolder(startFolder)) {
        ShowFolderNotFound();
        return;
    }
    const QString caption = QStringLiteral("他のユーザー予定の参照");
    std::string chosen = PickFolder(owner, caption, startFolder);
    if (chosen.empty()) return;
    ViewerStart start;
    if (!OtherUserViewerStart(chosen, platform::ExecutableDir(), CurYear, CurMonth, start)) {
        platform::ShowMessage(QStringLiteral("指定されたディレクトリは参照できません。"));
        return;
    }
    // Separate arguments: a folder with a blank reaches the viewer whole. Nothing waits for it.
    platform::StartDetached(start.program, start.args);
}

bool CheckFolders() {
    std::string text;
    auto check = [&text](const char* label, const std::string& folder) {
        if (platform::IsFolder(folder)) return;
        text += Sj(label) + folder + Sj("]が見つかりません。") + "\r\n";
    };
    check("予定ﾃﾞｰﾀを格納するﾌｫﾙﾀﾞ[", Settings.dat_Path);
    check("ﾒﾓを格納するﾌｫﾙﾀﾞ[", Settings.memo_path);
    check("日記を格納するﾌｫﾙﾀﾞ[", Settings.ni_dir);
    if (text.empty()) return false;
    text += "\r\n" + Sj("環境設定の内容を確認してください。");
    platform::MessageDlg(platform::DiskPath(text), platform::MsgKind::Warning, {platform::kBtnYes});
    return true;
}

int DeleteToRecycleBin(QWidget* /*owner: the trash asks nothing*/, const std::string& path) {
    return platform::MoveToTrash(path) ? 0 : 1;
}

void TidyPath(const std::string& path, std::string& result) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0 || path[slash - 1] != '/') {
        result = path;
        return;
    }
    result = path.substr(0, slash) + path.substr(slash + 1);
}

void MemoFolderList(const std::string& folder, std::string& text) {
    text = Sj("標準") + "\r\n";
    for (const std::string& name : SubFolders(folder)) text += name + "\r\n";
}

void FillMemoFolderView(const std::string& folder, QListWidget* view, const QIcon& standardIcon) {
    if (!view) return;
    view->clear();
    auto* standard = new QListWidgetItem(standardIcon, QStringLiteral("標準"), view);
    standard->setData(Qt::UserRole, QByteArray());
    for (const std::string& name : SubFolders(folder)) {
        auto* item = new QListWidgetItem(platform::FromCp932(name), view);
        item->setData(Qt::UserRole, QByteArray(name.data(), static_cast<int>(name.size())));
    }
}

}  // namespace foundation
