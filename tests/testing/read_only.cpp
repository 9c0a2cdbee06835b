#include "testing/read_only.h"

#include <grp.h>
#include <pwd.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace testing_support {
namespace {

// The exit code of a child that could not set itself up; 0 and 1 are the action's answer.
constexpr int kSetupFailed = 86;

[[nodiscard]] std::string lastError(std::string_view what) { return std::string(what) + ": " + std::strerror(errno); }

// Mounts a tmpfs on the folder and fills it; answers why not when it cannot. Mounts made
// after leaving the shared mount namespace stay inside the process and its children.
[[nodiscard]] std::string mountAndFill(const std::string& folder, const std::vector<TreeEntry>& entries,
                                       TmpfsMount::Access access, std::size_t sizeBytes) {
    if (::unshare(CLONE_NEWNS) != 0 || ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        return lastError("cannot make a private mount namespace");
    }
    const std::string options = "size=" + std::to_string(sizeBytes) + ",mode=0755";
    if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) {
        return lastError("cannot mount a tmpfs");
    }
    for (const TreeEntry& entry : entries) {
        if (entry.path.ends_with('/')) {
            std::filesystem::create_directories(folder + "/" + entry.path);
        } else {
            writeFile(folder + "/" + entry.path, entry.contents);
        }
    }
    if (access == TmpfsMount::Access::ReadOnly &&
        ::mount("tmpfs", folder.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, options.c_str()) != 0) {
        return lastError("cannot remount the tmpfs read-only");
    }
    return {};
}

// Forks; the child runs setup, then the action, and ends without running the test's
// exit handlers.
[[nodiscard]] ChildOutcome runInChildAfter(const std::function<bool()>& setup, const std::function<bool()>& action) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(!setup() ? kSetupFailed : action() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) {
        return {std::nullopt, lastError("cannot run a child process")};
    }
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return code == kSetupFailed     ? ChildOutcome{std::nullopt, "the child process could not set itself up"}
           : code == 0 || code == 1 ? ChildOutcome{code == 0, {}}
                                    : ChildOutcome{};
}

}  // namespace

TmpfsMount::TmpfsMount(const std::vector<TreeEntry>& entries, Access access, std::size_t sizeBytes)
    : m_skipReason(mountAndFill(path(), entries, access, sizeBytes)) {}

TmpfsMount::~TmpfsMount() { ::umount2(path().c_str(), MNT_DETACH); }

ChildOutcome runInChild(const std::function<bool()>& action) {
    return runInChildAfter([] { return true; }, action);
}

ChildOutcome runAsNobody(const std::function<bool()>& action) {
    const passwd* nobody = ::getpwnam("nobody");
    if (nobody == nullptr || ::geteuid() != 0) {
        return {std::nullopt, "only root can run a child as user nobody, and only where there is one"};
    }
    return runInChildAfter(
        [uid = nobody->pw_uid, gid = nobody->pw_gid] {
            return ::setgroups(0, nullptr) == 0 && ::setresgid(gid, gid, gid) == 0 && ::setresuid(uid, uid, uid) == 0;
        },
        action);
}

ChildOutcome runWithFileSizeLimit(std::uint64_t limitBytes, const std::function<bool()>& action) {
    return runInChildAfter(
        [limitBytes] {
            // without this the first write beyond the limit would end the child by SIGXFSZ
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{limitBytes, limitBytes};
            return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
        },
        action);
}

}  // namespace testing_support
