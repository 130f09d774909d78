// The to-do list window TfrToDo: modeless in normal mode, a modal read-only alert at start.
#pragma once

#include <QDialog>
#include <array>
#include <memory>

#include "clock.h"
#include "todo_list.h"

class QAction;
class QMenu;
class QMenuBar;
class QTreeWidget;

namespace accessories {

class TfrToDo : public QDialog {
  public:
    explicit TfrToDo(QWidget* parent = nullptr);
    ~TfrToDo() override;

    // 0: normal, 1: alert; set by the opener before the items load.
    uint8_t AlertMode = 0;

    // Loads the items (once) and tells whether the list holds a row.
    bool HasToDo();
    void LoadToDo();
    bool SaveToDo();
    void LoadToDoLayout();
    void SaveToDoLayout();
    // The exit's and the session's save: what the list holds and its layout. False when the
    // items could not be written.
    bool SaveForExit();

    ToDoList& List() { return list_; }
    // Every item made anew from the rows; then the row select is selected.
    void Refresh(int select);
    // The selected row, or -1.
    int Selected() const;
    void Select(int row);
    std::array<int, kToDoColumns> ColumnWidths() const;

    // Commands.
    void mnuTuikaClick();
    void mnuEdClick();
    void mnuJuSetSubClick(const std::string& importance);
    void mnuZyoSetSClick(const std::string& status);
    void Delete1Click(int tag);
    void mnuKanrenClick();
    void mnuDelToDoDispClick();
    void mnuPrjEditClick();
    void Print1Click();
    void sg1ColumnClick(int column);

    void done(int result) override;

    QTreeWidget* sg1 = nullptr;
    QMenuBar* MainMenu1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* mnuCl = nullptr;
    QAction* mnuEd = nullptr;
    QAction* mnuTuika = nullptr;
    QAction* mnuDl = nullptr;
    QAction* Print1 = nullptr;
    QAction* mnuKanren = nullptr;
    QAction* mnuJuSet = nullptr;
    QAction* mnuZyoSet = nullptr;
    QAction* Edit1 = nullptr;
    QAction* N10 = nullptr;
    QAction* mnuPrjEdit = nullptr;
    QAction* Delete1 = nullptr;
    QAction* mnuDelToDoDisp = nullptr;
    QAction* Print2 = nullptr;
    QAction* mnuToDoClose = nullptr;
    std::unique_ptr<platform::Timer> tm1;

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormCreate();
    void FormShow();
    void BuildMenus();
    QFont BoldFont() const;
    // After a change of one row only its item is brought up to date; then it is selected.
    void RowChanged(int index);
    std::string FilePath(const char* name) const;

    ToDoList list_;
    bool shown_ = false;
    bool enterDown_ = false;
};

// The open list window, or nullptr.
extern TfrToDo* frToDo;

// Opens the list, or restores, repaints and focuses the open one.
void OpenToDoWindow();
// The start-up's alert: shown modally when items fall due within Settings.todozan days, freed
// right after.
void ShowToDoAlertWindow();
// Saves the open list (exit and session); true when there is nothing to save.
bool SaveOpenToDoWindow();

}  // namespace accessories
