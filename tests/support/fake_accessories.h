// Records what the schedule book asks of the desk accessories; installed for the lifetime of
// the object.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "accessory_windows.h"
#include "scoped_port.h"

class FakeAccessories : public schedule::AccessoryWindows {
  public:
    std::vector<std::string> calls;
    // What the settings dialog does to Settings while it is "open".
    std::function<void()> settingsDialog;
    bool toDoSaves = true;
    OptionsResult options;

    void ShowSettingsDialog() override {
        calls.push_back("ShowSettingsDialog");
        if (settingsDialog) settingsDialog();
    }
    void OpenToDoList() override { calls.push_back("OpenToDoList"); }
    void ShowToDoAlert() override { calls.push_back("ShowToDoAlert"); }
    void ShowToDoListAtStart() override { calls.push_back("ShowToDoListAtStart"); }
    bool SaveToDoList() override {
        calls.push_back("SaveToDoList");
        return toDoSaves;
    }
    void OpenMemoIndex() override { calls.push_back("OpenMemoIndex"); }
    bool MemoIndexOpen() const override { return false; }
    void CloseMemoIndex() override { calls.push_back("CloseMemoIndex"); }
    void ClearOpenMemoTable() override { calls.push_back("ClearOpenMemoTable"); }
    void RestoreOpenMemos() override { calls.push_back("RestoreOpenMemos"); }
    bool SaveOpenMemos() override {
        calls.push_back("SaveOpenMemos");
        return true;
    }
    void TopmostNotes(intptr_t wParam, intptr_t lParam) override {
        calls.push_back("TopmostNotes " + std::to_string(wParam) + " " + std::to_string(lParam));
    }
    void NewMemo(intptr_t, intptr_t) override { calls.push_back("NewMemo"); }
    void OpenLauncher(QWidget*, QPoint) override { calls.push_back("OpenLauncher"); }
    OptionsResult OpenOptions(QWidget*, QPoint, const QPixmap&) override {
        calls.push_back("OpenOptions");
        return options;
    }
    bool OptionsOpen() const override { return false; }
    void PrintMonth(QWidget*) override { calls.push_back("PrintMonth"); }
    void PrintNotebook(QWidget*) override { calls.push_back("PrintNotebook"); }
    void ExportMonthCsv(QWidget*) override { calls.push_back("ExportMonthCsv"); }
    void ExportMonthHtml(QWidget*) override { calls.push_back("ExportMonthHtml"); }
    void ExportPeriod(QWidget*) override { calls.push_back("ExportPeriod"); }

  private:
    platform::ScopedPort<schedule::AccessoryWindows> inPlace_{schedule::InstallAccessoryWindows,
                                                              this};
};
