#include "core/browsers/chromium_transfer.h"

#include <ctime>
#include <future>
#include <optional>

#include "core/browsers/chromium_bookmarks.h"
#include "core/browsers/transfer_folders.h"
#include "core/platform/file_listing.h"
#include "core/platform/file_ops.h"
#include "core/platform/paths.h"
#include "core/platform/replace_file.h"
#include "core/platform/spare_core.h"
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

// "Bookmarks 2026-12-07 031500", the moment of the export in local time, in the folder given;
// " (2)", " (3)", ... follow when a copy of that second is there already: no copy is written
// over another.
[[nodiscard]] std::string backupPath(const std::string& folder) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char stamp[32] = {};
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H%M%S", &local);
    const std::string name = std::string(kChromiumBookmarksFileName) + " " + stamp;
    std::string path = platform::joinPath(folder, name);
    for (int copy = 2; platform::fileExists(path); ++copy) {
        path = platform::joinPath(folder, name + " (" + std::to_string(copy) + ")");
    }
    return path;
}

// Keeps the old file's bytes below the backup folder, open to the user alone; where the copy is.
[[nodiscard]] std::optional<std::string> keepCopy(std::string_view backupFolder, const ChromiumInstall& install,
                                                  const std::string& profileFolder, std::string_view bytes) {
    const std::string folder = platform::joinPath(platform::joinPath(backupFolder, install.name),
                                                  profileFolder.substr(profileFolder.rfind('/') + 1));
    if (!platform::createPrivateFolder(backupFolder) ||
        !platform::createPrivateFolder(platform::joinPath(backupFolder, install.name)) ||
        !platform::createPrivateFolder(folder)) {
        return std::nullopt;
    }
    const std::string copy = backupPath(folder);
    return platform::replaceFile(copy, bytes) ? std::optional(copy) : std::nullopt;
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
    // the old file is copied while the new one is made, which takes as long, on a core of its own
    // where the PC has one to spare
    std::future<std::optional<std::string>> copying =
        std::async(platform::kOnSpareCore, [&]() -> std::optional<std::string> {
            return hasFile ? keepCopy(backupFolder, install, profileFolder, old) : std::string();
        });
    const std::optional<ChromiumBookmarksEdit> edit = addToOtherBookmarks(old, links, chromiumTimeNow());
    const std::optional<std::string> copy = copying.get();
    const bool replacing = edit && edit->added > 0;
    if (!replacing && copy && !copy->empty()) {
        (void)platform::shellDelete(*copy);  // the old file stays: nothing to keep a copy of
    }
    // a damaged file is left for the user to mend: the browser shows no bookmarks for it, and
    // a file written over it would lose them for good
    if (!edit || (replacing &&
                  (!copy || !platform::replaceFileChecked(file, edit->text, [&] { return isEditAsMeant(*edit); })))) {
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
