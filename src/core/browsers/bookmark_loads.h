#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/app_context.h"
#include "core/store/store_layout.h"

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

// The browser whose bookmark files a node of the import's browser tree loads, by the node's
// name, capitals counting: a name holding "Netscape", else "Mozilla", else "FireFox". Nothing
// for any other name, which lists Internet Explorer's favorites; so a Favorites subfolder whose
// name holds "Mozilla" loads Mozilla.
[[nodiscard]] std::optional<store::Browser> bookmarkBrowserOfNode(std::string_view nodeName);

// Stages the links of a browser's bookmark files (Firefox, Mozilla or Netscape) into the
// context's staging folder, from the profile roots of this PC.
[[nodiscard]] LoadOutcome loadBookmarks(app::AppContext& context, store::Browser browser);

// What an import asks for: the tree key of the folder chosen as destination (the root's key or
// none when there is no destination), whether a browser was chosen as the source, and the file
// names of the listed links, as the drive spells them.
struct ImportRequest {
    std::string destinationKey;
    bool sourceChosen = false;
    std::vector<std::string> fileNames;
};

enum class ImportOutcome {
    NoDestination,    // no folder of the store below its root was chosen
    NoSource,         // no browser was chosen
    NothingToImport,  // the list is empty
    Imported,         // the links were copied but for those reported
};

struct ImportReport {
    ImportOutcome outcome = ImportOutcome::Imported;
    std::vector<std::string> failed;  // the file names of the links that could not be copied
};

// Import: copies the staged file of every listed name into the top folder of the store that
// holds the destination, whichever of its folders the destination is: chosen by how the
// destination's path below the store root begins, ignoring case. A destination below no
// browser's top folder takes nothing, and is no failure.
[[nodiscard]] ImportReport importLinks(const app::AppContext& context, const ImportRequest& request);

// Copies the staged file of each name into the target folder, replacing a link of the same
// name without asking; the target is made when missing. A name holding a '?', and a file
// that cannot be copied, are handed to onFailure and the copying goes on. A name that is
// not in the staging folder is passed over without a word.
void storeImportedLinks(std::string_view stagingFolder, std::string_view targetFolder,
                        const std::vector<std::string>& fileNames,
                        const std::function<void(const std::string& fileName)>& onFailure);

}  // namespace browsers
