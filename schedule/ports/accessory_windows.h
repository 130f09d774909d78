// What the schedule book needs of the desk accessories (to-do list, memos and sticky notes,
// launcher, options and settings, printing, export). The accessories library implements it and
// the program's entry installs it once; until then a set that does nothing answers.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QPoint>
#include <cstdint>

class QWidget;

namespace schedule {

class AccessoryWindows {
  public:
    virtual ~AccessoryWindows() = default;

    // Settings dialog TfrSet, modal; edits Settings in memory.
    virtual void ShowSettingsDialog() = 0;

    // To-do list TfrToDo, modeless: opened, or an open one restored, refreshed and focused.
    virtual void OpenToDoList() = 0;
    // The start-up's to-do alert: shown modally when undone items fall due within
    // Settings.todozan days, freed right after.
    virtual void ShowToDoAlert() = 0;
    // Shows the to-do list at start when the settings ask for it (todo_Disp_flg).
    virtual void ShowToDoListAtStart() = 0;
    // Writes what the open to-do list holds (exit and session saves); false when it failed.
    virtual bool SaveToDoList() = 0;

    // Memo index TfrMokuzi, modeless.
    virtual void OpenMemoIndex() = 0;
    virtual bool MemoIndexOpen() const = 0;
    virtual void CloseMemoIndex() = 0;

    // Sticky notes: the table of open notes emptied at start (before the settings are read),
    // the notes of the last run (memoOp.Ini) at start, the list of open notes
    // at exit (false when it was not written; the user has been told), WM_MAIN_TOPMOST and
    // WM_MAIN_NEWMEMO.
    virtual void ClearOpenMemoTable() = 0;
    virtual void RestoreOpenMemos() = 0;
    virtual bool SaveOpenMemos() = 0;
    virtual void TopmostNotes(intptr_t wParam, intptr_t lParam) = 0;
    virtual void NewMemo(intptr_t wParam, intptr_t lParam) = 0;

    // Launcher TfrRun, modal, with its top-left corner at the given screen point.
    virtual void OpenLauncher(QWidget* parent, QPoint topLeft) = 0;

    // Options hub TfrOp, modal at a screen point. launcherPicture is the picture of the
    // launcher button; what the hub gives back applies when settingsChanged is true.
    struct OptionsResult {
        bool settingsChanged = false;
        QIcon icon;       // the hub's icon, for a missing face icon file
        QPixmap picture;  // the hub's picture, for a missing face bitmap file
        // A user holiday or anniversary list was saved: MonthDays holds the new lists, and
        // the calendar is drawn again.
        bool listsChanged = false;
    };
    virtual OptionsResult OpenOptions(QWidget* parent, QPoint topLeft,
                                      const QPixmap& launcherPicture) = 0;
    virtual bool OptionsOpen() const = 0;

    // Printing and export of the month in MonthDays (CurYear/CurMonth), which the caller has
    // stored first. The period export may move CurYear/CurMonth/CurDay and MonthDays; its
    // caller restores them.
    virtual void PrintMonth(QWidget* parent) = 0;
    virtual void PrintNotebook(QWidget* parent) = 0;
    virtual void ExportMonthCsv(QWidget* parent) = 0;
    virtual void ExportMonthHtml(QWidget* parent) = 0;
    virtual void ExportPeriod(QWidget* parent) = 0;
};

// The installed accessories, or a set that does nothing.
AccessoryWindows& Accessories();
// Installs the accessories (not owned) and returns the ones it replaces; nullptr goes back to the
// set that does nothing.
AccessoryWindows* InstallAccessoryWindows(AccessoryWindows* windows);

}  // namespace schedule
