// The desk accessories as the schedule book sees them. Each feature folder defines the members
// that belong to it (desk_accessories_<feature>.cpp).
#pragma once

#include "accessory_windows.h"

namespace accessories {

class DeskAccessories : public schedule::AccessoryWindows {
  public:
    // settings/
    void ShowSettingsDialog() override;
    OptionsResult OpenOptions(QWidget* parent, QPoint topLeft,
                              const QPixmap& launcherPicture) override;
    bool OptionsOpen() const override;

    // todo/
    void OpenToDoList() override;
    void ShowToDoAlert() override;
    void ShowToDoListAtStart() override;
    bool SaveToDoList() override;

    // memos/
    void OpenMemoIndex() override;
    bool MemoIndexOpen() const override;
    void CloseMemoIndex() override;
    void ClearOpenMemoTable() override;
    void RestoreOpenMemos() override;
    bool SaveOpenMemos() override;
    void TopmostNotes(intptr_t wParam, intptr_t lParam) override;
    void NewMemo(intptr_t wParam, intptr_t lParam) override;

    // launcher/
    void OpenLauncher(QWidget* parent, QPoint topLeft) override;

    // print/
    void PrintMonth(QWidget* parent) override;
    void PrintNotebook(QWidget* parent) override;

    // export/
    void ExportMonthCsv(QWidget* parent) override;
    void ExportMonthHtml(QWidget* parent) override;
    void ExportPeriod(QWidget* parent) override;
};

}  // namespace accessories
