#include <gtest/gtest.h>

#include "calendar_rules.h"
#include "cp932.h"

using namespace foundation;

TEST(Rokuyo, January2004Row) {
    const int row[31] = {2, 3, 4, 5, 0, 1, 2, 3, 4, 5, 0, 1, 2, 3, 4, 5,
                         0, 1, 2, 3, 4, 0, 1, 2, 3, 4, 5, 0, 1, 2, 3};
    for (int d = 1; d <= 31; ++d) {
        std::string name;
        EXPECT_EQ(RokuyoName(2004, 1, d, name), row[d - 1]) << "day " << d;
    }
}

TEST(Rokuyo, ValuesAndNames) {
    struct Case {
        int y, m, d, value;
        const char* name;
    } cases[] = {
        {2004, 1, 1, 2, "先負"},   {2004, 1, 22, 0, "先勝"},  {2004, 1, 23, 1, "友引"},
        {2004, 1, 25, 3, "仏滅"},  {2004, 1, 26, 4, "大安"},  {2004, 1, 27, 5, "赤口"},
        {2004, 2, 29, 4, "大安"},  {2004, 3, 31, 5, "赤口"},  // no restart in a leap month
        {2005, 12, 30, 2, "先負"}, {2005, 12, 31, 5, "赤口"}, {2006, 8, 31, 1, "友引"},
        {2008, 2, 29, 4, "大安"},  {2009, 6, 30, 5, "赤口"},  {2012, 2, 29, 2, "先負"},
        {2012, 12, 13, 4, "大安"}, {2012, 12, 31, 4, "大安"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.y << "/" << c.m << "/" << c.d);
        std::string name;
        EXPECT_EQ(RokuyoName(c.y, c.m, c.d, name), c.value);
        EXPECT_EQ(name, Sj(c.name));
    }
}

TEST(Rokuyo, OutsideTheTable) {
    struct Case {
        int y, m, d;
    } cases[] = {
        {2003, 12, 31}, {2013, 1, 1},  {2013, 6, 15}, {2004, 0, 1},
        {2004, 13, 1},  {2004, 2, 30}, {2005, 2, 29}, {2004, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.y << "/" << c.m << "/" << c.d);
        std::string name = "x";
        EXPECT_EQ(RokuyoName(c.y, c.m, c.d, name), 255);
        EXPECT_EQ(name, "");
    }
}
