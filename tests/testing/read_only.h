#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "testing/files.h"

// Tests run as root, and permissions do not stop root: a folder the program cannot
// write, or a disk that is full, has to be made for real. Every helper here says why
// when the machine does not allow it, so the test can skip with that reason.
namespace testing_support {

// One entry of a made-up file system: a relative path and its contents; a path that
// ends in '/' is an empty folder.
struct TreeEntry {
    std::string path;
    std::string contents;
};

// A small tmpfs mounted below a temporary folder, in a mount namespace of the test
// process's own: nothing outside the process sees it, and it goes when the process ends.
class TmpfsMount final {
public:
    enum class Access { ReadOnly, Writable };

    // Mounts a tmpfs of the given size, writes the entries into it, then (for ReadOnly)
    // remounts it read-only.
    TmpfsMount(const std::vector<TreeEntry>& entries, Access access, std::size_t sizeBytes = kDefaultSize);
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    [[nodiscard]] bool mounted() const { return m_mounted; }
    // Why nothing is mounted; for GTEST_SKIP.
    [[nodiscard]] const std::string& skipReason() const { return m_skipReason; }
    [[nodiscard]] const std::string& path() const { return m_path; }
    // path()/relative
    [[nodiscard]] std::string operator/(std::string_view relative) const;

    static constexpr std::size_t kDefaultSize = 1024 * 1024;
    // A disk that a few files fill up.
    static constexpr std::size_t kFullDiskSize = 64 * 1024;

private:
    [[nodiscard]] bool mountAndFill(const std::vector<TreeEntry>& entries, Access access, std::size_t sizeBytes);

    TempFolder m_base;
    std::string m_path;
    bool m_mounted = false;
    std::string m_skipReason;
};

// The end of an action run in a child process. The child cannot report test failures,
// so the action answers true or false and the test checks the answer.
struct ChildOutcome {
    std::optional<bool> answer;  // empty when the action did not finish (crash, or not run)
    std::string skipReason;      // set when the machine does not allow running it this way
};

// Runs the action in a forked child process.
[[nodiscard]] ChildOutcome runInChild(const std::function<bool()>& action);

// Runs the action in a child process that has given up root for user nobody, so that
// permissions hold as they do for a plain user. What the action reaches must be open to
// others (see openToOthers).
[[nodiscard]] ChildOutcome runAsNobody(const std::function<bool()>& action);

// Runs the action in a child process that may not make any file larger than the limit
// (RLIMIT_FSIZE): a write beyond it fails as on a full disk.
[[nodiscard]] ChildOutcome runWithFileSizeLimit(std::uint64_t limitBytes, const std::function<bool()>& action);

// Lets other users enter and read a folder (mode 0755), as a child running as nobody needs.
void openToOthers(const std::string& folder);

}  // namespace testing_support
