#include "core/platform/os_probe.h"

#include <gtest/gtest.h>

TEST(OsProbe, ThisSystemAnswersAsWindowsNt10SoSkinningStaysOff) {
    platform::OsVersionRecord record;
    record.osCode = -1;
    EXPECT_TRUE(platform::probeOs(record));
    const std::tuple<int, int, int> answered(record.osCode, record.majorVersion, record.minorVersion);
    EXPECT_EQ(answered, std::tuple(7, 10, 0));
}
