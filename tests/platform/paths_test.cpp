#include <gtest/gtest.h>

#include "platform/paths.h"

TEST(Paths, JoinPutsOneSlashBetween) {
    EXPECT_EQ(platform::joinPath("/a/", "b"), "/a/b");
    EXPECT_EQ(platform::joinPath("/a", "b"), "/a/b");
}
