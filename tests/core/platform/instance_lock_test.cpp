#include "core/platform/instance_lock.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "testing/files.h"
#include "testing/read_only.h"

using testing_support::runInChild;
using testing_support::TempFolder;

namespace {

constexpr const char* kProgram = "dorvane-lite";

// Whether a lock on the name can be had by another process right now.
std::optional<bool> anotherProcessGetsTheLock(const std::string& folder, const char* name) {
    return runInChild([&] { return platform::InstanceLock(folder, name).held(); }).answer;
}

}  // namespace

TEST(InstanceLock, ASecondInstanceFindsTheLockTakenUntilTheFirstEnds) {
    TempFolder root;
    const std::string folder = root / "cache/Velqor";
    std::optional<platform::InstanceLock> first(std::in_place, folder, kProgram);
    ASSERT_TRUE(first->held());
    EXPECT_FALSE(first->anotherInstanceRuns());
    struct stat info {};
    ASSERT_EQ(::stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u) << "the folder is its owner's alone";

    const testing_support::ChildOutcome second = runInChild([&] {
        const platform::InstanceLock lock(folder, kProgram);
        return lock.anotherInstanceRuns() && !lock.held();
    });
    EXPECT_EQ(second.answer, true);
    EXPECT_EQ(anotherProcessGetsTheLock(folder, "other-program"), true);

    // a program the holder started, as a browser opened from a link, does not keep the lock
    FILE* shell = ::popen("sleep 30 >/dev/null & echo $!", "r");
    char started[32] = {};
    ASSERT_TRUE(shell != nullptr && std::fgets(started, sizeof started, shell) != nullptr);
    ::pclose(shell);
    first.reset();
    EXPECT_EQ(anotherProcessGetsTheLock(folder, kProgram), true);
    ::kill(std::atoi(started), SIGKILL);
}

TEST(InstanceLock, AFolderThatCannotBeMadeIsNotTakenForAnotherInstance) {
    TempFolder root;
    testing_support::writeFile(root / "Velqor", "a file where the folder should be");
    const platform::InstanceLock lock(root / "Velqor", kProgram);
    EXPECT_FALSE(lock.held());
    EXPECT_FALSE(lock.anotherInstanceRuns());
}
