#include "core/browsers/transfer_folders.h"

#include <array>

#include "core/platform/ascii.h"
#include "core/platform/file_listing.h"
#include "core/platform/file_ops.h"
#include "core/store/store_files.h"

namespace browsers {

namespace {

struct TopFolder {
    StoreBrowser browser;
    std::string_view pathStart;  // how a path below the store root begins, case ignored
    std::string_view folder;     // the top folder's own spelling
};

// In the order a path is tested; the first match wins.
constexpr std::array<TopFolder, 4> kTopFolders{{
    {StoreBrowser::InternetExplorer, "Internet Explorer", "Internet Explorer"},
    {StoreBrowser::Netscape, "Netscape", "Netscape"},
    {StoreBrowser::Mozilla, "Mozilla", "Mozilla"},
    {StoreBrowser::Firefox, "FireFox", "Firefox"},
}};

[[nodiscard]] std::string_view parentOf(std::string_view path) {
    while (path.size() > 1 && path.ends_with('/')) {
        path.remove_suffix(1);
    }
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
}

}  // namespace

std::optional<StoreBrowser> storeBrowserOf(std::string_view pathBelowStoreRoot) {
    for (const TopFolder& top : kTopFolders) {
        if (platform::startsWithIgnoreCase(pathBelowStoreRoot, top.pathStart)) {
            return top.browser;
        }
    }
    return std::nullopt;
}

std::string_view storeTopFolder(StoreBrowser browser) {
    for (const TopFolder& top : kTopFolders) {
        if (top.browser == browser) {
            return top.folder;
        }
    }
    return {};
}

bool emptyStagingFolder(std::string_view stagingFolder) {
    static_cast<void>(platform::createPrivateFolder(parentOf(stagingFolder)));
    return (!platform::folderExists(stagingFolder) || store::deletePath(stagingFolder)) &&
           platform::createFolder(stagingFolder);
}

}  // namespace browsers
