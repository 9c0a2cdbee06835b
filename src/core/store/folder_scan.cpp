#include "core/store/folder_scan.h"

#include <array>
#include <string_view>

#include "core/platform/ascii.h"
#include "core/platform/file_listing.h"
#include "core/platform/file_ops.h"
#include "core/platform/paths.h"
#include "core/store/shortcut.h"

namespace store {

namespace {

struct BrowserMark {
    std::string_view upperName;
    int image;
};

constexpr std::array<BrowserMark, 4> kBrowserMarks{{
    {"INTERNET EXPLORER", kImageInternetExplorer},
    {"FIREFOX", kImageFirefox},
    {"MOZILLA", kImageMozilla},
    {"NETSCAPE", kImageNetscape},
}};

bool isDotName(std::string_view name) { return name == "." || name == ".."; }

}  // namespace

std::string storeKeyRoot(const std::string& applicationFolder) { return applicationFolder + "/Favorites/"; }

int folderImage(const std::string& applicationFolder, const std::string& folderPath) {
    const std::string root = storeKeyRoot(applicationFolder);
    std::string_view below = folderPath;
    if (platform::startsWithIgnoreCase(below, root)) {
        below.remove_prefix(root.size());
    }
    int image = kImagePlainFolder;
    for (const BrowserMark& mark : kBrowserMarks) {
        if (platform::startsWithIgnoreCase(below, mark.upperName)) {
            image = mark.image;
        }
    }
    return image;
}

std::vector<SubfolderEntry> scanSubfolders(const std::string& applicationFolder, const std::string& folderPath) {
    std::vector<SubfolderEntry> folders;
    for (const platform::FindEntry& entry : platform::listSubfolders(folderPath)) {
        if (entry.name.starts_with('.')) {
            continue;
        }
        std::string key = folderPath + entry.name;
        const int image = folderImage(applicationFolder, key);
        folders.push_back({entry.name, std::move(key), image});
    }
    return folders;
}

std::vector<LinkRow> listLinks(const std::string& folderPath, RowText rowText,
                               const std::function<void()>& onEachEntry) {
    std::vector<LinkRow> rows;
    const std::string folder = platform::withTrailingSlash(platform::resolvePath(folderPath));
    for (platform::FindEntry& entry : platform::listFolder(folder, "*.url")) {
        if (onEachEntry) {
            onEachEntry();
        }
        // a folder shows as a row only when it carries some other attribute too
        if (entry.attributes == platform::kAttrDirectory || entry.name.ends_with('.') || isDotName(entry.name)) {
            continue;
        }
        std::string fullPath = folder + entry.name;
        std::string fileText;
        // the listing gave the name as it is on disk: the file is read as it stands
        std::string target = platform::readListedFile(fullPath, fileText) ? linkTargetFromText(fileText) : "";
        std::string text = rowText == RowText::LinkName ? linkNameOf(entry.name) : std::move(entry.name);
        rows.push_back({std::move(text), std::move(target), std::move(fullPath)});
    }
    return rows;
}

}  // namespace store
