#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/browsers/bookmark_loads.h"
#include "core/browsers/bookmark_reader.h"
#include "core/browsers/chromium_profiles.h"
#include "core/browsers/export_writer.h"

// Moving links between the store and the browsers of the Chromium family: the import stages
// the bookmarks of every profile as Internet Shortcut files, the export adds links to the
// bookmark file of one browser's last used profile.
namespace browsers {

// Stages the links of every profile of every user-data folder, in order, as the Firefox load
// stages its bookmark files: one link table for all, the staging folder emptied and written
// once from it; a later link replaces an earlier one of the same name. The browsers' files
// are only read; the browser replaces its file whole, never in place, so one read sees one
// complete version of it. A file the browser would not load (damaged, or another program's)
// is passed over without a word, and so is a profile without one. NoBookmarkFile when no
// profile gave a bookmark file.
[[nodiscard]] LoadOutcome loadURLChrome(const std::vector<ChromiumInstall>& installs, std::string_view stagingFolder);

// What an export into a browser of the family came to.
enum class ChromiumExportOutcome {
    Done,              // the links were added (or were all there already)
    BrowserRuns,       // the browser runs on its user-data folder; nothing was written
    EncryptedProfile,  // the profile keeps its bookmarks encrypted only; nothing was written
    NotWritten,        // the file could not be read, checked or replaced; it is as it was
    NothingToExport,   // the export list is empty
};

struct ChromiumExport {
    ChromiumExportOutcome outcome = ChromiumExportOutcome::NotWritten;
    std::string profile;  // the name the browser shows for the profile written (or not)
};

// Adds the links at the end of the other bookmarks of the last used profile (see
// addToOtherBookmarks), only while the browser is closed. A profile that has no bookmark file
// yet gets one. The new file is read back and checked before it takes the old one's place,
// which it does whole (written beside it, flushed, renamed); a copy of the old file is kept
// first, below the backup folder, in a folder of the browser and profile, named by the
// moment of the export.
[[nodiscard]] ChromiumExport exportToChromium(const ChromiumInstall& install, const std::vector<Link>& links,
                                              std::string_view backupFolder);

// The checked items of the export list exported so: each link by its name and target.
// NothingToExport, with nothing written, when the list is empty.
[[nodiscard]] ChromiumExport exportCheckedToChromium(const ChromiumInstall& install,
                                                     const std::vector<ExportItem>& items,
                                                     std::string_view backupFolder);

}  // namespace browsers
