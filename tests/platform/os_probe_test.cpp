#include "platform/os_probe.h"

#include <gtest/gtest.h>

TEST(OsProbe, CodeOfEachWindowsVersion) {
    constexpr std::int32_t nt = platform::kPlatformWindowsNT;
    constexpr std::int32_t windows9x = 1;
    const struct {
        std::int32_t major;
        std::int32_t minor;
        std::int32_t platformId;
        std::int16_t expected;
    } cases[] = {
        {5, 1, nt, -1},         // XP
        {5, 2, nt, -1},         // Server 2003
        {5, 0, nt, 0},          // 2000
        {4, 0, nt, 1},          // NT 4.0
        {4, 0, windows9x, 2},   // 95
        {4, 10, windows9x, 3},  // 98
        {4, 90, windows9x, 4},  // Me
        {3, 51, nt, 5},         // NT 3.51
        {3, 10, windows9x, 6},  // other 3.x
        {6, 1, nt, 7},          // 7
        {10, 0, nt, 7},         // 10 and later
        {2, 0, windows9x, 7},   // below 3
        {4, 3, windows9x, 5},   // an unknown 4.x keeps the caller's code
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::osCodeFor(c.major, c.minor, c.platformId, 5), c.expected)
            << c.major << "." << c.minor << " platform " << c.platformId;
    }
}

TEST(OsProbe, ThisSystemAnswersAsWindowsNt10SoSkinningStaysOff) {
    platform::OsVersionRecord record;
    record.osCode = -1;
    EXPECT_TRUE(platform::probeOs(record));
    EXPECT_EQ(record.osCode, 7);
    EXPECT_EQ(record.majorVersion, 10);
    EXPECT_EQ(record.minorVersion, 0);
}
