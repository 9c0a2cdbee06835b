#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/app_context.h"

// The loads of the import: a browser's links staged as Internet Shortcut files, side by
// side in the staging folder, and the staged links copied into a top folder of the store.
// Folder structure is never carried over.
namespace browsers {

// What a load of bookmark files came to.
enum class LoadOutcome {
    Staged,          // every chosen file was read; the staging folder holds their links
    NoBookmarkFile,  // Firefox only: no bookmarks.html and no readable places.sqlite was found
    Unreadable,      // a bookmark file could not be read, which ended the load
};

// Stages the links of every bookmarks.html below the profile root, in the order found.
// The staging folder is emptied before each file is read while the links read so far are
// kept, so it ends with the links of all the files; a later link replaces an earlier one of
// the same name.
//
// Firefox reads its profile roots one after the other into one link table: in each, the
// bookmark files but for the copies under "bookmarkbackups", then the databases
// (places.sqlite) of the profiles that have no bookmark file. A database that cannot be read
// is passed over, and the staging folder keeps what it held. The database copies are made in
// the folder that holds the staging folder. NoBookmarkFile when no root gave a bookmark file
// or a readable database (copies alone find nothing to load, but are no such failure).
[[nodiscard]] LoadOutcome loadURLFirefox(const std::vector<std::string>& profileRoots, std::string_view stagingFolder);
[[nodiscard]] LoadOutcome loadURLMozilla(std::string_view profileRoot, std::string_view stagingFolder);
[[nodiscard]] LoadOutcome loadURLNetscape(std::string_view profileRoot, std::string_view stagingFolder);

// Empties the context's staging folder and stages the Internet Shortcut files of Internet
// Explorer's whole Favorites tree (the folder the context's registry names) into it.
void loadURLIE(const app::AppContext& context);

// Copies the "*.url" files of a folder and of all folders below it into the staging
// folder, side by side; a later file replaces an earlier one of the same name. Each
// subfolder name met, at any depth, leaves one empty folder of that name there. Names
// holding a '?' (characters the program cannot show) are passed over, files and folders alike.
void GetValidIEURL(std::string_view folder, std::string_view stagingFolder);

// The top folder of the store that an import into a destination goes to, whichever of its
// folders the destination is: chosen by how the destination's path below the store root
// begins, ignoring case ("Internet Explorer", "Netscape", "Mozilla", then "FireFox").
// Nothing for any other beginning.
[[nodiscard]] std::optional<std::string> importTopFolder(std::string_view destinationPath);

// Copies the staged file of each name into the target folder, replacing a link of the same
// name without asking; the target is made when missing. A name holding a '?', and a file
// that cannot be copied, are handed to onFailure and the copying goes on. A name that is
// not in the staging folder is passed over without a word.
void storeImportedLinks(std::string_view stagingFolder, std::string_view targetFolder,
                        const std::vector<std::string>& fileNames,
                        const std::function<void(const std::string& fileName)>& onFailure);

}  // namespace browsers
