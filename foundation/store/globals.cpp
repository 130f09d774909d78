#include "globals.h"

#include "paths.h"

namespace foundation {

INIT Settings;
uint16_t CurYear = 0;
uint16_t CurMonth = 0;
uint16_t CurDay = 0;
YOTEI MonthDays[32];
prg PrgList[21];
std::string AppDir;
std::string BaseDir;
std::string IniPath;
MainDispatcher* MainWnd = nullptr;
std::string TodayScheduleText;
int32_t MainFullHeight = 0;
uint8_t NavBusy = 0;

std::string ShippedFile(const std::string& name) { return platform::JoinPath(AppDir, name); }

intptr_t SendToMain(unsigned message, intptr_t wParam, intptr_t lParam) {
    if (!MainWnd) return 0;
    return MainWnd->Send(message, wParam, lParam);
}

void ResetGlobals() {
    Settings = INIT();
    CurYear = CurMonth = CurDay = 0;
    for (auto& d : MonthDays) d = YOTEI();
    for (auto& p : PrgList) p = prg();
    AppDir.clear();
    BaseDir.clear();
    IniPath.clear();
    MainWnd = nullptr;
    TodayScheduleText.clear();
    MainFullHeight = 0;
    NavBusy = 0;
}

}  // namespace foundation
