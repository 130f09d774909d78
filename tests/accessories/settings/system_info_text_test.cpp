#include "system_info_text.h"

#include <gtest/gtest.h>

#include "cp932.h"

using namespace accessories;

namespace {

TEST(SystemInfoText, AmountFormat) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0, "    0.00"},      {1.005, "    1.00"},  {999.999, "1,000.00"},
        {1234.5, "1,234.50"}, {16384, "16,384.00"}, {1234567.891, "1,234,567.89"},
        {-1, "   -1.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatAmount(c.value), QString::fromLatin1(c.text)) << c.value;
}

TEST(SystemInfoText, LinesForLargeMemoryAndUnreadableVolumesSkipped) {
    const uint64_t eightGB = 8ull * 1024 * 1024 * 1024;
    const std::vector<LocalVolume> volumes = {
        {QStringLiteral("/"), 53687091200LL},  // 50 GB
        {QStringLiteral("/broken"), -1},
        {QStringLiteral("/home"), 1073741824LL * 1234 + 536870912LL},
    };
    const QStringList expected = {
        U("-----<ﾒﾓﾘ>----------"),
        U(" ﾒﾓﾘ: 8,192.00MB 使用可能 "),
        QString(),
        QString(),
        U("-----<ﾄﾞﾗｲﾌﾞ>--------"),
        U(" /     50.00GB 使用可能 "),
        U(" /home  1,234.50GB 使用可能 "),
    };
    EXPECT_EQ(SystemInfoLines(eightGB, volumes), expected);
}

TEST(SystemInfoText, ThisMachine) {
    EXPECT_GT(TotalPhysicalMemory(), 4096ull * 1024);
    for (const LocalVolume& v : LocalVolumes()) {
        EXPECT_TRUE(v.root.startsWith('/'));
        EXPECT_GE(v.freeBytes, 0);
    }
}

}  // namespace
