// The notebook print: the month as refill pages of 95 x 171 mm, one week (Monday to Sunday)
// per page, two pages side by side on each sheet, with trim marks to cut them out.
#pragma once

#include <cstdint>
#include <string>

#include "print_canvas.h"
#include "records.h"
#include "settings_record.h"

namespace accessories {

// Heading of one day on a notebook page.
struct NotebookHeading {
    std::string text;    // CP932: "5/3(月･大安･第19週) 憲法記念日,結婚記念日"
    uint32_t color = 0;  // stored colour value
};
NotebookHeading NotebookDayHeading(int year, int month, int day, const foundation::YOTEI& entry,
                                   const foundation::INIT& settings);

// "2004年 6月予定表", with the era year when settings.wareki is 1 (CP932).
std::string NotebookPageTitle(int year, int month, const foundation::INIT& settings);

// Prints MonthDays of CurYear/CurMonth with Settings; made, run once and freed.
class Tspr {
  public:
    explicit Tspr(platform::PrintCanvas& canvas);
    // False when the document could not start (the user has been told).
    bool PrintMonthNotebook();

    uint8_t Half = 1;
    double OrgX = 9;
    double OrgY = 15;
    double Scale = 0;

  private:
    void NextPage();
    void DrawPageHeader();
    void DrawTrimMarks();
    void PrintDay(int year, int month, int day);
    int X(double mm) const;
    int Y(double mm) const;

    platform::PrintCanvas& canvas_;
    bool lastDay_ = false;
};

}  // namespace accessories
