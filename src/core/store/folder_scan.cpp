#include "core/store/folder_scan.h"

#include <array>
#include <string_view>

#include "core/platform/ascii.h"
#include "core/platform/file_listing.h"
#include "core/platform/file_ops.h"
#include "core/platform/folder_names.h"
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

std::vector<LinkRow> listLinks(const std::string& folderPath, RowText rowText, FileTexts fileTexts,
                               const std::function<void()>& onEachEntry) {
    std::vector<LinkRow> rows;
    const platform::FolderNames listed(folderPath);
    const std::string folder = platform::withTrailingSlash(listed.folder());
    // a folder shows as a row only when it carries some other attribute too
    for (std::string& name : platform::listShownFiles(folder, "*.url")) {
        if (onEachEntry) {
            onEachEntry();
        }
        // "." and ".." among them
        if (name.ends_with('.')) {
            continue;
        }
        std::optional<std::string> fileText(std::in_place);
        // the listing gave the name as it is on disk: the file is read as it stands
        if (!platform::readListedFile(listed, name, *fileText)) {
            fileText.reset();
        }
        std::string target = fileText ? linkTargetFromText(*fileText) : "";
        if (fileTexts == FileTexts::Drop) {
            fileText.reset();
        }
        std::string fullPath = folder + name;
        std::string text = rowText == RowText::LinkName ? linkNameOf(name) : std::move(name);
        rows.push_back({std::move(text), std::move(target), std::move(fullPath), std::move(fileText)});
    }
    return rows;
}

}  // namespace store
