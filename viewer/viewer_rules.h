// What the viewer shows, without widgets: its arguments, captions, header colours and the
// hiding of private lines.
#pragma once

#include <QStringList>
#include <cstdint>
#include <string>

namespace viewer {

inline constexpr char kViewerUsage[] = "Usage:u_name  dat_path  now_yy now_mm now_dd";

struct ViewerStart {
    std::string userName;  // CP932
    std::string folder;    // CP932 path of the schedule folder
    int year = 0;
    int month = 0;
};
// The arguments after the program, as they came. False (show the usage) unless there are
// exactly four, the year is 1-9999 and the month 1-12.
bool ParseViewerArgs(const QStringList& args, ViewerStart& start);

// "taroさんの 2004年 5月予定を参照中", CP932.
std::string ViewerCaption(const std::string& userName, int year, int month);

struct ViewerHeader {
    std::string caption;  // "5/3(月) 憲法記念日", "5/4(火) "
    uint32_t color = 0;   // stored colour: red for Sundays and holidays, blue for Saturdays
};
ViewerHeader MakeViewerHeader(int year, int month, int day);

// Every private line of the day's text (CP932, CR LF) becomes "(プライベートスケジュール)".
std::string HidePrivateLines(const std::string& text);

// Lines longer than maxBytes are cut there (never inside a double-byte character) and end in
// "…": a row of a megabyte line would be thousands of lines tall and take minutes to lay out.
std::string CutLongLines(const std::string& text, size_t maxBytes);

// The neighbouring month; false (nothing changed) outside years 1-9999.
bool StepMonth(int& year, int& month, int delta);

}  // namespace viewer
