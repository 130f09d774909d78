#include "todo_print.h"

#include <cmath>

#include "cp932.h"
#include "globals.h"
#include "print_job.h"
#include "printer_scale.h"
#include "todo_icons.h"

using namespace foundation;

namespace accessories {

using platform::FromCp932;
using platform::kTextCenter;
using platform::kTextNoClip;
using platform::kTextRight;
using platform::kTextSingleLine;

std::array<int, kToDoColumns> ToDoPrintColumns(int left, int usable,
                                               const std::array<int, kToDoColumns>& widths) {
    long long sum = 0;
    bool negative = false;
    for (int w : widths) {
        sum += w;
        negative = negative || w < 0;
    }
    const std::array<int, kToDoColumns>& used = sum > 0 && !negative ? widths : kToDoInitialWidths;
    double total = 0;
    for (int w : used) total += w;
    std::array<int, kToDoColumns> x{};
    x[0] = left;
    for (int k = 0; k + 1 < kToDoColumns; ++k)
        x[k + 1] = x[k] + static_cast<int>(std::floor(used[k] / total * usable + 0.5));
    return x;
}

std::string ToDoPrintTotals(size_t rows, int notDone) {
    return Sj("全ToDo数=") + std::to_string(rows) + Sj("件.   未完了ToDo数=") +
           std::to_string(notDone) + Sj("件.");
}

bool PrintToDoDocument(platform::PrintCanvas& canvas, const std::string& stamp,
                       const std::vector<ToDoRow>& rows,
                       const std::array<int, kToDoColumns>& columnWidths) {
    const double d = DotsPerMm(canvas.DotsPerInch());
    if (!StartPrint(canvas)) return false;
    const int pageW = canvas.PageWidth();
    const int pageH = canvas.PageHeight();
    const int left = MmToDots(d, 10);
    const int right = static_cast<int>(pageW - 5 * d);
    const int topMargin = MmToDots(d, 8);
    const int usable = static_cast<int>(pageW - (10 * d + 5 * d));
    const std::array<int, kToDoColumns> x = ToDoPrintColumns(left, usable, columnWidths);
    const int width = right - left;

    canvas.SetTextColor(Qt::black);
    canvas.SetFont(PrintFont(9));
    const QString stampText = FromCp932(stamp);
    const int h1 =
        canvas
            .MeasureText(QRect(left, topMargin, width, 1), stampText, kTextSingleLine | kTextRight)
            .height();
    canvas.DrawText(QRect(left, topMargin, width, h1), stampText, kTextSingleLine | kTextRight);
    int y = topMargin + h1 + 1;

    canvas.SetFont(PrintFont(16, true, true));
    const QString title = QStringLiteral("ToDo");
    const int h2 =
        canvas.MeasureText(QRect(left, y, width, 1), title, kTextSingleLine | kTextCenter).height();
    canvas.DrawText(QRect(left, y, width, h2), title, kTextSingleLine | kTextCenter);
    y += h2 + MmToDots(d, 2);

    canvas.SetPen(4);
    canvas.Line(left, y, right, y);
    y += 4 + 1;

    canvas.SetFont(PrintFont(9));
    const int h =
        canvas.MeasureText(QRect(left, y, width, 1), QStringLiteral("重要度"), kTextSingleLine)
            .height();
    // A cell: one line from its left edge, not cut at the next column.
    auto cell = [&](int cx, int cy, const QString& text) {
        canvas.DrawText(QRect(cx, cy, std::max(right - cx, 1), h), text,
                        kTextSingleLine | kTextNoClip);
    };
    const char* const heads[kToDoColumns] = {"重要度", "内容",     "状態",    "予定完了日",
                                             "残日数", "ﾌﾟﾛｼﾞｪｸﾄ", "関連項目"};
    for (int k = 0; k < kToDoColumns; ++k) cell(x[k], y, QString::fromUtf8(heads[k]));
    y += h + 1;
    canvas.Line(left, y, right, y);
    y += 4 + 1;

    const std::string done = Sj("完了");
    int notDone = 0;
    bool pageFailed = false;
    for (const ToDoRow& row : rows) {
        if (row.content.empty()) continue;
        const QImage icon = ToDoIcon(row.Icon()).pixmap(16, 16).toImage();
        canvas.StretchImage(QRect(x[0] - 1, y + 1, h, h - 2), icon);
        cell(x[0] + h, y, FromCp932(row.importance));
        cell(x[1], y, FromCp932(row.content));
        cell(x[2], y, FromCp932(row.status));
        cell(x[3], y, FromCp932(row.date));
        cell(x[4], y, FromCp932(row.remain));
        cell(x[5], y, FromCp932(row.project));
        cell(x[6], y, FromCp932(row.link));
        if (row.status != done) ++notDone;
        y += h + 1;
        if (y >= pageH - h + 1) {
            if (!canvas.NewPage()) {
                pageFailed = true;
                break;
            }
            y = topMargin;
        }
    }
    // The closing rule and the totals stay together on the page.
    if (!pageFailed && y + 4 + 1 + h > pageH) {
        pageFailed = !canvas.NewPage();
        y = topMargin;
    }
    if (pageFailed) {
        canvas.EndDoc();
        return true;
    }
    canvas.SetPen(4);
    canvas.Line(left, y, right, y);
    y += 4 + 1;
    cell(x[0] + MmToDots(d, 3), y, FromCp932(ToDoPrintTotals(rows.size(), notDone)));
    canvas.EndDoc();
    return true;
}

void PrintToDo(QWidget* parent, const std::vector<ToDoRow>& rows,
               const std::array<int, kToDoColumns>& columnWidths) {
    RunPrintJob(parent, [&](platform::PrintCanvas& canvas) {
        PrintToDoDocument(canvas, PrintDateStamp(Settings.wareki == 1), rows, columnWidths);
    });
}

}  // namespace accessories
