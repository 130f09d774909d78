// Layout of one month in the main window's calendar grid, computed without widgets.
#pragma once

#include <cstdint>
#include <string>

#include "records.h"
#include "settings_record.h"

namespace schedule {

namespace grid {

// Header labels and day cells; every other metric is derived from these, as the grid
// lines up its cells on the header.
constexpr int kHeaderLeft = 16;        // left of lb_0
constexpr int kHeaderTop = 16;         // top of lb_0
constexpr int kHeaderWidth = 25;       // every header label
constexpr int kHeaderEdgeHeight = 17;  // lb_0 and lb_6
constexpr int kHeaderMidHeight = 12;   // lb_1 .. lb_5
constexpr int kCellWidth = 25;
constexpr int kCellHeight = 17;

// Neighbouring cells overlap by one pixel.
constexpr int kColumnStep = kHeaderWidth - 1;                  // 24
constexpr int kRowStep = kCellHeight - 1;                      // 16
constexpr int kFirstTop = kHeaderTop + kHeaderEdgeHeight - 1;  // 32
constexpr int kRowLeft = kHeaderLeft;                          // 16
constexpr int kLastLeft = kHeaderLeft + 6 * kColumnStep;       // 160, left of lb_6

constexpr int kNeighbourCells = 7;
constexpr int kMonthCells = 31;

}  // namespace grid

// Kanji of weekday 0 (Sunday) .. 6 (Saturday), CP932.
std::string WeekdayKanji(int weekday);

struct FontStyle {
    bool bold = false;
    bool italic = true;
    bool strikeOut = false;
    bool operator==(const FontStyle&) const = default;
};

// Style of a month cell: with text (HasText 1) by yoAruDsp (0 bold italic, 1 italic
// strike-out, else all three), otherwise italic only.
FontStyle DayFontStyle(uint8_t hasText, int yoAruDsp);

struct HeaderLabel {
    std::string caption;  // CP932
    uint32_t color = 0;   // stored colour value
};

struct CellLayout {
    int left = 0;
    int top = 0;
    bool visible = true;
    std::string caption;  // day number
    std::string hint;     // CP932; empty for the cells of the month itself
    int tag = 0;          // month cells: day - 1; neighbour cells: serial day number
    uint32_t color = 0;   // month cells only; neighbour cells keep their grey
    FontStyle style;
    bool marked = false;  // month cells only
    bool down = false;
};

struct MonthLayout {
    HeaderLabel header[7];
    CellLayout prev[grid::kNeighbourCells];
    CellLayout days[grid::kMonthCells];  // days[k - 1] is day k
    CellLayout next[grid::kNeighbourCells];
};

// Lays out (year, month) with day `day` down; `days` is the month as loaded (index 1..31).
MonthLayout LayOutMonth(int year, int month, int day, const foundation::YOTEI days[32],
                        const foundation::INIT& settings);

// Hint of a neighbouring-month cell: "%2d月%2d日へ", CP932.
std::string NeighbourHint(int month, int day);

}  // namespace schedule
