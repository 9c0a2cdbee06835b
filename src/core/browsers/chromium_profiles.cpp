#include "core/browsers/chromium_profiles.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <nlohmann/json.hpp>

#include "core/platform/file_listing.h"
#include "core/platform/file_ops.h"
#include "core/platform/lock_link.h"
#include "core/platform/paths.h"

namespace browsers {

namespace {

using Json = nlohmann::json;

constexpr std::string_view kLocalStateFileName = "Local State";
constexpr std::string_view kLockName = "SingletonLock";
constexpr std::string_view kFirstProfile = "Default";

struct Place {
    ChromiumBrowser browser;
    std::string_view name;
    std::string_view belowConfig;    // below the settings folder
    std::string_view snapBelowHome;  // empty: no Snap package
    std::string_view flatpakBelowHome;
};

constexpr std::array<Place, 5> kPlaces{{
    {ChromiumBrowser::Chrome, "Google Chrome", "google-chrome", "", ".var/app/com.google.Chrome/config/google-chrome"},
    {ChromiumBrowser::Chromium, "Chromium", "chromium", "snap/chromium/common/chromium",
     ".var/app/org.chromium.Chromium/config/chromium"},
    {ChromiumBrowser::Brave, "Brave", "BraveSoftware/Brave-Browser",
     "snap/brave/current/.config/BraveSoftware/Brave-Browser",
     ".var/app/com.brave.Browser/config/BraveSoftware/Brave-Browser"},
    {ChromiumBrowser::Vivaldi, "Vivaldi", "vivaldi", "snap/vivaldi/current/.config/vivaldi",
     ".var/app/com.vivaldi.Vivaldi/config/vivaldi"},
    {ChromiumBrowser::Edge, "Microsoft Edge", "microsoft-edge", "",
     ".var/app/com.microsoft.Edge/config/microsoft-edge"},
}};

void addWhenPresent(std::vector<ChromiumInstall>& found, ChromiumBrowser browser, std::string name,
                    std::string_view base, std::string_view relative) {
    // an empty base would put the folder at the top of the file system
    if (base.empty() || relative.empty()) {
        return;
    }
    std::string folder = platform::joinPath(base, relative);
    if (platform::fileExists(platform::joinPath(folder, kLocalStateFileName))) {
        found.push_back(ChromiumInstall{browser, std::move(name), std::move(folder)});
    }
}

// A profile folder name stays inside the user-data folder.
[[nodiscard]] bool isProfileFolderName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

[[nodiscard]] std::string textOf(const Json& value) { return value.is_string() ? value.get<std::string>() : ""; }

[[nodiscard]] ChromiumProfile profileOf(const Json& infoCache, const std::string& folder) {
    const auto info = infoCache.find(folder);
    std::string name = info != infoCache.end() && info->is_object() ? textOf(info->value("name", Json())) : "";
    return ChromiumProfile{folder, name.empty() ? folder : std::move(name)};
}

void addProfile(ChromiumProfiles& profiles, const Json& infoCache, const std::string& folder) {
    if (!isProfileFolderName(folder)) {
        return;
    }
    for (const ChromiumProfile& listed : profiles.listed) {
        if (listed.folder == folder) {
            return;
        }
    }
    profiles.listed.push_back(profileOf(infoCache, folder));
}

[[nodiscard]] ChromiumProfiles firstProfileOnly() {
    const ChromiumProfile first{std::string(kFirstProfile), std::string(kFirstProfile)};
    return ChromiumProfiles{{first}, first};
}

[[nodiscard]] std::string thisHost() {
    std::array<char, HOST_NAME_MAX + 1> host{};
    return ::gethostname(host.data(), host.size() - 1) == 0 ? std::string(host.data()) : std::string();
}

}  // namespace

std::vector<ChromiumInstall> findChromiumInstalls(std::string_view homeFolder, std::string_view configFolder) {
    std::vector<ChromiumInstall> found;
    for (const Place& place : kPlaces) {
        addWhenPresent(found, place.browser, std::string(place.name), configFolder, place.belowConfig);
        addWhenPresent(found, place.browser, std::string(place.name) + " (Snap)", homeFolder, place.snapBelowHome);
        addWhenPresent(found, place.browser, std::string(place.name) + " (Flatpak)", homeFolder,
                       place.flatpakBelowHome);
    }
    return found;
}

ChromiumProfiles chromiumProfiles(const std::string& userDataFolder) {
    std::string text;
    if (!platform::readWholeFile(platform::joinPath(userDataFolder, kLocalStateFileName), text)) {
        return firstProfileOnly();
    }
    return chromiumProfilesFromLocalState(text);
}

ChromiumProfiles chromiumProfilesFromLocalState(std::string_view localStateText) {
    const Json state = Json::parse(localStateText, nullptr, false);
    const auto found = state.is_object() ? state.find("profile") : state.end();
    if (found == state.end() || !found->is_object()) {
        return firstProfileOnly();
    }
    const Json* profile = &*found;
    const Json infoCache = profile->value("info_cache", Json::object());
    if (!infoCache.is_object()) {
        return firstProfileOnly();
    }
    ChromiumProfiles profiles;
    if (const Json order = profile->value("profiles_order", Json()); order.is_array()) {
        for (const Json& folder : order) {
            addProfile(profiles, infoCache, textOf(folder));
        }
    }
    for (const auto& [folder, info] : infoCache.items()) {
        addProfile(profiles, infoCache, folder);
    }
    if (profiles.listed.empty()) {
        return firstProfileOnly();
    }
    const std::string lastUsed = textOf(profile->value("last_used", Json()));
    profiles.lastUsed = isProfileFolderName(lastUsed) ? profileOf(infoCache, lastUsed) : profiles.listed.front();
    return profiles;
}

bool chromiumRuns(const std::string& userDataFolder) {
    const std::string lock = platform::joinPath(userDataFolder, kLockName);
    struct stat status {};
    if (::lstat(lock.c_str(), &status) != 0) {
        return errno != ENOENT;
    }
    // a lock of another computer, or one that cannot be read, is taken as the browser's
    const std::optional<platform::LockLink> owner = platform::readLockLink(lock, "-");
    return !owner || owner->computer != thisHost() || platform::processAlive(owner->process);
}

}  // namespace browsers
