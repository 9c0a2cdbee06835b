#include "core/platform/lock_link.h"

#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>

namespace platform {

std::optional<LockLink> readLockLink(const std::string& path, std::string_view mark) {
    std::array<char, 512> target{};
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length <= 0) {
        return std::nullopt;
    }
    const std::string_view text(target.data(), static_cast<std::size_t>(length));
    const std::size_t at = text.rfind(mark);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view digits = text.substr(at + mark.size());
    LockLink lock{std::string(text.substr(0, at))};
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), lock.process);
    if (error != std::errc() || end != digits.data() + digits.size() || lock.process <= 0) {
        return std::nullopt;
    }
    return lock;
}

bool processAlive(pid_t process) { return ::kill(process, 0) == 0 || errno != ESRCH; }

}  // namespace platform
