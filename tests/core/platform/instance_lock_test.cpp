#include "core/platform/instance_lock.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <cstdio>
#include <filesystem>
#include <optional>

#include "testing/read_only.h"

using namespace testing_support;

TEST(InstanceLock, ASecondInstanceFindsTheLockTakenUntilTheFirstEndsAndNoFolderMeansNoInstance) {
    TempFolder root;
    const std::string folder = root / "cache/Velqor";
    // whether a lock on the name can be had by another process right now
    const auto anotherProcessGets = [&](const char* name) {
        return runInChild([&] { return platform::InstanceLock(folder, name).held(); }).answer;
    };
    std::optional<platform::InstanceLock> first(std::in_place, folder, "dorvane-lite");
    ASSERT_TRUE(first->held());
    EXPECT_FALSE(first->anotherInstanceRuns());
    EXPECT_EQ(std::filesystem::status(folder).permissions(), std::filesystem::perms::owner_all) << "the owner's alone";
    EXPECT_EQ(runInChild([&] {
                  const platform::InstanceLock lock(folder, "dorvane-lite");
                  return lock.anotherInstanceRuns() && !lock.held();
              }).answer,
              true);
    EXPECT_EQ(anotherProcessGets("other-program"), true);
    // a program the holder started, as a browser opened from a link, does not keep the lock
    FILE* shell = ::popen("sleep 30 >/dev/null & echo $!", "r");
    char started[32] = {};
    ASSERT_TRUE(shell != nullptr && std::fgets(started, sizeof started, shell) != nullptr);
    ::pclose(shell);
    first.reset();
    EXPECT_EQ(anotherProcessGets("dorvane-lite"), true);
    ::kill(std::atoi(started), SIGKILL);
    // a folder that cannot be made is not taken for another instance
    writeFile(root / "Velqor", "a file where the folder should be");
    const platform::InstanceLock blocked(root / "Velqor", "dorvane-lite");
    EXPECT_FALSE(blocked.held() || blocked.anotherInstanceRuns());
}
