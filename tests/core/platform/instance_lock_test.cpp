#include "core/platform/instance_lock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "testing/read_only.h"

using namespace testing_support;

TEST(InstanceLock, ASecondInstanceFindsTheLockTakenUntilTheFirstEndsAndNoFolderMeansNoInstance) {
    TempFolder root;
    const std::string folder = root / "cache/Velqor";
    // whether another process, right now, gets the lock (held) or is told another instance runs
    const auto anotherProcessFinds = [&](const char* name, bool held) {
        return runInChild([&] {
                   const platform::InstanceLock lock(folder, name);
                   return lock.held() == held && lock.anotherInstanceRuns() == !held;
               })
            .answer;
    };
    std::optional<platform::InstanceLock> first(std::in_place, folder, "dorvane-lite");
    ASSERT_TRUE(first->held() && !first->anotherInstanceRuns());
    EXPECT_EQ(std::filesystem::status(folder).permissions(), std::filesystem::perms::owner_all) << "the owner's alone";
    EXPECT_EQ(anotherProcessFinds("dorvane-lite", false), true);
    EXPECT_EQ(anotherProcessFinds("other-program", true), true);
    // a program the holder started, as a browser opened from a link, does not keep the lock
    ASSERT_EQ(std::system("sleep 2 >/dev/null &"), 0);
    first.reset();
    EXPECT_EQ(anotherProcessFinds("dorvane-lite", true), true);
    // a folder that cannot be made is not taken for another instance
    writeFile(root / "Velqor", "a file where the folder should be");
    const platform::InstanceLock blocked(root / "Velqor", "dorvane-lite");
    EXPECT_FALSE(blocked.held() || blocked.anotherInstanceRuns());
}
