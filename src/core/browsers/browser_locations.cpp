#include "core/browsers/browser_locations.h"

#include <optional>

#include "core/browsers/firefox_places.h"
#include "core/browsers/firefox_profiles.h"
#include "core/platform/ascii.h"
#include "core/platform/file_listing.h"
#include "core/platform/paths.h"
#include "core/platform/registry.h"
#include "core/store/store_files.h"
#include "core/support/registry_access.h"
#include "core/support/system_registry.h"

namespace browsers {

namespace {

constexpr std::string_view kFirefoxProfiles = "Application data/Mozilla/Firefox/Profiles/";
constexpr std::string_view kMozillaProfiles = "Application data/Mozilla/Profiles/";
constexpr std::string_view kNetscapeBrowserProfiles = "Application Data/Netscape/NSB/Profiles/";

constexpr std::string_view kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr std::string_view kNetscapeSearchText = "Netscape";

constexpr std::string_view kFirefoxBackupFolder = "bookmarkbackups";

// Nothing for a browser without profile folders.
[[nodiscard]] std::optional<std::string_view> relativeProfilesPath(store::Browser browser,
                                                                   bool netscapeBrowserInstalled) {
    switch (browser) {
        case store::Browser::Firefox:
            return kFirefoxProfiles;
        case store::Browser::Mozilla:
            return kMozillaProfiles;
        case store::Browser::Netscape:
            // an older Netscape shares Mozilla's profiles
            return netscapeBrowserInstalled ? kNetscapeBrowserProfiles : kMozillaProfiles;
        case store::Browser::InternetExplorer:
        case store::Browser::Chrome:
            break;
    }
    return std::nullopt;
}

[[nodiscard]] bool isFirefoxBackup(const std::string& path) {
    return platform::toLowerAscii(path).find(kFirefoxBackupFolder) != std::string::npos;
}

// Every file of the name below the root, at any depth, in the order found.
[[nodiscard]] std::vector<std::string> findFilesNamed(std::string_view root, std::string_view name) {
    std::vector<std::string> found;
    // an empty root would make the search start at the top of the file system
    if (root.empty()) {
        return found;
    }
    int fileCount = 0;
    int folderCount = 0;
    // the files are named as the drive spells their folders, so every later step finds them
    static_cast<void>(store::FindFilesAPI(platform::resolvePath(root), name, fileCount, folderCount, found));
    return found;
}

[[nodiscard]] bool profileHoldsBookmarkFile(const std::string& databasePath) {
    return platform::fileExists(databasePath.substr(0, databasePath.rfind('/') + 1) + std::string(kBookmarkFileName));
}

}  // namespace

std::string ieFavoritesFolder(const app::AppContext& context) {
    return support::GetIEFavoritesPath(support::openRegistry(context));
}

std::string userProfileFolder(std::string_view favoritesFolder) {
    const std::size_t lastSlash = favoritesFolder.rfind('/');
    return lastSlash == std::string_view::npos ? std::string() : std::string(favoritesFolder.substr(0, lastSlash + 1));
}

std::string profileRoot(store::Browser browser, std::string_view userProfileFolder, bool netscapeBrowserInstalled) {
    const std::optional<std::string_view> relativePath = relativeProfilesPath(browser, netscapeBrowserInstalled);
    // Without a Favorites folder there is no user profile folder to start from: the browser
    // counts as absent, rather than being looked for relative to wherever the program runs.
    if (userProfileFolder.empty() || !relativePath) {
        return {};
    }
    return std::string(userProfileFolder) + std::string(*relativePath);
}

std::string profileRootOf(app::AppContext& context, store::Browser browser) {
    const platform::Registry registry = support::openRegistry(context);
    if (browser == store::Browser::Netscape) {
        support::cRegistry(registry).RegDirNet(platform::RegistryRoot::LocalMachine, "HKEY_LOCAL_MACHINE",
                                               kUninstallKey, kNetscapeSearchText, context.netscapeBrowserInstalled);
    }
    return profileRoot(browser, userProfileFolder(support::GetIEFavoritesPath(registry)),
                       context.netscapeBrowserInstalled);
}

std::vector<std::string> firefoxProfileRoots(app::AppContext& context) {
    std::vector<std::string> roots;
    if (std::string root = profileRootOf(context, store::Browser::Firefox); !root.empty()) {
        roots.push_back(std::move(root));
    }
    for (const std::string& root : linuxFirefoxRoots(context.configFolder, context.homeFolder)) {
        roots.push_back(root);
        // a profile named by its own path may lie anywhere; one below the root is found there
        for (std::string& profile : profilesNamedIn(root)) {
            if (!profile.starts_with(root)) {
                roots.push_back(platform::withTrailingSlash(profile));
            }
        }
    }
    return roots;
}

std::vector<std::string> findBookmarkFiles(std::string_view profileRoot) {
    return findFilesNamed(profileRoot, kBookmarkFileName);
}

std::vector<std::string> findPlacesDatabases(std::string_view profileRoot) {
    std::vector<std::string> databases = findFilesNamed(profileRoot, kPlacesFileName);
    std::erase_if(databases, profileHoldsBookmarkFile);
    return databases;
}

std::vector<std::string> bookmarkFiles(store::Browser browser, std::string_view profileRoot) {
    std::vector<std::string> files = findBookmarkFiles(profileRoot);
    if (browser == store::Browser::Firefox) {
        std::erase_if(files, isFirefoxBackup);
    }
    return files;
}

}  // namespace browsers
