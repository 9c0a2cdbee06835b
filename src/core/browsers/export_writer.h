#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/app/app_context.h"
#include "core/browsers/transfer_folders.h"
#include "core/platform/ascii.h"
#include "core/platform/folder_names.h"
#include "core/store/store_layout.h"

// Puts links of the store into a browser of this PC: Internet Explorer receives copies of
// the links' Internet Shortcut files, Firefox one line per link at the end of the root
// list of its bookmarks.html.
namespace browsers {

// One row of the export list.
struct ExportItem {
    std::string text;      // the link's file name, ".url" included
    std::string fullPath;  // where the link's file lies in the store
    bool checked = false;
};

// A link of the export list as the staging takes it: its file name, ".url" included, and
// the file's bytes when the list has read them.
struct ListedLink {
    std::string text;
    std::optional<std::string> fileText = std::nullopt;
};

// What an export came to.
enum class ExportOutcome {
    NoDestination,       // no browser was chosen to receive the links
    NothingToExport,     // the list is empty
    Done,                // the links were copied, or the checked ones added to the bookmark file or database
    NoBookmarkFile,      // the search found no bookmarks.html and no Firefox database
    NotWritten,          // the file could not be rewritten and is exactly as it was
    FirefoxRunning,      // Firefox runs on the profile; its database was not touched
    UnknownDatabase,     // the database is of a version the program does not know; left alone
    DatabaseNotWritten,  // the database could not be written and is as it was
};

// What a staging wrote into the staging folder, when the folder was made anew for it: the
// bytes that stand there for each name, kept without regard to case as the folder finds its
// names. The staging folder is the program's own, its owner's alone, and only the export
// dialog writes it while it is open: the export into Internet Explorer writes these bytes
// instead of reading the files back.
class StagedLinks final {
public:
    // A staging of about this many links.
    explicit StagedLinks(std::size_t links = 0) { m_bytes.reserve(links); }

    // Writes a link's bytes into the staging folder, which holds only what was written through
    // here: a name met again lands in the file of its first spelling. False when the file
    // could not be written; what was there stays.
    bool write(const platform::FolderNames& stagingFolder, std::string_view name, std::string bytes);

    // The bytes staged for a name, or nothing when this staging wrote none for it.
    [[nodiscard]] const std::string* bytesOf(std::string_view name) const;

private:
    // by the first spelling of each name
    std::unordered_map<std::string, std::string, platform::FoldedHash, platform::FoldedEqual> m_bytes;
};

// Empties the staging folder, then copies into it, for each link in order, the file of the
// link's name from the browser's top store folder, when there is one. Only the top folder
// is read: for the links of a subfolder (the folder the list shows), the files of the same
// names beside the top folder's links are staged. Internet Explorer passes over paths
// holding a '?'. When the list shows the top folder itself, the bytes it read are written.
[[nodiscard]] StagedLinks stageLinks(const app::AppContext& context, store::Browser browser,
                                     std::string_view listedFolder, std::vector<ListedLink> links);

// Copies the staged copy of every item (named by its text), checked or not, into Internet
// Explorer's Favorites folder, replacing a favorite of the same name; the copies the staging
// wrote are taken from what it kept of them. Nothing is copied when the registry names no
// Favorites folder.
void StoreURLIE(const app::AppContext& context, const std::vector<std::string>& itemTexts, const StagedLinks& staged);

// The browser an export into a node of the browser tree goes to, by how the node's name
// begins, case ignored: "Internet Explorer" or "FireFox". Nothing for any other name: the
// root "Browser" is no destination.
[[nodiscard]] std::optional<store::Browser> exportBrowserOfNode(std::string_view nodeName);

// Export: every listed item into Internet Explorer (see StoreURLIE), or the checked ones into
// Firefox (see StoreURLFirefox); any other destination, or none, takes nothing.
[[nodiscard]] ExportOutcome exportLinks(app::AppContext& context, std::optional<store::Browser> destination,
                                        const std::vector<ExportItem>& items, const StagedLinks& staged);

// Appends the checked items to the Firefox bookmark file of this PC (see EditHTML). Where no
// bookmark file is found there, a Linux desktop's Firefox receives them in its database: at the
// end of the Bookmarks Menu of the profile it starts (see addToBookmarksMenu), the database
// kept first below the context's backup folder.
[[nodiscard]] ExportOutcome StoreURLFirefox(app::AppContext& context, const std::vector<ExportItem>& items);

// Appends one bookmark line per checked item to the bookmark file below the profile root:
// the last bookmarks.html the search finds. Its last line (the "</DL><p>" that closes the
// root list) moves behind the new lines, and every line ends in CR LF. A link whose name
// the file holds already is not written again. The file is never left half written: when
// it cannot be written it stays exactly as it was.
[[nodiscard]] ExportOutcome EditHTML(std::string_view profileRoot, const std::vector<ExportItem>& items);

// The bookmark line written for a link, without its line end:
// <DT><A HREF="url" ADD_DATE ="1113502144" LAST_MODIFIED ="1113502155">name</A>
[[nodiscard]] std::string bookmarkLine(std::string_view name, std::string_view url);

}  // namespace browsers
