// The memo index: categories (the memo folder "標準" and its sub-folders) on the left, the text
// or bitmap memos of the shown category on the right, a preview below.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QToolButton>
#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

#include "settings_record.h"

namespace accessories {

class MemoCategoryDelegate;

class TfrMokuzi : public QWidget {
    Q_OBJECT

  public:
    TfrMokuzi();
    ~TfrMokuzi() override;

    // Applies the saved bounds, folder-list width and file-list height, kept on the desktop.
    void PlaceFromSettings();
    // Fills the categories and shows the current one.
    void FormShow();
    // Marks the shown category and lists its memos.
    void RefreshFolderView();
    // Lists the memos of the shown folder again (the selection is lost).
    void ReadFileList();

    // The folder the file list shows (with its final "/"), the file mask, the memo paths.
    const std::string& FileListFolder() const { return fileFolder_; }
    bool BitmapMode() const;
    std::string CurrentPath() const;
    std::vector<std::string> SelectedPaths() const;
    // Where notes opened from here appear when their companion file does not say.
    QPoint NoteTopLeft() const;

    // Commands and handlers.
    void ListView1Click();
    void FileListBox1Click();
    void FileListBox1DblClick();
    void mnuMemoOpClick();
    void btMkMemoClick();
    void mnuMkTxtClick();
    void mnuMkBmpClick();
    void mnuDlClick();
    void ListView1DragDrop(QListWidgetItem* target);
    void bt_mkdirClick();
    void mnuEditFoNameClick();
    bool ListView1Editing(QListWidgetItem* item);
    void ListView1Edited(QListWidgetItem* item, const QString& edited);
    void bt_DelDirClick();
    void Copy1Click();
    void SelectAll1Click();
    void mnuAllCopyClick();
    void mnuMemoCbCpClick();
    void PopupMenu1Popup();
    void PopupMenu2Popup();
    void PopupMenu3Popup();
    void mnuClClick();
    void Refresh1Click();
    // Right button in the file list on the row (-1: beside the rows).
    void FileListBox1RightDown(int row);

    uint8_t NewMemoFlag = 0;
    std::string CurFolder = ".";  // "." for "標準", else the sub-folder's name (CP932)

    QMenuBar* MainMenu1 = nullptr;
    QAction* mnuCl = nullptr;
    QMenu* mnuNew = nullptr;
    QAction* mnuMkTxt = nullptr;
    QAction* mnuMkBmp = nullptr;
    QAction* mnuMkDir = nullptr;
    QMenu* mnuDl = nullptr;
    QAction* N2 = nullptr;
    QAction* mnuDelDir = nullptr;
    QAction* Refresh1 = nullptr;

    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* FilterComboBox1 = nullptr;
    QToolButton* bt_mkdir = nullptr;
    QToolButton* btMkMemo = nullptr;
    QToolButton* bt_DelDir = nullptr;
    QToolButton* bt_delMemo = nullptr;
    QSplitter* Splitter1 = nullptr;
    QListWidget* lv1 = nullptr;
    QSplitter* Splitter2 = nullptr;
    QListWidget* FileListBox1 = nullptr;
    QLabel* img = nullptr;
    QPlainTextEdit* mm1 = nullptr;

    QMenu* PopupMenu1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* mnuAllCopy = nullptr;
    QAction* SelectAll1 = nullptr;
    QMenu* PopupMenu2 = nullptr;
    QAction* mnuMemoOp = nullptr;
    QAction* mnuMemoCbCp = nullptr;
    QAction* New1 = nullptr;
    QAction* mnuMemoDel = nullptr;
    QMenu* PopupMenu3 = nullptr;
    QAction* mnuEditFoName = nullptr;
    QAction* mnuNewFo = nullptr;
    QAction* mnuDelFo = nullptr;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void BuildMenus();
    void BuildControls();
    std::string ItemName(const QListWidgetItem* item) const;
    std::string ShownCategory() const;
    void ShowInFileList(const std::string& category);

    MemoCategoryDelegate* categoryDelegate_ = nullptr;
    std::string fileFolder_;
    bool shownOnce_ = false;
};

// The memo index while one exists.
extern TfrMokuzi* frMokuzi;

// The index's bounds from the saved ones: a window as wide (high) as the desktop loses 6
// pixels and goes to its left (top) edge; a left or top outside the desktop or within 50
// pixels of its far edge goes to that edge.
QRect PlaceMemoIndex(const foundation::MokuziTLWH& saved, const QRect& desktop);

// The file list's selection after a right click on row (-1: beside the rows): with at most one
// row selected, just that row; with several, a click beside them or on an unselected row
// selects only that row (or none), a click on a selected row keeps them.
std::vector<bool> RightClickSelection(const std::vector<bool>& selected, int row);

}  // namespace accessories
