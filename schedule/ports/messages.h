// Private messages of the main window, with the numbers other windows send.
#pragma once

namespace schedule {

constexpr unsigned WM_USER_BASE = 0x400;
constexpr unsigned WM_TRAY_NOTIFY = WM_USER_BASE + 200;    // 0x4C8
constexpr unsigned WM_MAIN_SHOWDATE = WM_USER_BASE + 310;  // 0x536
constexpr unsigned WM_MAIN_NAVIGATE = WM_USER_BASE + 320;  // 0x540
constexpr unsigned WM_MAIN_COMMAND = WM_USER_BASE + 330;   // 0x54A
constexpr unsigned WM_MAIN_TOPMOST = WM_USER_BASE + 400;   // 0x590
constexpr unsigned WM_MAIN_NEWMEMO = WM_USER_BASE + 500;   // 0x5F4

// Mouse codes of the tray callback.
constexpr int WM_LBUTTONDOWN_CODE = 0x201;
constexpr int WM_LBUTTONDBLCLK_CODE = 0x203;
constexpr int WM_RBUTTONDOWN_CODE = 0x204;

// WM_MAIN_NAVIGATE codes.
enum NavigateCode {
    kNavToday = 1,
    kNavPrevMonth = 2,
    kNavNextMonth = 3,
    kNavYearBack = 4,
    kNavYearForward = 5,
    kNavPrevDay = 6,
    kNavNextDay = 7,
    kNavJump = 8,
};

// WM_MAIN_COMMAND codes.
enum CommandCode {
    kCmdYearView = 1,
    kCmdMonthView = 2,
    kCmdToDo = 3,
    kCmdMemo = 4,
    kCmdPhoneBook = 5,
    kCmdDiary = 6,
    kCmdAlarm = 7,
    kCmdLauncher = 8,
    kCmdOptions = 9,
    kCmdExit = 10,
    kCmdOtherUsers = 11,
};

}  // namespace schedule
