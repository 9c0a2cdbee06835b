#include "core/browsers/bookmark_loads.h"

#include <array>
#include <filesystem>
#include <system_error>
#include <unordered_set>

#include "core/browsers/bookmark_reader.h"
#include "core/browsers/browser_locations.h"
#include "core/browsers/firefox_places.h"
#include "core/browsers/transfer_folders.h"
#include "core/platform/file_listing.h"
#include "core/platform/file_ops.h"
#include "core/platform/folder_names.h"
#include "core/platform/paths.h"
#include "core/platform/replace_file.h"

namespace browsers {

namespace {

[[nodiscard]] bool isDotEntry(std::string_view name) { return name == "." || name == ".."; }

struct NodeMark {
    store::Browser browser;
    std::string_view mark;  // what the name of a node that loads the browser holds
};

// In the order a node's name is tested; the first match wins.
constexpr std::array<NodeMark, 3> kBookmarkNodeMarks{{
    {store::Browser::Netscape, "Netscape"},
    {store::Browser::Mozilla, "Mozilla"},
    {store::Browser::Firefox, "FireFox"},
}};

// The 8-bit file functions show characters outside the PC's code page as '?'; such a name
// cannot be reached again, so it is never copied.
[[nodiscard]] bool holdsUnshowableCharacter(std::string_view text) { return text.find('?') != std::string_view::npos; }

// Reads the chosen files one after the other into the link table. The staging folder is
// emptied before each file, and the whole table written again after it. False when a file
// cannot be read, which ends the load.
[[nodiscard]] bool stageBookmarkFiles(const std::vector<std::string>& files, LinkTable& table,
                                      std::string_view stagingFolder) {
    for (const std::string& file : files) {
        emptyStagingFolder(stagingFolder);
        std::string text;
        if (!platform::readWholeFile(file, text)) {
            return false;
        }
        extractFURL(text, table);
        createURLFile(table, stagingFolder);
    }
    return true;
}

[[nodiscard]] LoadOutcome loadBookmarkFiles(store::Browser browser, std::string_view profileRoot,
                                            std::string_view stagingFolder) {
    LinkTable table;
    return stageBookmarkFiles(bookmarkFiles(browser, profileRoot), table, stagingFolder) ? LoadOutcome::Staged
                                                                                         : LoadOutcome::Unreadable;
}

// The scratch folder: the folder that holds the staging folder.
[[nodiscard]] std::string scratchFolderOf(std::string_view stagingFolder) {
    return std::filesystem::path(platform::withTrailingSlash(stagingFolder)).parent_path().parent_path().string();
}

// Reads a database into the link table and stages the whole table afresh. A database that
// cannot be read changes nothing: the staging folder keeps the links read before it.
[[nodiscard]] bool stagePlacesDatabase(const std::string& database, LinkTable& table, std::string_view stagingFolder) {
    if (!readPlacesDatabase(database, scratchFolderOf(stagingFolder), table)) {
        return false;
    }
    emptyStagingFolder(stagingFolder);
    createURLFile(table, stagingFolder);
    return true;
}

// The files a load has read, by where they really lie: a profile reached along two roads
// (a root inside another, a profile named by its path, a link) is read once.
class FilesRead final {
public:
    [[nodiscard]] std::vector<std::string> firstTime(std::vector<std::string> files) {
        std::erase_if(files, [this](const std::string& file) {
            std::error_code error;
            const std::filesystem::path real = std::filesystem::weakly_canonical(file, error);
            return !m_read.insert(error ? file : real.string()).second;
        });
        return files;
    }

private:
    std::unordered_set<std::string> m_read;
};

// Stages one Favorites folder (spelled as on the drive, ending in '/') and the folders below it.
void stageFavoritesFolder(const std::string& path, platform::FolderNames& staging) {
    std::vector<std::string> subfolders;
    for (const platform::FindEntry& entry : platform::listSubfolders(path)) {
        if (holdsUnshowableCharacter(path + entry.name)) {
            continue;
        }
        subfolders.push_back(entry.name);
        static_cast<void>(platform::createFolderIn(staging, entry.name));
    }
    const platform::FolderNames favorites(path);
    for (const platform::FindEntry& entry : platform::listFolder(path, "*.url")) {
        // the listing has just told whether the entry is a file
        if (isDotEntry(entry.name) || holdsUnshowableCharacter(entry.name) ||
            (entry.attributes & platform::kAttrDirectory) != 0) {
            continue;
        }
        static_cast<void>(platform::copyFileBetween(favorites, entry.name, staging));
    }
    for (const std::string& subfolder : subfolders) {
        stageFavoritesFolder(path + subfolder + "/", staging);
    }
}

}  // namespace

LoadOutcome loadURLFirefox(const std::vector<std::string>& profileRoots, std::string_view stagingFolder) {
    LinkTable table;
    bool found = false;
    FilesRead read;
    for (const std::string& root : profileRoots) {
        const std::vector<std::string> files = read.firstTime(bookmarkFiles(store::Browser::Firefox, root));
        if (!stageBookmarkFiles(files, table, stagingFolder)) {
            return LoadOutcome::Unreadable;
        }
        // the search is repeated just to learn whether the files passed over were all there was
        found = found || !files.empty() || !findBookmarkFiles(root).empty();
        for (const std::string& database : read.firstTime(findPlacesDatabases(root))) {
            found = stagePlacesDatabase(database, table, stagingFolder) || found;
        }
    }
    return found ? LoadOutcome::Staged : LoadOutcome::NoBookmarkFile;
}

LoadOutcome loadURLMozilla(std::string_view profileRoot, std::string_view stagingFolder) {
    return loadBookmarkFiles(store::Browser::Mozilla, profileRoot, stagingFolder);
}

LoadOutcome loadURLNetscape(std::string_view profileRoot, std::string_view stagingFolder) {
    return loadBookmarkFiles(store::Browser::Netscape, profileRoot, stagingFolder);
}

void loadURLIE(const app::AppContext& context) {
    const std::string staging = context.stagingFolder();
    emptyStagingFolder(staging);
    const std::string favorites = ieFavoritesFolder(context);
    // without a Favorites folder there is nothing to stage; an empty path would name the
    // top of the file system
    if (!favorites.empty()) {
        GetValidIEURL(favorites, staging);
    }
}

void GetValidIEURL(std::string_view folder, std::string_view stagingFolder) {
    platform::FolderNames staging(stagingFolder);
    stageFavoritesFolder(platform::withTrailingSlash(platform::resolvePath(folder)), staging);
}

std::optional<store::Browser> bookmarkBrowserOfNode(std::string_view nodeName) {
    for (const NodeMark& node : kBookmarkNodeMarks) {
        if (nodeName.find(node.mark) != std::string_view::npos) {
            return node.browser;
        }
    }
    return std::nullopt;
}

LoadOutcome loadBookmarks(app::AppContext& context, store::Browser browser) {
    const std::string staging = context.stagingFolder();
    switch (browser) {
        case store::Browser::Firefox:
            return loadURLFirefox(firefoxProfileRoots(context), staging);
        case store::Browser::Mozilla:
            return loadURLMozilla(profileRootOf(context, browser), staging);
        case store::Browser::Netscape:
            return loadURLNetscape(profileRootOf(context, browser), staging);
        case store::Browser::InternetExplorer:
        case store::Browser::Chrome:
            break;
    }
    return LoadOutcome::Unreadable;
}

ImportReport importLinks(const app::AppContext& context, const ImportRequest& request) {
    static_cast<void>(platform::createPrivateFolder(context.scratchFolder()));
    const std::string_view destination = store::pathBelowStoreRoot(context.applicationFolder, request.destinationKey);
    if (destination.empty()) {
        return {ImportOutcome::NoDestination, {}};
    }
    if (!request.sourceChosen) {
        return {ImportOutcome::NoSource, {}};
    }
    if (request.fileNames.empty()) {
        return {ImportOutcome::NothingToImport, {}};
    }
    ImportReport report;
    if (const std::optional<store::Browser> browser = store::browserOfPath(destination)) {
        storeImportedLinks(context.stagingFolder(), store::topFolder(context.applicationFolder, *browser),
                           request.fileNames, [&report](const std::string& name) { report.failed.push_back(name); });
    }
    return report;
}

void storeImportedLinks(std::string_view stagingFolder, std::string_view targetFolder,
                        const std::vector<std::string>& fileNames,
                        const std::function<void(const std::string& fileName)>& onFailure) {
    // the import is what makes the Mozilla and Netscape top folders
    if (!platform::folderExists(targetFolder)) {
        static_cast<void>(platform::createFolder(targetFolder));
    }
    const bool targetIsFolder = platform::folderExists(targetFolder);
    const platform::FolderNames staged(stagingFolder);
    platform::FolderNames target(targetFolder);
    target.expectMore(fileNames.size());
    for (const std::string& name : fileNames) {
        // a target that is no folder would have every link copied over one file of its name
        const bool failed =
            holdsUnshowableCharacter(platform::joinPath(stagingFolder, name)) ||
            (targetIsFolder ? platform::copyFileBetween(staged, name, target) == platform::CopyOutcome::Failed
                            : platform::fileExists(platform::joinPath(stagingFolder, name)));
        if (failed) {
            onFailure(name);
        }
    }
    // one flush for all the links, before the import says it is done; like a copy's own
    // write-back, a flush that fails is not traced back to a link
    static_cast<void>(platform::flushDrive(target.folder()));
}

}  // namespace browsers
