// Process-wide state of the schedule book. Arrays count from 1 as the program's data does.
#pragma once

#include <cstdint>
#include <string>

#include "records.h"
#include "settings_record.h"

namespace foundation {

// Target of the private window messages; a send is a synchronous call.
class MainDispatcher {
  public:
    virtual ~MainDispatcher() = default;
    virtual intptr_t Send(unsigned message, intptr_t wParam, intptr_t lParam) = 0;
};

extern uint16_t CurYear;
extern uint16_t CurMonth;
extern uint16_t CurDay;
extern YOTEI MonthDays[32];  // [1..31]
extern prg PrgList[21];      // [1..20]
extern std::string AppDir;
extern std::string BaseDir;
extern std::string IniPath;
extern MainDispatcher* MainWnd;
extern std::string TodayScheduleText;
extern int32_t MainFullHeight;
extern uint8_t NavBusy;

// A file the program ships (sounds, templates): AppDir + "/" + name, where AppDir is beside the
// executable in a build and <prefix>/share/kolvane when installed.
std::string ShippedFile(const std::string& name);

// Sends a private message to MainWnd; nothing happens (result 0) while it is null.
intptr_t SendToMain(unsigned message, intptr_t wParam = 0, intptr_t lParam = 0);

// Back to the state at program start (tests).
void ResetGlobals();

}  // namespace foundation
