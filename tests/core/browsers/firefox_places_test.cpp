#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

#include "core/browsers/bookmark_loads.h"
#include "core/browsers/browser_locations.h"
#include "testing/files.h"
#include "testing/test_app.h"

namespace {

constexpr const char* kLost = "(10, 2, 0, 1, 'Lost', 'http://lost/')";

// A places database laid out as Firefox lays it, with the columns that are read: the top
// folder (1) holds the menu (2), the toolbar (3), the tags (4) and the other bookmarks (5).
struct PlacesFile {
    explicit PlacesFile(const std::string& path, const std::string& rows) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        EXPECT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        exec(
            "CREATE TABLE moz_places (id, url); CREATE TABLE moz_bookmarks (id, type, fk, parent, position,"
            " title, guid); INSERT INTO moz_bookmarks VALUES (1, 2, 0, 0, 0, '', 'root________'), (2, 2, 0, 1, 0,"
            " '', 'm'), (3, 2, 0, 1, 1, '', 't'), (4, 2, 0, 1, 2, '', 'tags________'), (5, 2, 0, 1, 3, '', 'u')");
        add(rows);
    }
    ~PlacesFile() { sqlite3_close(db); }

    void exec(const std::string& sql) { EXPECT_EQ(sqlite3_exec(db, sql.c_str(), 0, 0, 0), SQLITE_OK) << sql; }
    // Rows "(id, parent, position, type, title, url)" of the tree; type 1 is a bookmark, 2 a folder, 3 a separator.
    void add(const std::string& rows) {
        exec("CREATE TEMP TABLE e (id, parent, position, type, title, url); INSERT INTO e VALUES " + rows +
             "; INSERT INTO moz_places SELECT id, url FROM e; INSERT INTO moz_bookmarks SELECT id, type, id, parent,"
             " position, title, NULL FROM e; DROP TABLE e");
    }

    sqlite3* db = nullptr;
};

struct FirefoxPlacesTest : ::testing::Test {
    // Loads expecting the outcome and just these links (name, URL, name, URL...) staged; nothing else,
    // no copy of a database either, is left in the scratch folder.
    void expectLoad(browsers::LoadOutcome outcome, const std::vector<std::string>& links) {
        std::vector<std::string> tree(links.empty() ? 0 : 1, "Fav/");
        for (std::size_t i = 0; i + 1 < links.size(); i += 2) {
            tree.push_back("Fav/" + links[i] + ".url=" + testing_support::shortcutBytes(links[i + 1]));
        }
        const auto roots = browsers::firefoxProfileRoots(app.context);
        EXPECT_EQ(browsers::loadURLFirefox(roots, app.context.stagingFolder()), outcome);
        EXPECT_EQ(testing_support::treeOf(app.context.scratchFolder()), tree);
    }

    testing_support::TestApp app;
    std::string profiles = app.context.homeFolder + "/.mozilla/firefox/";
};

// Positions, not ids, give the order; a subfolder is read where it stands; of two links of one
// name the later in the tree, or in the later profile folder, is staged. The Windows place is
// searched as well as the Linux ones.
TEST_F(FirefoxPlacesTest, EveryLinuxProfileIsReadInTreeOrderLeavingOutTagsSeparatorsAndQueriesAlsoWhileFirefoxRuns) {
    // a running Firefox holds its database locked and keeps what is new in the log beside it
    PlacesFile database(
        profiles + "a1.default/places.sqlite",
        "(10, 2, 1, 1, 'Order', 'http://order/second'), (11, 2, 0, 1, 'Order', 'http://order/first'),"
        "(12, 2, 2, 2, 'Sub', NULL), (13, 12, 0, 1, 'Nest', 'http://nest/inside'),"
        "(14, 2, 3, 1, 'Nest', 'http://nest/after'), (15, 5, 0, 1, 'Fish & Chips', 'http://fish/?a=1&b=2'),"
        "(16, 2, 4, 1, NULL, 'http://untitled/'), (17, 5, 1, 1, 'Recent', 'place:sort=8&maxResults=10'),"
        "(18, 5, 2, 3, 'Line', 'http://separator/'), (19, 4, 0, 2, 'Tagged', NULL),"
        "(20, 19, 0, 1, 'Tagged', 'http://tagged/'), (21, 3, 0, 1, 'Bar', 'http://bar/')");
    database.exec("PRAGMA locking_mode=EXCLUSIVE; PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;");
    database.add("(22, 2, 5, 1, 'Newest', 'http://newest/')");
    const auto runningFiles = testing_support::treeOf(profiles);
    PlacesFile(app.context.homeFolder + "/snap/firefox/common/.mozilla/firefox/b2.default/places.sqlite",
               "(10, 3, 0, 1, 'Bar', 'http://bar/snap')");
    // a bookmark file wins over the database beside it
    const std::string flatpak = app.context.homeFolder + "/.var/app/org.mozilla.firefox/.mozilla/firefox/c3.default/";
    PlacesFile(flatpak + "places.sqlite", "(10, 2, 0, 1, 'Hidden', 'http://hidden/')");
    testing_support::writeFile(flatpak + "bookmarks.html", testing_support::bookmarkFileText({{"Gamma", "http://g/"}}));
    // the Windows place, whose folders need not have the case of the names looked for
    const std::string user = app.root / "home/u1";
    std::filesystem::create_directories(user + "/Favorites");
    testing_support::writeFavoritesRegistry(app.context.registryFile, user + "/Favorites");
    PlacesFile(user + "/APPLICATION DATA/mozilla/FIREFOX/profiles/d4.default/places.sqlite",
               "(10, 2, 0, 1, 'Windows', 'http://windows/')");
    // a new user's profiles lie in the configuration folder; profiles.ini may name one anywhere
    const std::string config = app.context.configFolder + "/mozilla/firefox/", elsewhere = app.root / "media/p9";
    testing_support::writeFile(config + "profiles.ini", "[Profile0]\nIsRelative=0\nPath=" + elsewhere + "\n");
    PlacesFile(config + "u2.default-esr/places.sqlite", "(10, 3, 0, 1, 'Config', 'http://config/')");
    PlacesFile(elsewhere + "/places.sqlite", "(10, 3, 0, 1, 'Elsewhere', 'http://elsewhere/')");

    expectLoad(browsers::LoadOutcome::Staged,
               {"Bar", "http://bar/snap", "Config", "http://config/", "Elsewhere", "http://elsewhere/", "Fish & Chips",
                "http://fish/?a=1&b=2", "Gamma", "http://g/", "Nest", "http://nest/after", "Newest", "http://newest/",
                "Order", "http://order/second", "Windows", "http://windows/"});
    EXPECT_EQ(testing_support::treeOf(profiles), runningFiles);
}

TEST_F(FirefoxPlacesTest, ADatabaseThatCannotBeReadIsPassedOverAndTheOtherProfilesAreStillRead) {
    const std::pair<const char*, void (*)(const std::string&)> unreadable[] = {
        {"not a database", [](const std::string& path) { testing_support::writeFile(path, "no database at all"); }},
        {"cut short after its schema",
         [](const std::string& path) {
             PlacesFile(path, kLost);
             std::filesystem::resize_file(path, 4096);
         }},
        {"foreign", [](const std::string& path) { PlacesFile(path, kLost).exec("DROP TABLE moz_bookmarks"); }},
        {"a folder", [](const std::string& path) { std::filesystem::create_directories(path); }},
    };
    for (const auto& [kind, write] : unreadable) {
        SCOPED_TRACE(kind);
        std::filesystem::remove_all(profiles);
        std::filesystem::remove_all(app.context.scratchFolder());
        write(profiles + "a1.default/places.sqlite");
        expectLoad(browsers::LoadOutcome::NoBookmarkFile, {});
        PlacesFile(profiles + "b2.default/places.sqlite", "(10, 2, 0, 1, 'Good', 'http://good/')");
        expectLoad(browsers::LoadOutcome::Staged, {"Good", "http://good/"});
    }
}

}  // namespace
