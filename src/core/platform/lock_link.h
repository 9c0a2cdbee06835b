#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// A lock that a running program leaves as a symbolic link whose target ends in its process
// id after a mark ("host-1234", "192.168.1.2:+1234"): the text before the mark names the
// computer, the number the process.
struct LockLink {
    std::string computer;
    pid_t process = 0;
};

// The lock a link holds; nothing when there is no such link or its target does not end in a
// process id after the mark.
[[nodiscard]] std::optional<LockLink> readLockLink(const std::string& path, std::string_view mark);

// True while the process lives, also when it is another user's.
[[nodiscard]] bool processAlive(pid_t process);

}  // namespace platform
