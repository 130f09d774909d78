#include "month_print.h"

#include "calendar_rules.h"
#include "color.h"
#include "cp932.h"
#include "day_rows.h"
#include "globals.h"
#include "print_job.h"
#include "printer_scale.h"

using namespace foundation;

namespace accessories {

using platform::FromCp932;
using platform::kTextCenter;
using platform::kTextRight;
using platform::kTextSingleLine;
using platform::kTextWordBreak;

std::string MonthPrintTitle(int year, int month, const INIT& settings) {
    std::string yearText = std::to_string(year);
    if (settings.wareki == 1) EraYearText(year, month, 1, yearText);
    return yearText + Sj("年 ") + std::to_string(month) + Sj("月 月間予定表");
}

MonthPrint BuildMonthPrint() {
    MonthPrint month;
    month.stamp = PrintDateStamp(Settings.wareki == 1);
    month.title = MonthPrintTitle(CurYear, CurMonth, Settings);
    month.markColor = Settings.MAKUCOL;
    const int days = DaysInMonth(CurYear, CurMonth);
    for (int d = 1; d <= days; ++d) {
        const DayRowHeader header = MakeDayRowHeader(CurYear, CurMonth, d, MonthDays[d], Settings);
        MonthPrintDay day;
        day.heading = header.caption;
        day.headingColor = header.color;
        day.marked = header.marked;
        day.text = MonthDays[d].Text;
        day.textColor = 0;  // the memos' black
        month.days.push_back(day);
    }
    return month;
}

bool PrintMonthDocument(platform::PrintCanvas& canvas, const MonthPrint& month) {
    if (!StartPrint(canvas)) return false;
    const double s = DotsPerMm(canvas.DotsPerInch());
    const int pageW = canvas.PageWidth();
    const int pageH = canvas.PageHeight();
    const int left = MmToDots(s, 20);
    const int right = static_cast<int>(pageW - s * 15);
    const int textLeft = MmToDots(s, 30);

    canvas.SetTextColor(Qt::black);
    canvas.SetFont(PrintFont(9));
    const QString stamp = FromCp932(month.stamp);
    const int h1 =
        canvas.MeasureText(QRect(left, 1, right - left, 1), stamp, kTextSingleLine | kTextRight)
            .height();
    canvas.DrawText(QRect(left, 1, right - left, h1), stamp, kTextSingleLine | kTextRight);

    canvas.SetFont(PrintFont(16, true, true));
    const QString title = FromCp932(month.title);
    const int h2 =
        canvas
            .MeasureText(QRect(left, h1 + 2, right - left, 1), title, kTextSingleLine | kTextCenter)
            .height();
    canvas.DrawText(QRect(left, h1 + 2, right - left, h2), title, kTextSingleLine | kTextCenter);

    canvas.SetPen(4);
    canvas.Line(left, h1 + h2 + 3, right, h1 + h2 + 3);
    int y = h1 + h2 + 8;

    const QColor markColor = platform::ToQColor(month.markColor);
    for (const MonthPrintDay& day : month.days) {
        canvas.SetFont(PrintFont(11, true, true));
        canvas.SetTextColor(platform::ToQColor(day.headingColor));
        const QString heading = FromCp932(day.heading);
        const int hk =
            canvas.MeasureText(QRect(left, y, right - left, 1), heading, kTextWordBreak).height();
        if (y + hk + 1 >= pageH) {
            if (!canvas.NewPage()) break;
            y = 1;
        }
        const QRect headRect(left, y, right - left, hk);
        canvas.DrawText(headRect, heading, kTextWordBreak,
                        day.marked ? std::optional<QColor>(markColor) : std::nullopt);
        int top = y + hk + 1;

        canvas.SetFont(PrintFont(9));
        canvas.SetTextColor(platform::ToQColor(day.textColor));
        const QString text = FromCp932(day.text);
        int t = canvas.MeasureText(QRect(textLeft, top, right - textLeft, 1), text, kTextWordBreak)
                    .height();
        if (t >= pageH - 3) t = pageH - 5;
        if (top + t + 1 >= pageH - 3) {
            if (!canvas.NewPage()) break;
            top = 1;
        }
        canvas.DrawText(QRect(textLeft, top, right - textLeft, t), text, kTextWordBreak);

        canvas.SetPen(2);
        const int rule = top + t + 1;
        canvas.Line(left, rule, right, rule);
        y = rule + 2 + 1;
    }
    canvas.EndDoc();
    return true;
}

}  // namespace accessories
