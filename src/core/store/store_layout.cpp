#include "core/store/store_layout.h"

#include <array>

#include "core/platform/ascii.h"
#include "core/platform/file_listing.h"
#include "core/platform/file_ops.h"
#include "core/platform/paths.h"

namespace store {

namespace {

struct TopFolder {
    Browser browser;
    std::string_view name;  // its spelling on the drive; paths find it whatever their case
    int image;
    bool madeWithStore;  // made whenever the store is, not only by an import
};

// One row a browser; a path is tested against the rows in this order.
constexpr std::array<TopFolder, 5> kTopFolders{{
    {Browser::InternetExplorer, "Internet Explorer", kImageInternetExplorer, true},
    {Browser::Netscape, "Netscape", kImageNetscape, false},
    {Browser::Mozilla, "Mozilla", kImageMozilla, false},
    {Browser::Firefox, "Firefox", kImageFirefox, true},
    {Browser::Chrome, "Chrome", kImageChrome, true},
}};

[[nodiscard]] const TopFolder& rowOf(Browser browser) {
    for (const TopFolder& top : kTopFolders) {
        if (top.browser == browser) {
            return top;
        }
    }
    return kTopFolders.front();
}

}  // namespace

// the store root is made in lower case; the tree's keys reach it as "Favorites"
std::string storeRoot(std::string_view applicationFolder) { return platform::joinPath(applicationFolder, "favorites"); }

std::string storeKeyRoot(std::string_view applicationFolder) { return std::string(applicationFolder) + "/Favorites/"; }

std::string_view topFolderName(Browser browser) { return rowOf(browser).name; }

std::string topFolder(std::string_view applicationFolder, Browser browser) {
    return platform::joinPath(storeRoot(applicationFolder), topFolderName(browser));
}

int browserImage(Browser browser) { return rowOf(browser).image; }

std::optional<Browser> browserOfPath(std::string_view pathBelowStoreRoot) {
    for (const TopFolder& top : kTopFolders) {
        if (platform::startsWithIgnoreCase(pathBelowStoreRoot, top.name)) {
            return top.browser;
        }
    }
    return std::nullopt;
}

std::string_view pathBelowStoreRoot(std::string_view applicationFolder, std::string_view key) {
    const std::string keyRoot = storeKeyRoot(applicationFolder);
    return key.starts_with(keyRoot) ? key.substr(keyRoot.size()) : std::string_view();
}

std::string folderOfKey(std::string_view applicationFolder, std::string_view key) {
    return key == kRootKey ? storeRoot(applicationFolder) : std::string(key);
}

int folderImage(std::string_view applicationFolder, std::string_view folderPath) {
    std::string_view below = folderPath;
    if (const std::string keyRoot = storeKeyRoot(applicationFolder); platform::startsWithIgnoreCase(below, keyRoot)) {
        below.remove_prefix(keyRoot.size());
    }
    const std::optional<Browser> browser = browserOfPath(below);
    return browser ? browserImage(*browser) : kImagePlainFolder;
}

void CreateFolder(std::string_view applicationFolder) {
    std::vector<std::string> folders{storeRoot(applicationFolder)};
    for (const TopFolder& top : kTopFolders) {
        if (top.madeWithStore) {
            folders.push_back(topFolder(applicationFolder, top.browser));
        }
    }
    for (const std::string& folder : folders) {
        // any entry of that name counts as present, hidden or read-only alike
        if (!platform::fileAttributes(folder).has_value()) {
            static_cast<void>(platform::createFolder(folder));
        }
    }
}

}  // namespace store
