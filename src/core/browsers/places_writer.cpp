#include "core/browsers/places_writer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <optional>
#include <random>
#include <unordered_map>
#include <unordered_set>

#include "core/browsers/firefox_places.h"
#include "core/browsers/firefox_profiles.h"
#include "core/browsers/sqlite_database.h"
#include "core/browsers/web_address.h"
#include "core/platform/ascii.h"
#include "core/platform/file_listing.h"
#include "core/platform/file_ops.h"
#include "core/platform/paths.h"

namespace browsers {

namespace {

// The versions of the database's layout the writing was tried on, with the Firefox that made them.
constexpr std::array<std::int64_t, 1> kKnownVersions{86};  // Firefox 153 ESR

constexpr std::string_view kMenuGuid = "menu________";
constexpr std::size_t kHashedBytes = 1500;
constexpr std::size_t kSchemeSearchBytes = 50;

// Firefox's own values for a bookmark made here: not yet synchronised, one change to send;
// its frecency is worked out again the next time Firefox looks.
constexpr const char* kInsertBookmark =
    "INSERT INTO moz_bookmarks (type, fk, parent, position, title, dateAdded, lastModified, guid, syncStatus,"
    " syncChangeCounter) VALUES (1, ?1, ?2, ?3, ?4, ?5, ?5, ?6, 1, 1)";
constexpr const char* kInsertPlace =
    "INSERT INTO moz_places (url, rev_host, hidden, typed, frecency, guid, foreign_count, url_hash, origin_id,"
    " recalc_frecency, recalc_alt_frecency) VALUES (?1, ?2, 0, 0, 1, ?3, 1, ?4, ?5, 1, 1)";
constexpr const char* kFindPlace = "SELECT id FROM moz_places WHERE url_hash = ?1 AND url = ?2";
constexpr const char* kCountReference = "UPDATE moz_places SET foreign_count = foreign_count + 1 WHERE id = ?1";
constexpr const char* kInsertOrigin =
    "INSERT OR IGNORE INTO moz_origins (prefix, host, frecency, recalc_frecency, recalc_alt_frecency)"
    " VALUES (?1, ?2, -1, 1, 1)";
constexpr const char* kFindOrigin = "SELECT id FROM moz_origins WHERE prefix = ?1 AND host = ?2";
constexpr const char* kMenuQuery = "SELECT id FROM moz_bookmarks WHERE guid = ?1";
constexpr const char* kNextPosition = "SELECT IFNULL(MAX(position) + 1, 0) FROM moz_bookmarks WHERE parent = ?1";
constexpr const char* kTouchMenu =
    "UPDATE moz_bookmarks SET lastModified = ?1, syncChangeCounter = syncChangeCounter + ?2 WHERE id = ?3";
constexpr const char* kBookmarkTitles = "SELECT title FROM moz_bookmarks WHERE type = 1 AND title IS NOT NULL";

[[nodiscard]] std::uint32_t hashBytes(std::string_view bytes) {
    std::uint32_t hash = 0;
    for (const char byte : bytes) {
        hash = 0x9E3779B9U * (std::rotl(hash, 5) ^ static_cast<unsigned char>(byte));
    }
    return hash;
}

// The parts of an address Firefox files it under: the scheme with "//" when one follows, the
// host with its port (without user and password), and the host written backwards with a
// closing '.', lower case, by which Firefox finds the pages of a site.
struct AddressParts {
    std::string prefix;
    std::string host;
    std::string reversedHost;
};

// The schemes whose addresses Firefox writes in one form, with the port each has unless told.
struct SpecialScheme {
    std::string_view name;
    std::string_view port;
};
constexpr std::array<SpecialScheme, 5> kSpecialSchemes{
    {{"http", "80"}, {"https", "443"}, {"ftp", "21"}, {"ws", "80"}, {"wss", "443"}}};

// The address in the form Firefox keeps it, and looks a page up by: the scheme in lower case
// and, for the schemes it writes in one form, the host in lower case, no port that is the
// scheme's own and "/" for an empty path. Filed under another form, a bookmark is not found
// for its page.
[[nodiscard]] std::string firefoxForm(std::string_view url) {
    const std::optional<std::size_t> afterScheme = schemeEnd(url);
    if (!afterScheme) {
        return std::string(url);
    }
    const std::string scheme = platform::toLowerAscii(url.substr(0, *afterScheme - 1));
    std::string_view rest = url.substr(*afterScheme);
    const auto special = std::find_if(kSpecialSchemes.begin(), kSpecialSchemes.end(),
                                      [&scheme](const SpecialScheme& known) { return known.name == scheme; });
    if (special == kSpecialSchemes.end() || !rest.starts_with("//")) {
        return scheme + ":" + std::string(rest);
    }
    rest.remove_prefix(2);
    const std::string_view authority = rest.substr(0, rest.find_first_of("/?#"));
    const std::string_view path = rest.substr(authority.size());
    const std::size_t hostStart = authority.rfind('@') == std::string_view::npos ? 0 : authority.rfind('@') + 1;
    std::string_view host = authority.substr(hostStart);
    // a colon after the last ']' starts the port (an IPv6 host holds colons of its own)
    const std::size_t colon = host.rfind(':');
    std::string_view port;
    if (colon != std::string_view::npos && (host.rfind(']') == std::string_view::npos || host.rfind(']') < colon)) {
        port = host.substr(colon + 1);
        host = host.substr(0, colon);
    }
    return scheme + "://" + std::string(authority.substr(0, hostStart)) + platform::toLowerAscii(host) +
           (port.empty() || port == special->port ? "" : ":" + std::string(port)) +
           (path.empty() || path.front() != '/' ? "/" : "") + std::string(path);
}

[[nodiscard]] AddressParts addressParts(std::string_view url, std::size_t afterScheme) {
    AddressParts parts;
    const bool authority = url.substr(afterScheme).starts_with("//");
    parts.prefix = std::string(url.substr(0, afterScheme + (authority ? 2 : 0)));
    if (authority) {
        std::string_view host = url.substr(parts.prefix.size());
        host = host.substr(0, host.find_first_of("/?#"));
        host = host.substr(host.rfind('@') == std::string_view::npos ? 0 : host.rfind('@') + 1);
        parts.host = std::string(host);
    }
    const std::string_view withoutPort = std::string_view(parts.host).substr(0, parts.host.rfind(':'));
    parts.reversedHost = platform::toLowerAscii(std::string(withoutPort.rbegin(), withoutPort.rend())) + ".";
    return parts;
}

// Twelve characters of the URL-safe Base64 alphabet made of 72 random bits, as Firefox makes them.
class GuidMaker final {
public:
    GuidMaker() : m_random(std::random_device{}()) {}
    [[nodiscard]] std::string next() {
        static constexpr std::string_view kAlphabet =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
        std::string guid(12, ' ');
        std::uint64_t bits = m_random();
        for (std::size_t i = 0; i < guid.size(); ++i) {
            if (i == 10) {
                bits = m_random();
            }
            guid[i] = kAlphabet[bits & 63U];
            bits >>= 6;
        }
        return guid;
    }

private:
    std::mt19937_64 m_random;
};

[[nodiscard]] std::optional<std::int64_t> singleNumber(sqlite3_stmt* statement) {
    if (statement == nullptr || sqlite3_step(statement) != SQLITE_ROW) {
        return std::nullopt;
    }
    const std::int64_t number = sqlite3_column_int64(statement, 0);
    sqlite3_reset(statement);
    return number;
}

[[nodiscard]] std::optional<std::int64_t> schemaVersion(sqlite3* database) {
    return singleNumber(prepare(database, "PRAGMA user_version").get());
}

[[nodiscard]] bool isKnownVersion(std::int64_t version) {
    return std::find(kKnownVersions.begin(), kKnownVersions.end(), version) != kKnownVersions.end();
}

using TitleSet = std::unordered_set<std::string, platform::FoldedHash, platform::FoldedEqual>;

// What the export reads before it writes: the titles the bookmarks bear; nothing when the
// copy is no Firefox database of a known version that can be read to its end.
struct ReadOutcome {
    bool knownVersion = false;
    std::optional<TitleSet> titles;
};

[[nodiscard]] ReadOutcome readKeptCopy(const std::string& copy) {
    const Database database = openDatabase(copy, false);
    const std::optional<std::int64_t> version = database ? schemaVersion(database.get()) : std::nullopt;
    // a file whose version cannot even be read is no database to speak of: it is not written
    if (!version) {
        return {true, std::nullopt};
    }
    if (!isKnownVersion(*version)) {
        return {false, std::nullopt};
    }
    const Statement statement = prepare(database.get(), kBookmarkTitles);
    if (!statement) {
        return {true, std::nullopt};
    }
    TitleSet titles;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
        titles.emplace(columnText(statement.get(), 0));
    }
    return {true, step == SQLITE_DONE ? std::optional(std::move(titles)) : std::nullopt};
}

// The links to write: those whose names no bookmark bears and whose addresses have a scheme.
[[nodiscard]] std::vector<const PlacesLink*> linksToAdd(const std::vector<PlacesLink>& links, const TitleSet& titles) {
    std::vector<const PlacesLink*> chosen;
    for (const PlacesLink& link : links) {
        if (!titles.contains(link.name) && schemeEnd(link.url)) {
            chosen.push_back(&link);
        }
    }
    return chosen;
}

[[nodiscard]] std::int64_t nowInMicroseconds() {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// The writing, one transaction on the database itself: rolled back unless committed.
class MenuWriter final {
public:
    explicit MenuWriter(sqlite3* database) : m_database(database) {}
    ~MenuWriter() {
        if (m_open) {
            sqlite3_exec(m_database, "ROLLBACK", nullptr, nullptr, nullptr);
        }
    }
    MenuWriter(const MenuWriter&) = delete;
    MenuWriter& operator=(const MenuWriter&) = delete;

    [[nodiscard]] bool begin();
    [[nodiscard]] bool add(const PlacesLink& link);
    [[nodiscard]] bool commit();

private:
    [[nodiscard]] std::optional<std::int64_t> placeOf(std::string_view url);
    [[nodiscard]] std::optional<std::int64_t> originOf(const AddressParts& parts);
    [[nodiscard]] bool run(sqlite3_stmt* statement);

    sqlite3* m_database;
    bool m_open = false;
    std::int64_t m_menu = 0;
    std::int64_t m_position = 0;
    std::int64_t m_added = 0;
    std::int64_t m_now = nowInMicroseconds();
    GuidMaker m_guids;
    Statement m_insertBookmark;
    Statement m_insertPlace;
    Statement m_findPlace;
    Statement m_countReference;
    Statement m_insertOrigin;
    Statement m_findOrigin;
    std::unordered_map<std::string, std::int64_t> m_origins;
};

bool MenuWriter::begin() {
    // exclusive: a Firefox started meanwhile waits for the commit, and never reads half of it
    m_open = sqlite3_exec(m_database, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
    const std::optional<std::int64_t> version = m_open ? schemaVersion(m_database) : std::nullopt;
    const Statement menu = prepare(m_database, kMenuQuery);
    if (!version || !isKnownVersion(*version) || !menu || !bindText(menu.get(), 1, kMenuGuid)) {
        return false;
    }
    const std::optional<std::int64_t> menuId = singleNumber(menu.get());
    const Statement position = prepare(m_database, kNextPosition);
    if (!menuId || !position || sqlite3_bind_int64(position.get(), 1, *menuId) != SQLITE_OK) {
        return false;
    }
    const std::optional<std::int64_t> next = singleNumber(position.get());
    m_menu = *menuId;
    m_position = next.value_or(0);
    m_insertBookmark = prepare(m_database, kInsertBookmark);
    m_insertPlace = prepare(m_database, kInsertPlace);
    m_findPlace = prepare(m_database, kFindPlace);
    m_countReference = prepare(m_database, kCountReference);
    m_insertOrigin = prepare(m_database, kInsertOrigin);
    m_findOrigin = prepare(m_database, kFindOrigin);
    return next && m_insertBookmark && m_insertPlace && m_findPlace && m_countReference && m_insertOrigin &&
           m_findOrigin;
}

bool MenuWriter::run(sqlite3_stmt* statement) {
    const bool done = sqlite3_step(statement) == SQLITE_DONE;
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    return done;
}

// Many links share a site: each site's row is looked up once.
std::optional<std::int64_t> MenuWriter::originOf(const AddressParts& parts) {
    std::string key = parts.prefix + '\n' + parts.host;
    if (const auto known = m_origins.find(key); known != m_origins.end()) {
        return known->second;
    }
    if (!bindText(m_insertOrigin.get(), 1, parts.prefix) || !bindText(m_insertOrigin.get(), 2, parts.host) ||
        !run(m_insertOrigin.get()) || !bindText(m_findOrigin.get(), 1, parts.prefix) ||
        !bindText(m_findOrigin.get(), 2, parts.host)) {
        return std::nullopt;
    }
    const std::optional<std::int64_t> origin = singleNumber(m_findOrigin.get());
    if (origin) {
        m_origins.emplace(std::move(key), *origin);
    }
    return origin;
}

// The place of the address, a reference more counted; a new place when there is none.
std::optional<std::int64_t> MenuWriter::placeOf(std::string_view url) {
    const std::int64_t hash = firefoxUrlHash(url);
    sqlite3_stmt* find = m_findPlace.get();
    if (sqlite3_bind_int64(find, 1, hash) != SQLITE_OK || !bindText(find, 2, url)) {
        return std::nullopt;
    }
    const int step = sqlite3_step(find);
    const std::int64_t found = step == SQLITE_ROW ? sqlite3_column_int64(find, 0) : 0;
    sqlite3_reset(find);
    if (step == SQLITE_ROW) {
        return sqlite3_bind_int64(m_countReference.get(), 1, found) == SQLITE_OK && run(m_countReference.get())
                   ? std::optional(found)
                   : std::nullopt;
    }
    const AddressParts parts = addressParts(url, schemeEnd(url).value_or(0));
    const std::optional<std::int64_t> origin = step == SQLITE_DONE ? originOf(parts) : std::nullopt;
    const std::string guid = m_guids.next();
    sqlite3_stmt* insert = m_insertPlace.get();
    if (!origin || !bindText(insert, 1, url) || !bindText(insert, 2, parts.reversedHost) ||
        !bindText(insert, 3, guid) || sqlite3_bind_int64(insert, 4, hash) != SQLITE_OK ||
        sqlite3_bind_int64(insert, 5, *origin) != SQLITE_OK || !run(insert)) {
        return std::nullopt;
    }
    return sqlite3_last_insert_rowid(m_database);
}

bool MenuWriter::add(const PlacesLink& link) {
    const std::optional<std::int64_t> place = placeOf(firefoxForm(link.url));
    const std::string guid = m_guids.next();
    sqlite3_stmt* insert = m_insertBookmark.get();
    if (!place || sqlite3_bind_int64(insert, 1, *place) != SQLITE_OK ||
        sqlite3_bind_int64(insert, 2, m_menu) != SQLITE_OK || sqlite3_bind_int64(insert, 3, m_position) != SQLITE_OK ||
        !bindText(insert, 4, link.name) || sqlite3_bind_int64(insert, 5, m_now) != SQLITE_OK ||
        !bindText(insert, 6, guid) || !run(insert)) {
        return false;
    }
    ++m_position;
    ++m_added;
    return true;
}

bool MenuWriter::commit() {
    const Statement touch = prepare(m_database, kTouchMenu);
    // the menu changed once for every bookmark put in it
    if (m_added > 0 && (!touch || sqlite3_bind_int64(touch.get(), 1, m_now) != SQLITE_OK ||
                        sqlite3_bind_int64(touch.get(), 2, m_added) != SQLITE_OK ||
                        sqlite3_bind_int64(touch.get(), 3, m_menu) != SQLITE_OK || !run(touch.get()))) {
        return false;
    }
    m_open = sqlite3_exec(m_database, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK;
    return !m_open;
}

[[nodiscard]] bool writeLinks(const std::string& databasePath, const std::vector<const PlacesLink*>& links) {
    const Database database = openDatabase(databasePath, true);
    if (!database) {
        return false;
    }
    // the indexes of a large database are walked once per link: they are kept in memory
    sqlite3_exec(database.get(), "PRAGMA cache_size = -65536", nullptr, nullptr, nullptr);
    // prepared statements end before the database closes
    MenuWriter writer(database.get());
    if (!writer.begin()) {
        return false;
    }
    for (const PlacesLink* link : links) {
        if (!writer.add(*link)) {
            return false;
        }
    }
    return writer.commit();
}

}  // namespace

std::int64_t firefoxUrlHash(std::string_view url) {
    const std::uint64_t whole = hashBytes(url.substr(0, kHashedBytes));
    const std::size_t colon = url.substr(0, kSchemeSearchBytes).find(':');
    if (colon == std::string_view::npos) {
        return static_cast<std::int64_t>(whole);
    }
    const std::uint64_t scheme = hashBytes(url.substr(0, colon)) & 0xFFFFU;
    return static_cast<std::int64_t>((scheme << 32U) + whole);
}

PlacesWrite addToBookmarksMenu(const std::string& profileFolder, const std::string& keptCopyFolder,
                               const std::vector<PlacesLink>& links) {
    if (profileInUse(profileFolder)) {
        return PlacesWrite::InUse;
    }
    const std::string database = platform::joinPath(profileFolder, kPlacesFileName);
    const std::string copy = platform::joinPath(keptCopyFolder, kPlacesFileName);
    if (!platform::createPrivateFolder(keptCopyFolder) || !copyDatabase(database, copy)) {
        return PlacesWrite::NotWritten;
    }
    const ReadOutcome read = readKeptCopy(copy);
    if (!read.knownVersion) {
        return PlacesWrite::UnknownVersion;
    }
    if (!read.titles) {
        return PlacesWrite::NotWritten;
    }
    return writeLinks(database, linksToAdd(links, *read.titles)) ? PlacesWrite::Written : PlacesWrite::NotWritten;
}

}  // namespace browsers
