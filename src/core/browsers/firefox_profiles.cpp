#include "core/browsers/firefox_profiles.h"

#include <fcntl.h>
#include <unistd.h>

#include "core/browsers/firefox_places.h"
#include "core/platform/ascii.h"
#include "core/platform/file_listing.h"
#include "core/platform/file_ops.h"
#include "core/platform/ini_file.h"
#include "core/platform/lock_link.h"
#include "core/platform/paths.h"

namespace browsers {

namespace {

constexpr std::string_view kConfigRoot = "mozilla/firefox/";
constexpr std::string_view kHomeRoot = ".mozilla/firefox/";
// where the Snap package and the Flatpak keep their own home's ".mozilla"
constexpr std::string_view kSandboxedRoots[] = {
    "snap/firefox/common/.mozilla/firefox/",
    ".var/app/org.mozilla.firefox/.mozilla/firefox/",
};

constexpr std::string_view kProfilesFile = "profiles.ini";
constexpr std::string_view kInstallsFile = "installs.ini";
constexpr std::string_view kProfileSection = "Profile";
constexpr std::string_view kInstallSection = "Install";

// The name of every "[section]" of INI text, in the order written.
[[nodiscard]] std::vector<std::string> sectionsOf(std::string_view text) {
    std::vector<std::string> sections;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = platform::trim(text.substr(start, end - start), " \t\r");
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            sections.emplace_back(platform::trim(line.substr(1, line.size() - 2), platform::kSpaceAndTab));
        }
        start = end + 1;
    }
    return sections;
}

[[nodiscard]] std::string readIni(std::string_view root, std::string_view name) {
    std::string text;
    return platform::readWholeFile(platform::joinPath(root, name), text) ? text : std::string();
}

// A profile's folder as a profiles.ini or installs.ini writes it: below the root unless absolute.
[[nodiscard]] std::string profileFolderOf(std::string_view root, std::string_view path, bool relative) {
    return relative ? platform::joinPath(root, path) : std::string(path);
}

// The profile the first install section of an INI text names: in installs.ini every section
// is one, named by the install's code; profiles.ini puts "Install" in front of the code.
[[nodiscard]] std::optional<std::string> installDefault(std::string_view root, std::string_view text,
                                                        std::string_view sectionStart) {
    for (const std::string& section : sectionsOf(text)) {
        if (!platform::startsWithIgnoreCase(section, sectionStart)) {
            continue;
        }
        if (std::optional<std::string> path = platform::findProfileValue(text, section, "Default");
            path && !path->empty()) {
            return profileFolderOf(root, *path, !path->starts_with('/'));
        }
    }
    return std::nullopt;
}

struct NamedProfile {
    std::string folder;
    bool markedDefault = false;
};

[[nodiscard]] std::vector<NamedProfile> profilesOf(std::string_view root, std::string_view text) {
    std::vector<NamedProfile> profiles;
    for (const std::string& section : sectionsOf(text)) {
        const std::optional<std::string> path = platform::findProfileValue(text, section, "Path");
        if (!platform::startsWithIgnoreCase(section, kProfileSection) || !path || path->empty()) {
            continue;
        }
        const bool relative = platform::findProfileValue(text, section, "IsRelative").value_or("1") != "0";
        profiles.push_back({profileFolderOf(root, *path, relative),
                            platform::findProfileValue(text, section, "Default").value_or("") == "1"});
    }
    return profiles;
}

[[nodiscard]] bool parentLockHeld(const std::string& file) {
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    const bool held = ::fcntl(descriptor, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    ::close(descriptor);
    return held;
}

}  // namespace

std::vector<std::string> linuxFirefoxRoots(std::string_view configFolder, std::string_view homeFolder) {
    std::vector<std::string> roots;
    // an empty folder would put the roots at the top of the file system
    if (!configFolder.empty()) {
        roots.push_back(platform::joinPath(configFolder, kConfigRoot));
    }
    if (!homeFolder.empty()) {
        roots.push_back(platform::joinPath(homeFolder, kHomeRoot));
        for (const std::string_view sandboxed : kSandboxedRoots) {
            roots.push_back(platform::joinPath(homeFolder, sandboxed));
        }
    }
    return roots;
}

std::vector<std::string> linuxFirefoxStartRoots(std::string_view configFolder, std::string_view homeFolder) {
    std::vector<std::string> roots = linuxFirefoxRoots(configFolder, homeFolder);
    if (roots.size() > 1 && !configFolder.empty() && platform::folderExists(roots[1])) {
        std::swap(roots[0], roots[1]);
    }
    return roots;
}

std::vector<std::string> profilesNamedIn(std::string_view root) {
    std::vector<std::string> folders;
    for (NamedProfile& profile : profilesOf(root, readIni(root, kProfilesFile))) {
        folders.push_back(std::move(profile.folder));
    }
    return folders;
}

std::optional<std::string> defaultProfileFolder(std::string_view root) {
    const std::string profilesText = readIni(root, kProfilesFile);
    if (std::optional<std::string> installed = installDefault(root, readIni(root, kInstallsFile), "")) {
        return installed;
    }
    if (std::optional<std::string> installed = installDefault(root, profilesText, kInstallSection)) {
        return installed;
    }
    const std::vector<NamedProfile> profiles = profilesOf(root, profilesText);
    for (const NamedProfile& profile : profiles) {
        if (profile.markedDefault) {
            return profile.folder;
        }
    }
    return profiles.size() == 1 ? std::optional(profiles.front().folder) : std::nullopt;
}

std::optional<std::string> startedProfileWithDatabase(std::string_view configFolder, std::string_view homeFolder) {
    for (const std::string& root : linuxFirefoxStartRoots(configFolder, homeFolder)) {
        if (std::optional<std::string> profile = defaultProfileFolder(root)) {
            const bool hasDatabase = platform::fileExists(platform::joinPath(*profile, kPlacesFileName));
            return hasDatabase ? profile : std::nullopt;
        }
    }
    return std::nullopt;
}

bool profileInUse(std::string_view profileFolder) {
    // the "lock" link names "<address>:+<process id>"
    const std::optional<platform::LockLink> lock =
        platform::readLockLink(platform::joinPath(profileFolder, "lock"), ":+");
    return parentLockHeld(platform::joinPath(profileFolder, ".parentlock")) ||
           (lock && platform::processAlive(lock->process));
}

}  // namespace browsers
