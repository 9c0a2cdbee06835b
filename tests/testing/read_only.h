#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

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

// A small tmpfs mounted on a fresh temporary folder, in a mount namespace of the test
// process's own: nothing outside the process sees it, and it goes when the process ends.
class TmpfsMount final : public TempFolder {
public:
    enum class Access { ReadOnly, Writable };
    static constexpr std::size_t kDefaultSize = 1024 * 1024;
    static constexpr std::size_t kFullDiskSize = 64 * 1024;

    // Mounts a tmpfs of the given size, writes the entries into it, then (for ReadOnly)
    // remounts it read-only.
    TmpfsMount(const std::vector<TreeEntry>& entries, Access access, std::size_t sizeBytes = kDefaultSize);
    ~TmpfsMount();

    [[nodiscard]] bool mounted() const { return m_skipReason.empty(); }
    // Why nothing is mounted; for GTEST_SKIP.
    [[nodiscard]] const std::string& skipReason() const { return m_skipReason; }

    // A disk that a few files fill up.

private:
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
// permissions hold as they do for a plain user.
[[nodiscard]] ChildOutcome runAsNobody(const std::function<bool()>& action);

// Runs the action in a child process that may not make any file larger than the limit
// (RLIMIT_FSIZE): a write beyond it fails as on a full disk.
[[nodiscard]] ChildOutcome runWithFileSizeLimit(std::uint64_t limitBytes, const std::function<bool()>& action);

}  // namespace testing_support
