#include "core/browsers/firefox_places.h"

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "core/browsers/sqlite_database.h"
#include "core/platform/file_ops.h"
#include "core/platform/paths.h"

namespace browsers {

namespace {

namespace fs = std::filesystem;

// The fixed identities Firefox gives the top of its bookmark tree and the folder of tags.
constexpr std::string_view kRootGuid = "root________";
constexpr std::string_view kTagsGuid = "tags________";

// Kinds of entries in the tree; separators are the third kind.
constexpr int kTypeBookmark = 1;
constexpr int kTypeFolder = 2;

// Saved searches and the like are addresses of this scheme; they name no page.
constexpr std::string_view kQueryScheme = "place:";

// Every entry of the tree with its place's address, grouped by folder, each folder's
// entries by position.
constexpr const char* kEntriesQuery =
    "SELECT b.id, b.parent, b.type, b.title, p.url FROM moz_bookmarks b "
    "LEFT JOIN moz_places p ON p.id = b.fk ORDER BY b.parent, b.position";
constexpr const char* kIdOfGuidQuery = "SELECT id FROM moz_bookmarks WHERE guid = ?";

// The copy of a database, with its write-ahead log, in a fresh folder of the scratch
// folder; the folder goes with everything in it, including what reading left there.
class ScratchCopy final {
public:
    ScratchCopy(const std::string& databasePath, std::string_view scratchFolder);
    ~ScratchCopy();
    ScratchCopy(const ScratchCopy&) = delete;
    ScratchCopy& operator=(const ScratchCopy&) = delete;

    // The copied database; empty when no complete copy could be made.
    [[nodiscard]] const std::string& database() const { return m_database; }

private:
    std::string m_folder;
    std::string m_database;
};

ScratchCopy::ScratchCopy(const std::string& databasePath, std::string_view scratchFolder) {
    if (!platform::createPrivateFolder(scratchFolder)) {
        return;
    }
    std::string folder = platform::joinPath(scratchFolder, "placesXXXXXX");
    if (::mkdtemp(folder.data()) == nullptr) {
        return;
    }
    m_folder = std::move(folder);
    const std::string copy = platform::joinPath(m_folder, kPlacesFileName);
    if (copyDatabase(databasePath, copy)) {
        m_database = copy;
    }
}

ScratchCopy::~ScratchCopy() {
    if (!m_folder.empty()) {
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }
}

[[nodiscard]] std::optional<std::int64_t> idOfGuid(sqlite3* database, std::string_view guid) {
    const Statement statement = prepare(database, kIdOfGuidQuery);
    if (!statement || !bindText(statement.get(), 1, guid) || sqlite3_step(statement.get()) != SQLITE_ROW) {
        return std::nullopt;
    }
    return sqlite3_column_int64(statement.get(), 0);
}

// A folder, or a bookmark of a page (then the link it becomes).
struct TreeEntry {
    std::int64_t id = 0;
    std::int64_t parent = 0;
    bool isFolder = false;
    Link link;
};

// The folders and page bookmarks of the tree, grouped by folder and by position in each;
// nothing when the database cannot be read to its end.
[[nodiscard]] std::optional<std::vector<TreeEntry>> readTreeEntries(sqlite3* database) {
    const Statement statement = prepare(database, kEntriesQuery);
    if (!statement) {
        return std::nullopt;
    }
    std::vector<TreeEntry> entries;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
        const int type = sqlite3_column_int(statement.get(), 2);
        const std::string_view url = columnText(statement.get(), 4);
        const bool isPage = type == kTypeBookmark && !url.empty() && !url.starts_with(kQueryScheme);
        if (type != kTypeFolder && !isPage) {
            continue;
        }
        entries.push_back(TreeEntry{
            sqlite3_column_int64(statement.get(), 0), sqlite3_column_int64(statement.get(), 1), type == kTypeFolder,
            isPage ? Link{std::string(columnText(statement.get(), 3)), std::string(url)} : Link{}});
    }
    if (step != SQLITE_DONE) {
        return std::nullopt;
    }
    return entries;
}

// Where each folder's entries lie in the grouped list: [first, end).
using EntryRange = std::pair<std::size_t, std::size_t>;

[[nodiscard]] std::unordered_map<std::int64_t, EntryRange> rangesByFolder(const std::vector<TreeEntry>& entries) {
    std::unordered_map<std::int64_t, EntryRange> ranges;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto [range, added] = ranges.try_emplace(entries[i].parent, i, i + 1);
        if (!added) {
            range->second.second = i + 1;
        }
    }
    return ranges;
}

// Adds the bookmarks below the root in the order of the tree, a subfolder's where it stands.
// Each folder is opened once at most, so a damaged tree that loops ends all the same.
void addInTreeOrder(const std::vector<TreeEntry>& entries, std::int64_t root, std::optional<std::int64_t> tags,
                    LinkTable& table) {
    const std::unordered_map<std::int64_t, EntryRange> ranges = rangesByFolder(entries);
    std::unordered_set<std::int64_t> opened;
    if (tags) {
        opened.insert(*tags);
    }
    std::vector<EntryRange> unread;  // what is left of each folder being read, the innermost last
    const auto open = [&](std::int64_t folder) {
        const auto range = ranges.find(folder);
        if (opened.insert(folder).second && range != ranges.end()) {
            unread.push_back(range->second);
        }
    };
    open(root);
    while (!unread.empty()) {
        EntryRange& folder = unread.back();
        if (folder.first == folder.second) {
            unread.pop_back();
            continue;
        }
        const TreeEntry& entry = entries[folder.first++];
        if (entry.isFolder) {
            open(entry.id);
        } else {
            table.add(entry.link.name, entry.link.url);
        }
    }
}

}  // namespace

bool readPlacesDatabase(const std::string& databasePath, std::string_view scratchFolder, LinkTable& table) {
    const ScratchCopy copy(databasePath, scratchFolder);
    if (copy.database().empty()) {
        return false;
    }
    const Database database = openDatabase(copy.database(), false);
    if (!database) {
        return false;
    }
    const std::optional<std::int64_t> root = idOfGuid(database.get(), kRootGuid);
    const std::optional<std::vector<TreeEntry>> entries = readTreeEntries(database.get());
    if (!root || !entries) {
        return false;
    }
    addInTreeOrder(*entries, *root, idOfGuid(database.get(), kTagsGuid), table);
    return true;
}

}  // namespace browsers
