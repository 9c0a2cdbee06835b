#include "core/browsers/browser_locations.h"

#include "core/platform/ascii.h"
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

[[nodiscard]] std::string_view relativeProfilesPath(BookmarkBrowser browser, bool netscapeBrowserInstalled) {
    switch (browser) {
        case BookmarkBrowser::Firefox:
            return kFirefoxProfiles;
        case BookmarkBrowser::Mozilla:
            return kMozillaProfiles;
        case BookmarkBrowser::Netscape:
            // an older Netscape shares Mozilla's profiles
            return netscapeBrowserInstalled ? kNetscapeBrowserProfiles : kMozillaProfiles;
    }
    return kMozillaProfiles;
}

[[nodiscard]] bool isFirefoxBackup(const std::string& path) {
    return platform::toLowerAscii(path).find(kFirefoxBackupFolder) != std::string::npos;
}

}  // namespace

std::string ieFavoritesFolder(const app::AppContext& context) {
    return support::GetIEFavoritesPath(support::openRegistry(context));
}

std::string userProfileFolder(std::string_view favoritesFolder) {
    const std::size_t lastSlash = favoritesFolder.rfind('/');
    return lastSlash == std::string_view::npos ? std::string() : std::string(favoritesFolder.substr(0, lastSlash + 1));
}

std::string profileRoot(BookmarkBrowser browser, std::string_view userProfileFolder, bool netscapeBrowserInstalled) {
    // Without a Favorites folder there is no user profile folder to start from: the browser
    // counts as absent, rather than being looked for relative to wherever the program runs.
    if (userProfileFolder.empty()) {
        return {};
    }
    return std::string(userProfileFolder) + std::string(relativeProfilesPath(browser, netscapeBrowserInstalled));
}

std::string profileRootOf(app::AppContext& context, BookmarkBrowser browser) {
    const platform::Registry registry = support::openRegistry(context);
    if (browser == BookmarkBrowser::Netscape) {
        support::cRegistry(registry).RegDirNet(platform::RegistryRoot::LocalMachine, "HKEY_LOCAL_MACHINE",
                                               kUninstallKey, kNetscapeSearchText, context.netscapeBrowserInstalled);
    }
    return profileRoot(browser, userProfileFolder(support::GetIEFavoritesPath(registry)),
                       context.netscapeBrowserInstalled);
}

std::vector<std::string> findBookmarkFiles(std::string_view profileRoot) {
    std::vector<std::string> found;
    // an empty root would make the search start at the top of the file system
    if (profileRoot.empty()) {
        return found;
    }
    int fileCount = 0;
    int folderCount = 0;
    // the files are named as the drive spells their folders, so every later step finds them
    static_cast<void>(store::FindFilesAPI(platform::resolvePath(profileRoot), kBookmarkFileName, fileCount,
                                          folderCount, found));
    return found;
}

std::vector<std::string> bookmarkFiles(BookmarkBrowser browser, std::string_view profileRoot) {
    std::vector<std::string> files = findBookmarkFiles(profileRoot);
    if (browser == BookmarkBrowser::Firefox) {
        std::erase_if(files, isFirefoxBackup);
    }
    return files;
}

}  // namespace browsers
