#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <functional>

#include "core/browsers/bookmark_loads.h"
#include "core/browsers/browser_locations.h"
#include "testing/files.h"
#include "testing/test_app.h"

namespace {

namespace fs = std::filesystem;
using browsers::LoadOutcome;
using testing_support::writeFile;
using Entries = std::vector<std::string>;

// One entry of the bookmark tree; type 1 is a bookmark, 2 a folder, 3 a separator.
struct Entry {
    int id, parent, position, type;
    const char *title, *url;
};

// A places database laid out as Firefox lays it, with the columns that are read: the top
// folder (1) holds the menu (2), the toolbar (3), the tags (4) and the other bookmarks (5).
struct PlacesFile {
    explicit PlacesFile(const std::string& path, const char* setUp = "") {
        fs::create_directories(fs::path(path).parent_path());
        EXPECT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        exec(setUp);
        exec(
            "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url TEXT); CREATE TABLE moz_bookmarks (id INTEGER"
            " PRIMARY KEY, type INTEGER, fk INTEGER, parent INTEGER, position INTEGER, title TEXT, guid TEXT);"
            "INSERT INTO moz_bookmarks VALUES (1, 2, NULL, 0, 0, '', 'root________'), (2, 2, NULL, 1, 0, 'menu', 'm'),"
            " (3, 2, NULL, 1, 1, 'toolbar', 't'), (4, 2, NULL, 1, 2, 'tags', 'tags________'),"
            " (5, 2, NULL, 1, 3, 'unfiled', 'u')");
    }
    ~PlacesFile() { sqlite3_close(db); }

    void exec(const char* sql) { EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql; }
    void add(const std::vector<Entry>& entries) {
        for (const Entry& e : entries) {
            char* sql = sqlite3_mprintf(
                "INSERT INTO moz_places VALUES (%d, %Q); INSERT INTO moz_bookmarks VALUES"
                " (%d, %d, %d, %d, %d, %Q, 'g%d')",
                e.id, e.url, e.id, e.type, e.id, e.parent, e.position, e.title, e.id);
            exec(sql);
            sqlite3_free(sql);
        }
    }

    sqlite3* db = nullptr;
};

// A link staged in the staging folder, as the scratch folder's tree shows it.
std::string staged(const std::string& name, const std::string& url) {
    return "Fav/" + name + ".url=" + testing_support::shortcutBytes(url);
}

class FirefoxPlacesTest : public ::testing::Test {
protected:
    LoadOutcome load() {
        return browsers::loadURLFirefox(browsers::firefoxProfileRoots(app.context), app.context.stagingFolder());
    }
    // Also shows that no copy of a database is left.
    Entries scratchTree() const { return testing_support::treeOf(app.context.scratchFolder()); }
    void writePlaces(const std::string& profile, const std::vector<Entry>& entries) {
        PlacesFile(profiles + profile + "/places.sqlite").add(entries);
    }

    testing_support::TestApp app;
    std::string profiles = app.context.homeFolder + "/.mozilla/firefox/";
};

TEST_F(FirefoxPlacesTest, StagesThePagesOfTheTreeInItsOrderLeavingOutTagsSeparatorsAndQueries) {
    writePlaces("a1.default", {
                                  {10, 2, 1, 1, "Order", "http://order/second"},  // positions, not ids, give the order
                                  {11, 2, 0, 1, "Order", "http://order/first"},
                                  {12, 2, 2, 2, "Sub", nullptr},
                                  {13, 12, 0, 1, "Nest", "http://nest/inside"},  // a subfolder is read where it stands
                                  {14, 2, 3, 1, "Nest", "http://nest/after"},
                                  {15, 5, 0, 1, "Fish & Chips", "http://fish/?a=1&b=2"},
                                  {16, 2, 4, 1, nullptr, "http://untitled/"},
                                  {17, 5, 1, 1, "Recent", "place:sort=8&maxResults=10"},
                                  {18, 5, 2, 3, "Line", "http://separator/"},
                                  {19, 4, 0, 2, "Tagged", nullptr},
                                  {20, 19, 0, 1, "Tagged", "http://tagged/"},
                                  {21, 3, 0, 1, "Bar", "http://bar/"},
                              });
    EXPECT_EQ(load(), LoadOutcome::Staged);
    EXPECT_EQ(scratchTree(),
              (Entries{"Fav/", staged("Bar", "http://bar/"), staged("Fish & Chips", "http://fish/?a=1&b=2"),
                       staged("Nest", "http://nest/after"), staged("Order", "http://order/second")}));
}

TEST_F(FirefoxPlacesTest, EveryLinuxProfileIsReadAlsoWhileFirefoxRunsAndABookmarkFileWinsOverItsDatabase) {
    // a running Firefox holds its database locked and keeps what is new in the log beside it
    const std::string running = profiles + "a1.default";
    PlacesFile database(running + "/places.sqlite",
                        "PRAGMA locking_mode=EXCLUSIVE; PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;");
    database.add({{10, 2, 0, 1, "Alpha", "http://alpha/"}, {11, 2, 1, 1, "News", "http://news1/"}});
    database.exec("PRAGMA wal_checkpoint(TRUNCATE)");
    database.add({{12, 2, 2, 1, "Newest", "http://newest/"}});
    const Entries runningFiles = testing_support::treeOf(running);
    profiles = app.context.homeFolder + "/snap/firefox/common/.mozilla/firefox/";
    writePlaces("b2.default", {{10, 3, 0, 1, "News", "http://news2/"}});
    profiles = app.context.homeFolder + "/.var/app/org.mozilla.firefox/.mozilla/firefox/";
    writePlaces("c3.default", {{10, 2, 0, 1, "Hidden", "http://hidden/"}});
    writeFile(profiles + "c3.default/bookmarks.html", testing_support::bookmarkFileText({{"Gamma", "http://g/"}}));

    EXPECT_EQ(load(), LoadOutcome::Staged);
    EXPECT_EQ(testing_support::treeOf(running), runningFiles);
    EXPECT_EQ(scratchTree(), (Entries{"Fav/", staged("Alpha", "http://alpha/"), staged("Gamma", "http://g/"),
                                      staged("Newest", "http://newest/"), staged("News", "http://news2/")}));
}

TEST_F(FirefoxPlacesTest, ADatabaseThatCannotBeReadIsPassedOverAndTheOtherProfilesAreStillRead) {
    const std::pair<const char*, std::function<void(const std::string&)>> unreadable[] = {
        {"not a database", [](const std::string& path) { writeFile(path, "no database at all"); }},
        {"cut short after its schema",
         [](const std::string& path) {
             PlacesFile(path).add({{10, 2, 0, 1, "Lost", "http://lost/"}});
             fs::resize_file(path, 4096);
         }},
        {"another program's", [](const std::string& path) { PlacesFile(path).exec("DROP TABLE moz_bookmarks"); }},
        {"a folder", [](const std::string& path) { fs::create_directories(path); }},
    };
    for (const auto& [kind, write] : unreadable) {
        fs::remove_all(profiles);
        write(profiles + "a1.default/places.sqlite");
        EXPECT_EQ(load(), LoadOutcome::NoBookmarkFile) << kind;
        writePlaces("b2.default", {{10, 2, 0, 1, "Good", "http://good/"}});
        EXPECT_EQ(load(), LoadOutcome::Staged) << kind;
        EXPECT_EQ(scratchTree(), (Entries{"Fav/", staged("Good", "http://good/")})) << kind;
    }
}

}  // namespace
