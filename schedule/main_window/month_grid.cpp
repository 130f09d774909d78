#include "month_grid.h"

#include <cstdio>

#include "calendar_rules.h"
#include "cp932.h"
#include "date_time.h"

using namespace foundation;

namespace schedule {

namespace {

int Mod7(int v) { return ((v % 7) + 7) % 7; }

// Walks the grid as the cells are placed: one column to the right, wrapping to the next row.
struct Cursor {
    int left;
    int top;
    void Advance() {
        left += grid::kColumnStep;
        if (left > grid::kLastLeft) {
            top += grid::kRowStep;
            left = grid::kRowLeft;
        }
    }
};

}  // namespace

std::string WeekdayKanji(int weekday) {
    static const char* const kNames[7] = {"日", "月", "火", "水", "木", "金", "土"};
    return Sj(kNames[Mod7(weekday)]);
}

FontStyle DayFontStyle(uint8_t hasText, int yoAruDsp) {
    FontStyle s;
    s.italic = true;
    if (hasText != 1) return s;
    if (yoAruDsp == 0) {
        s.bold = true;
    } else if (yoAruDsp == 1) {
        s.strikeOut = true;
    } else {
        s.bold = true;
        s.strikeOut = true;
    }
    return s;
}

std::string NeighbourHint(int month, int day) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%2d", month);
    std::string text = buf;
    text += Sj("月");
    std::snprintf(buf, sizeof buf, "%2d", day);
    text += buf;
    text += Sj("日へ");
    return text;
}

MonthLayout LayOutMonth(int year, int month, int day, const YOTEI days[32], const INIT& settings) {
    MonthLayout out;
    const int firstWeekday = Mod7(static_cast<int>(settings.StYoubiNo));

    for (int i = 0; i < 7; ++i) {
        int w = Mod7(firstWeekday + i);
        out.header[i].caption = WeekdayKanji(w);
        out.header[i].color = settings.YoubiTitleCol[w];
    }

    const int firstSerial = static_cast<int>(EncodeDate(year, month, 1));
    int column = WeekdayOf(year, month, 1) - firstWeekday;
    if (column < 0) column += 7;
    Cursor at{grid::kRowLeft + grid::kColumnStep * column, grid::kFirstTop};

    // The seven days before the 1st always lie in the previous month (no month is shorter).
    const int prevYear = month == 1 ? year - 1 : year;
    const int prevMonth = month == 1 ? 12 : month - 1;
    const int prevDays = prevMonth == 12 ? 31 : DaysInMonth(prevYear, prevMonth);
    for (int i = 0; i < grid::kNeighbourCells; ++i) {
        CellLayout& c = out.prev[i];
        int d = prevDays - grid::kNeighbourCells + 1 + i;
        c.left = at.left;
        c.top = at.top;
        c.caption = std::to_string(d);
        c.hint = NeighbourHint(prevMonth, d);
        c.tag = firstSerial - grid::kNeighbourCells + i;
        at.Advance();
    }

    const int monthDays = DaysInMonth(year, month);
    for (int k = 1; k <= grid::kMonthCells; ++k) {
        CellLayout& c = out.days[k - 1];
        c.caption = std::to_string(k);
        c.tag = k - 1;
        if (k > monthDays) {
            c.visible = false;
            continue;
        }
        const YOTEI& entry = days[k];
        c.left = at.left;
        c.top = at.top;
        std::string holiday;
        c.color =
            DayColor(year, month, k, holiday, settings.YoubiTitleCol, settings.HolidayMojiCol);
        if (entry.UserHoliday == 1) c.color = settings.uhori_color;
        c.marked = entry.Mark != 0;
        c.down = k == day;
        c.style = DayFontStyle(entry.HasText, static_cast<int>(settings.yoAruDsp));
        at.Advance();
    }

    const int nextMonth = month == 12 ? 1 : month + 1;
    const int nextSerial = firstSerial + monthDays;
    for (int i = 0; i < grid::kNeighbourCells; ++i) {
        CellLayout& c = out.next[i];
        c.left = at.left;
        c.top = at.top;
        c.caption = std::to_string(i + 1);
        c.hint = NeighbourHint(nextMonth, i + 1);
        c.tag = nextSerial + i;
        at.Advance();
    }
    return out;
}

}  // namespace schedule
