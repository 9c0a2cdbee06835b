#include "core/platform/os_probe.h"

#include <gtest/gtest.h>

TEST(OsProbe, ThisSystemAnswersAsWindowsNt10SoSkinningStaysOff) {
    platform::OsVersionRecord record;
    record.osCode = -1;
    EXPECT_TRUE(platform::probeOs(record));
    EXPECT_EQ(record.osCode, 7);
    EXPECT_EQ(record.majorVersion, 10);
    EXPECT_EQ(record.minorVersion, 0);
}
