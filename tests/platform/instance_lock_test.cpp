#include "platform/instance_lock.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>

#include "testing/read_only.h"
#include "testing/files.h"

using testing_support::runInChild;
using testing_support::TempFolder;

namespace {

constexpr const char* kProgram = "dorvane-lite";

// Whether a lock on the name can be had by another process right now.
std::optional<bool> anotherProcessGetsTheLock(const std::string& folder, const char* name) {
    const testing_support::ChildOutcome outcome =
        runInChild([&] { return platform::InstanceLock(folder, name).held(); });
    return outcome.answer;
}

// Starts a program that outlives the lock's holder, as a browser opened from a link does;
// returns once that program has replaced the forked copy of this process.
pid_t startLongRunningProgram() {
    int ready[2];
    if (::pipe2(ready, O_CLOEXEC) != 0) {
        return -1;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl("/bin/sleep", "sleep", "30", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(ready[1]);
    char ignored = 0;
    // the pipe closes when exec succeeds
    static_cast<void>(::read(ready[0], &ignored, 1));
    ::close(ready[0]);
    return child;
}

}  // namespace

TEST(InstanceLock, ASecondInstanceFindsTheLockTakenUntilTheFirstEnds) {
    TempFolder root;
    const std::string folder = root / "Velqor";
    std::optional<platform::InstanceLock> first(std::in_place, folder, kProgram);
    ASSERT_TRUE(first->held());
    EXPECT_FALSE(first->anotherInstanceRuns());

    const testing_support::ChildOutcome second = runInChild([&] {
        const platform::InstanceLock lock(folder, kProgram);
        return lock.anotherInstanceRuns() && !lock.held();
    });
    EXPECT_EQ(second.answer, true);
    EXPECT_EQ(anotherProcessGetsTheLock(folder, "other-program"), true);

    first.reset();
    EXPECT_EQ(anotherProcessGetsTheLock(folder, kProgram), true);
}

TEST(InstanceLock, MakesTheProductFamilyFolderForItsOwnerOnly) {
    TempFolder root;
    const std::string folder = root / "cache/Velqor";
    const platform::InstanceLock lock(folder, kProgram);
    EXPECT_TRUE(lock.held());
    struct stat info {};
    ASSERT_EQ(::stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST(InstanceLock, AFolderThatCannotBeMadeIsNotTakenForAnotherInstance) {
    TempFolder root;
    testing_support::writeFile(root / "Velqor", "a file where the folder should be");
    const platform::InstanceLock lock(root / "Velqor", kProgram);
    EXPECT_FALSE(lock.held());
    EXPECT_FALSE(lock.anotherInstanceRuns());
}

TEST(InstanceLock, ProgramsStartedByTheHolderDoNotKeepTheLock) {
    TempFolder root;
    const std::string folder = root / "Velqor";
    std::optional<platform::InstanceLock> first(std::in_place, folder, kProgram);
    const pid_t browser = startLongRunningProgram();
    ASSERT_GT(browser, 0);
    first.reset();
    const std::optional<bool> restarted = anotherProcessGetsTheLock(folder, kProgram);
    ::kill(browser, SIGKILL);
    ::waitpid(browser, nullptr, 0);
    EXPECT_EQ(restarted, true);
}
