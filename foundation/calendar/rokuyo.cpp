// Rokuyo of 2004-2012: (lunar month + lunar day - 2) mod 6, advancing by one a day and
// restarting at each new lunar month.
#include <array>
#include <cstdint>
#include <iterator>
#include <vector>

#include "calendar_rules.h"
#include "cp932.h"

namespace foundation {

namespace {

constexpr int kFirstYear = 2004;
constexpr int kLastYear = 2012;
constexpr int kNone = 255;

struct Restart {
    int year, month, day, value;
};

// The first day of each lunar month with the value it restarts at.
const Restart kRestarts[] = {
    {2004, 1, 22, 0},  {2004, 2, 20, 1},  {2004, 4, 19, 2},  {2004, 5, 19, 3},  {2004, 6, 18, 4},
    {2004, 7, 17, 5},  {2004, 8, 16, 0},  {2004, 9, 14, 1},  {2004, 10, 14, 2}, {2004, 11, 12, 3},
    {2004, 12, 12, 4}, {2005, 1, 10, 5},  {2005, 2, 9, 0},   {2005, 3, 10, 1},  {2005, 4, 9, 2},
    {2005, 5, 8, 3},   {2005, 6, 7, 4},   {2005, 7, 6, 5},   {2005, 8, 5, 0},   {2005, 9, 4, 1},
    {2005, 10, 3, 2},  {2005, 11, 2, 3},  {2005, 12, 2, 4},  {2005, 12, 31, 5}, {2006, 1, 29, 0},
    {2006, 2, 28, 1},  {2006, 3, 29, 2},  {2006, 4, 28, 3},  {2006, 5, 27, 4},  {2006, 6, 26, 5},
    {2006, 7, 25, 0},  {2006, 9, 22, 1},  {2006, 10, 22, 2}, {2006, 11, 21, 3}, {2006, 12, 20, 4},
    {2007, 1, 19, 5},  {2007, 2, 18, 0},  {2007, 3, 19, 1},  {2007, 4, 17, 2},  {2007, 5, 17, 3},
    {2007, 6, 15, 4},  {2007, 7, 14, 5},  {2007, 8, 13, 0},  {2007, 9, 11, 1},  {2007, 10, 11, 2},
    {2007, 11, 10, 3}, {2007, 12, 10, 4}, {2008, 1, 8, 5},   {2008, 2, 7, 0},   {2008, 3, 8, 1},
    {2008, 4, 6, 2},   {2008, 5, 5, 3},   {2008, 6, 4, 4},   {2008, 7, 3, 5},   {2008, 8, 1, 0},
    {2008, 8, 31, 1},  {2008, 9, 29, 2},  {2008, 10, 29, 3}, {2008, 11, 28, 4}, {2008, 12, 27, 5},
    {2009, 1, 26, 0},  {2009, 2, 25, 1},  {2009, 3, 27, 2},  {2009, 4, 25, 3},  {2009, 5, 24, 4},
    {2009, 7, 22, 5},  {2009, 8, 20, 0},  {2009, 9, 19, 1},  {2009, 10, 18, 2}, {2009, 11, 17, 3},
    {2009, 12, 16, 4}, {2010, 1, 15, 5},  {2010, 2, 14, 0},  {2010, 3, 16, 1},  {2010, 4, 14, 2},
    {2010, 5, 14, 3},  {2010, 6, 12, 4},  {2010, 7, 12, 5},  {2010, 8, 10, 0},  {2010, 9, 8, 1},
    {2010, 10, 8, 2},  {2010, 11, 6, 3},  {2010, 12, 6, 4},  {2011, 1, 4, 5},   {2011, 2, 3, 0},
    {2011, 3, 5, 1},   {2011, 4, 3, 2},   {2011, 5, 3, 3},   {2011, 6, 2, 4},   {2011, 7, 1, 5},
    {2011, 7, 31, 0},  {2011, 8, 29, 1},  {2011, 9, 27, 2},  {2011, 10, 27, 3}, {2011, 11, 25, 4},
    {2011, 12, 25, 5}, {2012, 1, 23, 0},  {2012, 2, 22, 1},  {2012, 3, 22, 2},  {2012, 5, 21, 3},
    {2012, 6, 20, 4},  {2012, 7, 19, 5},  {2012, 8, 18, 0},  {2012, 9, 16, 1},  {2012, 10, 15, 2},
    {2012, 11, 14, 3}, {2012, 12, 13, 4},
};

constexpr int kRows = (kLastYear - kFirstYear + 1) * 12;
using Table = std::array<std::array<uint8_t, 32>, kRows>;  // [row][day], day 1-31

const Table& RokuyoTable() {
    static const Table table = [] {
        Table t{};
        size_t next = 0;
        int value = 2;  // 1 January 2004
        for (int y = kFirstYear; y <= kLastYear; ++y) {
            for (int m = 1; m <= 12; ++m) {
                for (int d = 1; d <= DaysInMonth(y, m); ++d) {
                    if (next < std::size(kRestarts) && kRestarts[next].year == y &&
                        kRestarts[next].month == m && kRestarts[next].day == d) {
                        value = kRestarts[next++].value;
                    }
                    t[(y - kFirstYear) * 12 + m - 1][d] = static_cast<uint8_t>(value);
                    value = (value + 1) % 6;
                }
            }
        }
        return t;
    }();
    return table;
}

}  // namespace

int RokuyoName(int year, int month, int day, std::string& name) {
    static const std::vector<std::string> names = {Sj("先勝"), Sj("友引"), Sj("先負"),
                                                   Sj("仏滅"), Sj("大安"), Sj("赤口")};
    name.clear();
    if (year < kFirstYear || year > kLastYear || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month)) {
        return kNone;
    }
    const int value = RokuyoTable()[(year - kFirstYear) * 12 + month - 1][day];
    name = names[value];
    return value;
}

}  // namespace foundation
