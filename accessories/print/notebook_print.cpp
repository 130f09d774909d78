#include "notebook_print.h"

#include "calendar_rules.h"
#include "color.h"
#include "cp932.h"
#include "globals.h"
#include "print_job.h"
#include "printer_scale.h"

using namespace foundation;

namespace accessories {

using platform::FromCp932;
using platform::kTextCenter;
using platform::kTextSingleLine;
using platform::kTextWordBreak;

NotebookHeading NotebookDayHeading(int year, int month, int day, const YOTEI& entry,
                                   const INIT& settings) {
    std::string weekdayName;
    const int w = WeekdayOf(year, month, day, weekdayName);
    std::string additions;
    std::string rokuyo;
    if (settings.roku == 1 && (RokuyoName(year, month, day, rokuyo), !rokuyo.empty()))
        additions = Sj("･") + rokuyo;
    if (settings.syuuNoDsp == 1 && w == settings.StYoubiNo) {
        const int week = WeekOfYear(settings.StYoubiNo + 1, year, month, day);
        if (!additions.empty()) additions += Sj("･");
        additions += Sj("第") + std::to_string(week) + Sj("週");
    }
    NotebookHeading heading;
    heading.text =
        std::to_string(month) + "/" + std::to_string(day) + "(" + weekdayName + additions + ") ";
    heading.color = settings.YoubiTitleCol[w];
    std::string holiday;
    if (HolidayName(year, month, day, holiday) && !holiday.empty())
        heading.color = settings.HolidayMojiCol;
    if (entry.UserHoliday == 1) heading.color = settings.uhori_color;
    if (!holiday.empty() && !entry.Anniversary.empty())
        heading.text += holiday + "," + entry.Anniversary;
    else
        heading.text += holiday + entry.Anniversary;
    return heading;
}

std::string NotebookPageTitle(int year, int month, const INIT& settings) {
    std::string yearText = std::to_string(year);
    if (settings.wareki == 1) EraYearText(year, month, 1, yearText);
    return yearText + Sj("年 ") + std::to_string(month) + Sj("月予定表");
}

Tspr::Tspr(platform::PrintCanvas& canvas) : canvas_(canvas) {}

int Tspr::X(double mm) const { return MmToDots(Scale, OrgX + mm); }
int Tspr::Y(double mm) const { return MmToDots(Scale, OrgY + mm); }

bool Tspr::PrintMonthNotebook() {
    Half = 1;
    OrgX = 9;
    OrgY = 15;
    const int days = DaysInMonth(CurYear, CurMonth);
    Scale = DotsPerMm(canvas_.DotsPerInch());
    if (!StartPrint(canvas_)) return false;
    DrawPageHeader();
    DrawTrimMarks();
    for (int day = 1; day <= days; ++day) {
        lastDay_ = day == days;
        PrintDay(CurYear, CurMonth, day);
    }
    canvas_.EndDoc();
    return true;
}

void Tspr::NextPage() {
    if (Half == 1) {
        OrgX = 104;
        DrawPageHeader();
        Half = 2;
        return;
    }
    // A month that ends with a Sunday on a right page needs no further sheet.
    if (lastDay_) return;
    canvas_.NewPage();
    Half = 1;
    OrgX = 9;
    OrgY = 15;
    DrawPageHeader();
    DrawTrimMarks();
}

void Tspr::DrawPageHeader() {
    canvas_.SetFont(PrintFont(11, true, true));
    canvas_.SetTextColor(Qt::black);
    const QString title = FromCp932(NotebookPageTitle(CurYear, CurMonth, Settings));
    const int left = X(3);
    const int right = X(83);
    const int top = Y(10);
    const int h =
        canvas_.MeasureText(QRect(left, top, right - left, 1), title, kTextSingleLine | kTextCenter)
            .height();
    canvas_.DrawText(QRect(left, top, right - left, h), title, kTextSingleLine | kTextCenter);
    canvas_.SetPen(4);
    canvas_.Line(left, top + h + 2, right, top + h + 2);
    canvas_.SetPen(1);
    for (int i = 0; i <= 6; ++i) {
        const int y = Y(17.5 + 21 * i);
        canvas_.Line(left, y, right, y);
    }
    canvas_.SetPen(3);
    canvas_.Line(left, Y(164.5), right, Y(164.5));
}

void Tspr::DrawTrimMarks() {
    canvas_.SetPen(1);
    const double s = Scale;
    for (double xmm : {9.0, 104.0, 199.0}) {
        for (double ymm : {OrgY, OrgY + 171}) {
            canvas_.Line(MmToDots(s, xmm - 3), MmToDots(s, ymm), MmToDots(s, xmm + 3),
                         MmToDots(s, ymm));
            canvas_.Line(MmToDots(s, xmm), MmToDots(s, ymm - 3), MmToDots(s, xmm),
                         MmToDots(s, ymm + 3));
        }
    }
    const double mid = OrgY + 85.5;
    for (double tip : {104.0, 199.0}) {
        const int tx = MmToDots(s, tip), ty = MmToDots(s, mid);
        const int bx = MmToDots(s, tip - 2), upper = MmToDots(s, mid - 1),
                  lower = MmToDots(s, mid + 1);
        canvas_.Line(tx, ty, bx, upper);
        canvas_.Line(tx, ty, bx, lower);
        canvas_.Line(bx, upper, bx, lower);
    }
}

void Tspr::PrintDay(int year, int month, int day) {
    const int weekday = WeekdayOf(year, month, day);
    const int row = weekday == 0 ? 6 : weekday - 1;
    const int r = Y(17.5 + 21 * row);
    const int x0 = X(3);
    const YOTEI& entry = MonthDays[day];

    const NotebookHeading heading = NotebookDayHeading(year, month, day, entry, Settings);
    canvas_.SetFont(PrintFont(9, true, true));
    canvas_.SetTextColor(platform::ToQColor(heading.color));
    const QString headText = FromCp932(heading.text);
    const int headRight = x0 + MmToDots(Scale, 75);
    const int h =
        canvas_.MeasureText(QRect(x0, r + 1, headRight - x0, 1), headText, kTextWordBreak).height();
    canvas_.DrawText(QRect(x0, r + 1, headRight - x0, h), headText, kTextWordBreak,
                     entry.Mark != 0 ? std::optional<QColor>(platform::ToQColor(Settings.MAKUCOL))
                                     : std::nullopt);

    canvas_.SetFont(PrintFont(7));
    canvas_.SetTextColor(Qt::black);
    const int textLeft = x0 + MmToDots(Scale, 5);
    const int textRight = x0 + MmToDots(Scale, 80);
    const int textTop = r + h + 1;
    const int textBottom = r + 1 + MmToDots(Scale, 21);
    if (textBottom > textTop)
        canvas_.DrawText(QRect(textLeft, textTop, textRight - textLeft, textBottom - textTop),
                         FromCp932(entry.Text), kTextWordBreak);

    if (weekday == 0) NextPage();
}

}  // namespace accessories
