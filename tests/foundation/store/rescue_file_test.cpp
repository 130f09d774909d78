#include "rescue_file.h"

#include <gtest/gtest.h>

#include <QDir>

#include "cp932.h"
#include "paths.h"
#include "temp_folder.h"

namespace {

struct Month {
    YOTEI days[32];
    Month& Text(int day, const char* utf8) {
        days[day].HasText = 1;
        days[day].Text = Sj(utf8);
        return *this;
    }
    Month& Mark(int day) {
        days[day].Mark = 1;
        return *this;
    }
};

}  // namespace

TEST(RescueFile, HoldsEveryDayWithTextOrMarkByteForByte) {
    Month m;
    m.Text(9, "@9:30 会議\r\n資料を持参").Text(31, "大晦日\r\n").Mark(15).Mark(31);
    m.days[20].HasText = 0;  // stale text of a cleared day is not the user's
    m.days[20].Text = "old";
    EXPECT_EQ(RescueText(2026, 12, m.days), Sj("[2026/12/09]\r\n@9:30 会議\r\n資料を持参\r\n\r\n"
                                               "[2026/12/15] ●\r\n\r\n"
                                               "[2026/12/31] ●\r\n大晦日\r\n\r\n"));
    Month empty;
    EXPECT_EQ(RescueText(2026, 12, empty.days), "");
}

TEST(RescueFile, WrittenBesideOthersNeverOverThem) {
    TempFolder dir;
    Month m;
    m.Text(1, "元日");
    const TDateTime now = EncodeDate(2026, 12, 9) + EncodeTime(7, 5, 3, 0);
    const std::string first = WriteRescueFile(dir.Path(), 2026, 12, m.days, now);
    EXPECT_EQ(first, dir.File("rescue-20261209-070503.txt"));
    const std::string second = WriteRescueFile(dir.Path(), 2026, 12, m.days, now);
    EXPECT_EQ(second, dir.File("rescue-20261209-070503-2.txt"));
    EXPECT_EQ(dir.Read("rescue-20261209-070503.txt"), Sj("[2026/12/01]\r\n元日\r\n\r\n"));

    Month empty;
    EXPECT_EQ(WriteRescueFile(dir.Path(), 2026, 12, empty.days, now), "");
    EXPECT_EQ(WriteRescueFile(dir.File("missing"), 2026, 12, m.days, now), "");
    EXPECT_EQ(WriteRescueFile("", 2026, 12, m.days, now), "");
}
