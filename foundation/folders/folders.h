// Folder pieces shared by several windows: the other-user view, the check of the data folders,
// deletion to the trash, the repair of stored memo paths and the list of memo folders.
#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>
#include <string>

class QListWidget;
class QWidget;

namespace foundation {

// The program's folder picker behind a port, so that tests answer it.
class FolderPickerPort {
  public:
    virtual ~FolderPickerPort() = default;
    // Shows a folder picker with the caption, opened at startFolder (CP932); returns the chosen
    // folder, empty when cancelled.
    virtual std::string Pick(QWidget* owner, const QString& caption,
                             const std::string& startFolder) = 0;
};

// Returns the port it replaces; nullptr restores the picker dialog (TfrPath).
FolderPickerPort* SetFolderPickerPort(FolderPickerPort* port);

// Asks for a folder with the picker in place; empty when cancelled.
std::string PickFolder(QWidget* owner, const QString& caption, const std::string& startFolder);

// A place chosen to be kept in the program's files: when its name holds characters that CP932
// cannot, the user is told that Kolvane uses the place as it is and that those files keep the
// characters marked. Nothing is said for any other name.
void TellPathKeptMarked(const QString& chosen);

// Folder the picker of the other-user view opens at: the parent of the schedule folder. False
// when the schedule folder is a root, which has no sibling folders to offer.
bool OtherUserStartFolder(const std::string& datPath, std::string& startFolder);

struct ViewerStart {
    QString program;
    QStringList args;  // user name, path, year, month
};
// The viewer start for the chosen folder (CP932), the viewer taken from the programs' folder;
// false when the folder is a root.
bool OtherUserViewerStart(const std::string& chosen, const std::string& programDir, int year,
                          int month, ViewerStart& start);

// Opens another user's month schedule in the viewer; the user picks that user's folder.
void ViewOtherUser(QWidget* owner = nullptr);

// True when at least one data folder of Settings is missing, after telling the user.
bool CheckFolders();

// The file or folder goes to the trash without a question: 0 on success, non-zero on failure.
int DeleteToRecycleBin(QWidget* owner, const std::string& path);

// A folder part that ends in "//" loses one "/"; everything else comes back unchanged.
void TidyPath(const std::string& path, std::string& result);

// "標準" and the names of the plain sub-folders of the memo folder, sorted, each + CR LF.
void MemoFolderList(const std::string& folder, std::string& text);
// The same list as items: "標準" with standardIcon, then the folders without an icon. Each
// item keeps its CP932 name (Qt::UserRole, QByteArray); "標準" keeps an empty one.
void FillMemoFolderView(const std::string& folder, QListWidget* view,
                        const QIcon& standardIcon = QIcon());

}  // namespace foundation
