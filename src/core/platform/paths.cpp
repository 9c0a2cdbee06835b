#include "core/platform/paths.h"

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "core/platform/ascii.h"

namespace platform {
namespace {

[[nodiscard]] bool exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

[[nodiscard]] std::vector<std::string_view> splitComponents(std::string_view path) {
    std::vector<std::string_view> components;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        if (slash > start) {
            components.push_back(path.substr(start, slash - start));
        }
        start = slash + 1;
    }
    return components;
}

// The entry of the folder whose name equals the wanted one without regard to case; of
// several, the first in name order, so the choice never depends on the directory's order.
[[nodiscard]] std::optional<std::string> findIgnoringCase(const std::string& folder, std::string_view wanted) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) {
        return std::nullopt;
    }
    std::optional<std::string> best;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (equalsIgnoreCase(name, wanted) && (!best || name < *best)) {
            best = std::string(name);
        }
    }
    ::closedir(dir);
    return best;
}

[[nodiscard]] std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return home;
    }
    if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr) {
        return user->pw_dir;
    }
    return "/";
}

// An XDG base folder: the variable when it holds an absolute path, else the fallback below home.
[[nodiscard]] std::string xdgFolder(const char* variable, std::string_view fallbackBelowHome) {
    if (const char* value = std::getenv(variable); value != nullptr && value[0] == '/') {
        return value;
    }
    return joinPath(homeFolder(), fallbackBelowHome);
}

[[nodiscard]] std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

// Mount points in mountinfo write blanks, tabs, newlines and backslashes as \ooo.
[[nodiscard]] std::string unescapeMountPoint(std::string_view text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool octal =
            text[i] == '\\' && i + 3 < text.size() &&
            std::all_of(text.begin() + i + 1, text.begin() + i + 4, [](char c) { return c >= '0' && c <= '7'; });
        if (octal) {
            result += static_cast<char>((text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 + (text[i + 3] - '0'));
            i += 3;
        } else {
            result += text[i];
        }
    }
    return result;
}

[[nodiscard]] std::vector<std::string> mountPoints() {
    std::vector<std::string> points;
    std::ifstream mountinfo("/proc/self/mountinfo");
    std::string line;
    while (std::getline(mountinfo, line)) {
        // fields: mount id, parent id, major:minor, root, mount point, ...
        std::istringstream fields(line);
        std::string skipped;
        std::string point;
        fields >> skipped >> skipped >> skipped >> skipped >> point;
        if (!point.empty()) {
            points.push_back(unescapeMountPoint(point));
        }
    }
    return points;
}

[[nodiscard]] bool isAtOrBelow(std::string_view path, std::string_view folder) {
    if (folder == "/") {
        return true;
    }
    return path.starts_with(folder) && (path.size() == folder.size() || path[folder.size()] == '/');
}

// The real path of the nearest existing folder at or above the path.
[[nodiscard]] std::string nearestExistingRealPath(std::string path) {
    while (true) {
        if (char* real = ::realpath(path.c_str(), nullptr); real != nullptr) {
            std::string result(real);
            std::free(real);
            return result;
        }
        const std::size_t slash = path.find_last_of('/');
        if (slash == std::string::npos || slash == 0) {
            return "/";
        }
        path.resize(slash);
    }
}

}  // namespace

std::string resolvePath(std::string_view path) {
    // a path that exists as written is the common case: one look-up instead of one per component
    if (!path.empty() && exists(std::string(path))) {
        return std::string(path);
    }
    const bool absolute = path.starts_with('/');
    std::string resolved = absolute ? "/" : "";
    bool missing = false;
    for (const std::string_view component : splitComponents(path)) {
        std::string next = resolved.empty() || resolved.back() == '/' ? resolved : resolved + '/';
        if (missing || component == "." || component == ".." || exists(next + std::string(component))) {
            resolved = next + std::string(component);
            continue;
        }
        const std::optional<std::string> match = findIgnoringCase(resolved, component);
        missing = !match.has_value();
        resolved = next + (match ? *match : std::string(component));
    }
    if (path.size() > 1 && path.ends_with('/') && !resolved.ends_with('/')) {
        resolved += '/';
    }
    return resolved;
}

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string result(folder);
    if (result.empty() || result.back() != '/') {
        result += '/';
    }
    result += name;
    return result;
}

std::string withTrailingSlash(std::string_view path) {
    std::string result(path);
    if (result.empty() || result.back() != '/') {
        result += '/';
    }
    return result;
}

std::string executableFolder() {
    const std::string executable = executablePath();
    const std::size_t slash = executable.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : executable.substr(0, slash);
}

std::string executableName() {
    const std::string executable = executablePath();
    return executable.substr(executable.find_last_of('/') + 1);
}

std::string executablePath() {
    if (const char* started = std::getenv(kStartedProgramVariable); started != nullptr && *started == '/') {
        return started;
    }
    std::vector<char> buffer(4096);
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) {
        return {};
    }
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

std::string defaultProductFamilyFolder() { return joinPath(xdgFolder("XDG_CACHE_HOME", ".cache"), "Velqor"); }

std::string defaultConfigFolder() { return xdgFolder("XDG_CONFIG_HOME", ".config"); }

std::string defaultRegistryFile() { return joinPath(defaultConfigFolder(), "Velqor/registry.reg"); }

std::string driveRootOf(std::string_view path) {
    const std::string real = nearestExistingRealPath(withoutTrailingSlashes(resolvePath(path)));
    std::string best = "/";
    for (const std::string& point : mountPoints()) {
        if (point.size() > best.size() && isAtOrBelow(real, point)) {
            best = point;
        }
    }
    return best;
}

bool lessIgnoringCase(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const char x = upperAscii(a[i]);
        const char y = upperAscii(b[i]);
        if (x != y) {
            return x < y;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    return a < b;
}

}  // namespace platform
