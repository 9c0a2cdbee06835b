#include "core/browsers/chromium_transfer.h"

#include <ctime>

#include "core/browsers/chromium_bookmarks.h"
#include "core/browsers/transfer_folders.h"
#include "core/platform/file_listing.h"
#include "core/platform/file_ops.h"
#include "core/platform/paths.h"
#include "core/platform/replace_file.h"
#include "core/store/shortcut.h"

namespace browsers {

namespace {

// Where a profile keeps its bookmarks when it keeps them encrypted, without a plain file.
constexpr std::string_view kEncryptedFileNames[] = {"EncryptedBookmarks2", "EncryptedBookmarks"};

[[nodiscard]] bool keepsEncryptedBookmarks(const std::string& profileFolder) {
    for (const std::string_view name : kEncryptedFileNames) {
        if (platform::fileExists(platform::joinPath(profileFolder, name))) {
            return true;
        }
    }
    return false;
}

// "Bookmarks 2026-12-07 031500": the moment of the export, in local time.
[[nodiscard]] std::string backupName() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char stamp[32] = {};
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H%M%S", &local);
    return std::string(kChromiumBookmarksFileName) + " " + stamp;
}

// Keeps the old file's bytes below the backup folder, open to the user alone.
[[nodiscard]] bool keepCopy(std::string_view backupFolder, const ChromiumInstall& install,
                            const std::string& profileFolder, std::string_view bytes) {
    const std::string folder = platform::joinPath(platform::joinPath(backupFolder, install.name),
                                                  profileFolder.substr(profileFolder.rfind('/') + 1));
    return platform::createPrivateFolder(backupFolder) &&
           platform::createPrivateFolder(platform::joinPath(backupFolder, install.name)) &&
           platform::createPrivateFolder(folder) &&
           platform::replaceFile(platform::joinPath(folder, backupName()), bytes);
}

}  // namespace

LoadOutcome loadURLChrome(const std::vector<ChromiumInstall>& installs, std::string_view stagingFolder) {
    LinkTable table;
    bool found = false;
    for (const ChromiumInstall& install : installs) {
        for (const ChromiumProfile& profile : chromiumProfiles(install.userDataFolder).listed) {
            std::string text;
            const std::string file = platform::joinPath(platform::joinPath(install.userDataFolder, profile.folder),
                                                        kChromiumBookmarksFileName);
            found = (platform::readWholeFile(file, text) && readChromiumBookmarks(text, table)) || found;
        }
    }
    if (!found) {
        return LoadOutcome::NoBookmarkFile;
    }
    emptyStagingFolder(stagingFolder);
    createURLFile(table, stagingFolder);
    return LoadOutcome::Staged;
}

ChromiumExport exportToChromium(const ChromiumInstall& install, const std::vector<Link>& links,
                                std::string_view backupFolder) {
    const ChromiumProfile profile = chromiumProfiles(install.userDataFolder).lastUsed;
    ChromiumExport result{ChromiumExportOutcome::NotWritten, profile.name};
    if (chromiumRuns(install.userDataFolder)) {
        result.outcome = ChromiumExportOutcome::BrowserRuns;
        return result;
    }
    const std::string profileFolder = platform::joinPath(install.userDataFolder, profile.folder);
    const std::string file = platform::joinPath(profileFolder, kChromiumBookmarksFileName);
    std::string old;
    const bool hasFile = platform::fileExists(file);
    if (!hasFile && keepsEncryptedBookmarks(profileFolder)) {
        result.outcome = ChromiumExportOutcome::EncryptedProfile;
        return result;
    }
    if (!platform::folderExists(profileFolder) || (hasFile && !platform::readWholeFile(file, old))) {
        return result;
    }
    const std::optional<ChromiumBookmarksEdit> edit = addToOtherBookmarks(old, links, chromiumTimeNow());
    // a damaged file is left for the user to mend: the browser shows no bookmarks for it, and
    // a file written over it would lose them for good
    if (!edit) {
        return result;
    }
    // the file must hold the text that was checked
    const auto sound = [&](std::string_view written) { return written == edit->text; };
    if (edit->added > 0 && ((hasFile && !keepCopy(backupFolder, install, profileFolder, old)) ||
                            !platform::replaceFileChecked(file, edit->text, sound))) {
        return result;
    }
    result.outcome = ChromiumExportOutcome::Done;
    return result;
}

ChromiumExport exportCheckedToChromium(const ChromiumInstall& install, const std::vector<ExportItem>& items,
                                       std::string_view backupFolder) {
    if (items.empty()) {
        return {ChromiumExportOutcome::NothingToExport, {}};
    }
    std::vector<Link> links;
    for (const ExportItem& item : items) {
        if (item.checked) {
            links.push_back({store::linkNameOf(item.text), store::readLinkTarget(item.fullPath)});
        }
    }
    return exportToChromium(install, links, backupFolder);
}

}  // namespace browsers
