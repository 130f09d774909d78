#include "accessory_windows.h"

#include <utility>

namespace schedule {

namespace {

// Answers while no accessories are installed (tests of the schedule book alone): nothing opens,
// and there is nothing to save, so saving succeeds.
class NoAccessoryWindows final : public AccessoryWindows {
  public:
    void ShowSettingsDialog() override {}
    void OpenToDoList() override {}
    void ShowToDoAlert() override {}
    void ShowToDoListAtStart() override {}
    bool SaveToDoList() override { return true; }
    void OpenMemoIndex() override {}
    bool MemoIndexOpen() const override { return false; }
    void CloseMemoIndex() override {}
    void ClearOpenMemoTable() override {}
    void RestoreOpenMemos() override {}
    bool SaveOpenMemos() override { return true; }
    void TopmostNotes(intptr_t, intptr_t) override {}
    void NewMemo(intptr_t, intptr_t) override {}
    void OpenLauncher(QWidget*, QPoint) override {}
    OptionsResult OpenOptions(QWidget*, QPoint, const QPixmap&) override { return {}; }
    bool OptionsOpen() const override { return false; }
    void PrintMonth(QWidget*) override {}
    void PrintNotebook(QWidget*) override {}
    void ExportMonthCsv(QWidget*) override {}
    void ExportMonthHtml(QWidget*) override {}
    void ExportPeriod(QWidget*) override {}
};

NoAccessoryWindows g_none;
AccessoryWindows* g_installed = nullptr;

}  // namespace

AccessoryWindows& Accessories() { return g_installed ? *g_installed : g_none; }

AccessoryWindows* InstallAccessoryWindows(AccessoryWindows* windows) {
    return std::exchange(g_installed, windows);
}

}  // namespace schedule
