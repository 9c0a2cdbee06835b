#include "testing/read_only.h"

#include <grp.h>
#include <pwd.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace testing_support {
namespace {

// Exit codes of a child: the action's answer, or a set-up that could not be done.
constexpr int kAnswerTrue = 0;
constexpr int kAnswerFalse = 1;
constexpr int kSetupFailed = 86;

[[nodiscard]] std::string lastError(std::string_view what) { return std::string(what) + ": " + std::strerror(errno); }

// Mounts made after this stay inside the process and its children.
[[nodiscard]] bool enterPrivateMountNamespace(std::string& reason) {
    if (::unshare(CLONE_NEWNS) != 0) {
        reason = lastError("cannot make a mount namespace (unshare)");
        return false;
    }
    if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        reason = lastError("cannot make mounts private");
        return false;
    }
    return true;
}

[[nodiscard]] bool writeEntry(const std::string& root, const TreeEntry& entry) {
    const std::filesystem::path target = std::filesystem::path(root) / entry.path;
    std::error_code error;
    if (entry.path.ends_with('/')) {
        std::filesystem::create_directories(target, error);
        return !error;
    }
    writeFile(target.string(), entry.contents);
    return std::filesystem::exists(target, error);
}

[[nodiscard]] ChildOutcome waitForChild(pid_t child) {
    int status = 0;
    if (::waitpid(child, &status, 0) != child) {
        return {std::nullopt, lastError("cannot wait for the child process")};
    }
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (code == kSetupFailed) {
        return {std::nullopt, "the child process could not set itself up"};
    }
    return code == kAnswerTrue || code == kAnswerFalse ? ChildOutcome{code == kAnswerTrue, {}} : ChildOutcome{};
}

// Forks; the child runs setup, then the action, and ends without running the test's
// exit handlers.
[[nodiscard]] ChildOutcome runInChildAfter(const std::function<bool()>& setup, const std::function<bool()>& action) {
    const pid_t child = ::fork();
    if (child < 0) {
        return {std::nullopt, lastError("cannot fork")};
    }
    if (child == 0) {
        if (!setup()) {
            ::_exit(kSetupFailed);
        }
        ::_exit(action() ? kAnswerTrue : kAnswerFalse);
    }
    return waitForChild(child);
}

}  // namespace

TmpfsMount::TmpfsMount(const std::vector<TreeEntry>& entries, Access access, std::size_t sizeBytes)
    : m_path(m_base / "mnt") {
    m_mounted = mountAndFill(entries, access, sizeBytes);
}

bool TmpfsMount::mountAndFill(const std::vector<TreeEntry>& entries, Access access, std::size_t sizeBytes) {
    if (!enterPrivateMountNamespace(m_skipReason)) {
        return false;
    }
    std::filesystem::create_directories(m_path);
    const std::string options = "size=" + std::to_string(sizeBytes) + ",mode=0755";
    if (::mount("tmpfs", m_path.c_str(), "tmpfs", 0, options.c_str()) != 0) {
        m_skipReason = lastError("cannot mount a tmpfs");
        return false;
    }
    for (const TreeEntry& entry : entries) {
        if (!writeEntry(m_path, entry)) {
            m_skipReason = "cannot fill the tmpfs with " + entry.path;
            return false;
        }
    }
    if (access == Access::ReadOnly &&
        ::mount("tmpfs", m_path.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, options.c_str()) != 0) {
        m_skipReason = lastError("cannot remount the tmpfs read-only");
        return false;
    }
    return true;
}

TmpfsMount::~TmpfsMount() { ::umount2(m_path.c_str(), MNT_DETACH); }

std::string TmpfsMount::operator/(std::string_view relative) const { return m_path + "/" + std::string(relative); }

ChildOutcome runInChild(const std::function<bool()>& action) {
    return runInChildAfter([] { return true; }, action);
}

ChildOutcome runAsNobody(const std::function<bool()>& action) {
    const passwd* nobody = ::getpwnam("nobody");
    if (nobody == nullptr) {
        return {std::nullopt, "there is no user nobody on this machine"};
    }
    if (::geteuid() != 0) {
        return {std::nullopt, "only root can run a child as nobody"};
    }
    const uid_t uid = nobody->pw_uid;
    const gid_t gid = nobody->pw_gid;
    const auto dropToNobody = [uid, gid] {
        return ::setgroups(0, nullptr) == 0 && ::setresgid(gid, gid, gid) == 0 && ::setresuid(uid, uid, uid) == 0;
    };
    return runInChildAfter(dropToNobody, action);
}

ChildOutcome runWithFileSizeLimit(std::uint64_t limitBytes, const std::function<bool()>& action) {
    const auto limitFileSize = [limitBytes] {
        // without this the first write beyond the limit would end the child by SIGXFSZ
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{limitBytes, limitBytes};
        return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    };
    return runInChildAfter(limitFileSize, action);
}

void openToOthers(const std::string& folder) { ::chmod(folder.c_str(), 0755); }

}  // namespace testing_support
