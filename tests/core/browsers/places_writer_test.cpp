#include "core/browsers/places_writer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>

#include "testing/files.h"

namespace {

namespace fs = std::filesystem;
using browsers::PlacesWrite;

// A copy of the profile Firefox made for the corpus, which the test may write.
struct CorpusProfile {
    CorpusProfile() {
        const fs::path corpus = DORVANE_CORPUS_DIR "/firefox-linux/k3j9x2ab.default-esr/places.sqlite";
        if (fs::exists(corpus)) {
            fs::create_directories(profile);
            fs::copy_file(corpus, database);
            fs::permissions(database, fs::perms::owner_write, fs::perm_options::add);
        }
    }
    [[nodiscard]] bool missing() const { return !fs::exists(database); }
    // The rows SQL gives, a row a line, columns joined by '|'.
    std::string rows(const std::string& sql) const {
        sqlite3* db = nullptr;
        sqlite3_open(database.c_str(), &db);
        std::string text;
        EXPECT_EQ(sqlite3_exec(
                      db, sql.c_str(),
                      [](void* out, int columns, char** values, char**) {
                          for (int i = 0; i < columns; ++i) {
                              *static_cast<std::string*>(out) +=
                                  std::string(values[i] ? values[i] : "") + (i + 1 < columns ? "|" : "\n");
                          }
                          return 0;
                      },
                      &text, nullptr),
                  SQLITE_OK)
            << sql;
        sqlite3_close(db);
        return text;
    }
    [[nodiscard]] PlacesWrite add(const std::vector<browsers::PlacesLink>& links) const {
        return browsers::addToBookmarksMenu(profile, kept, links);
    }

    testing_support::TempFolder root;
    std::string profile = root / "firefox/a1.default-esr";
    std::string database = profile + "/places.sqlite";
    std::string kept = root / "cache";
};

#define SKIP_WITHOUT_CORPUS(p) \
    if ((p).missing()) GTEST_SKIP() << "the Firefox corpus (../shared/corpus/firefox-linux) is not there"

TEST(PlacesWriter, EveryAddressIsHashedAsFirefoxHashedItInItsOwnDatabase) {
    const CorpusProfile p;
    SKIP_WITHOUT_CORPUS(p);
    std::size_t checked = 0;
    const std::string all = p.rows("SELECT url_hash, url FROM moz_places");
    for (std::string_view rows = all; !rows.empty(); ++checked) {
        const std::string_view row = rows.substr(0, rows.find('\n'));
        rows.remove_prefix(row.size() + 1);
        const std::size_t bar = row.find('|');
        ASSERT_EQ(std::to_string(browsers::firefoxUrlHash(row.substr(bar + 1))), row.substr(0, bar)) << row;
    }
    EXPECT_EQ(checked, 400U);
}

// The written rows are checked against what Firefox wrote for the corpus: a place per new
// address with its origin, a reference more on an address already known, the menu's next positions.
TEST(PlacesWriter, LinksStandAtTheEndOfTheBookmarksMenuAndASecondExportAddsNothing) {
    const CorpusProfile p;
    SKIP_WITHOUT_CORPUS(p);
    const std::string before = testing_support::readFile(p.database);
    const std::string known = p.rows("SELECT url FROM moz_places WHERE id = 3");
    std::string last = p.rows("SELECT max(id) FROM moz_bookmarks");
    last.pop_back();
    const std::vector<browsers::PlacesLink> links = {
        {"Fresh", "HTTPS://User:pw@New.example:8080/a?b#c"},
        // written otherwise than Firefox wrote it
        {"Known address", "HTTPS://WWW.BBC.co.uk:443" + known.substr(21, known.size() - 22)},
        // the corpus has a bookmark "Framework Css Price, event calendar build, and xml"
        {"fRAMEWORK CSS PRICE, EVENT CALENDAR BUILD, AND XML", "https://skipped.example/"},
        {"No scheme", "www.example.com"},
        {"Two", "about:blank"},
    };
    ASSERT_EQ(p.add(links), PlacesWrite::Written);
    EXPECT_EQ(testing_support::readFile(p.kept + "/places.sqlite"), before);
    const std::string added = p.rows(
        "SELECT b.position, b.title, length(b.guid), b.syncStatus, b.syncChangeCounter, b.dateAdded = b.lastModified,"
        " p.url_hash, p.rev_host, p.foreign_count, p.frecency, o.prefix, o.host FROM moz_bookmarks b JOIN moz_places"
        " p ON p.id = b.fk LEFT JOIN moz_origins o ON o.id = p.origin_id WHERE b.parent = 2 AND b.id > " +
        last + " ORDER BY b.position");
    // each address in the form Firefox gives it
    EXPECT_EQ(added, "22|Fresh|12|1|1|1|" +
                         std::to_string(browsers::firefoxUrlHash("https://User:pw@new.example:8080/a?b#c")) +
                         "|elpmaxe.wen.|1|1|https://|new.example:8080\n"
                         "23|Known address|12|1|1|1|47359015488713|ku.oc.cbb.www.|2|1|https://|www.bbc.co.uk\n"
                         "24|Two|12|1|1|1|" +
                         std::to_string(browsers::firefoxUrlHash("about:blank")) + "|.|1|1|about:|\n");
    EXPECT_EQ(p.rows("SELECT syncChangeCounter FROM moz_bookmarks WHERE id = 2"), "6\n");
    const std::string count = "SELECT count(*) FROM moz_bookmarks";
    const std::string after = p.rows(count);
    ASSERT_EQ(p.add(links), PlacesWrite::Written);
    EXPECT_EQ(p.rows(count), after);
}

TEST(PlacesWriter, WhileFirefoxRunsOrWhenTheDatabaseIsUnknownOrCannotBeWrittenItStaysAsItWas) {
    using Setup = void (*)(const CorpusProfile&);
    const std::tuple<const char*, Setup, PlacesWrite> cases[] = {
        {"a version never tried", [](const CorpusProfile& p) { p.rows("PRAGMA user_version = 87"); },
         PlacesWrite::UnknownVersion},
        {"a write refused half way",
         [](const CorpusProfile& p) {
             p.rows(
                 "CREATE TRIGGER refuse AFTER INSERT ON moz_bookmarks WHEN NEW.title = 'Second' BEGIN "
                 "SELECT RAISE(ABORT, 'refused'); END");
         },
         PlacesWrite::NotWritten},
        {"not a database", [](const CorpusProfile& p) { testing_support::writeFile(p.database, "SQLite format 3"); },
         PlacesWrite::NotWritten},
    };
    for (const auto& [what, setup, outcome] : cases) {
        SCOPED_TRACE(what);
        const CorpusProfile p;
        SKIP_WITHOUT_CORPUS(p);
        setup(p);
        const std::vector<std::string> before = testing_support::treeOf(p.profile);
        EXPECT_EQ(p.add({{"First", "https://first.example/"}, {"Second", "https://second.example/"}}), outcome);
        EXPECT_EQ(testing_support::treeOf(p.profile), before);
    }
    const CorpusProfile p;
    SKIP_WITHOUT_CORPUS(p);
    // Firefox's lock on ".parentlock", held here on a file description of its own, as another process holds it
    const int parentLock = ::open((p.profile + "/.parentlock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    ASSERT_EQ(::fcntl(parentLock, F_OFD_SETLK, &lock), 0);
    EXPECT_EQ(p.add({{"First", "https://first.example/"}}), PlacesWrite::InUse);
    ::close(parentLock);
    // a Firefox that ended without tidying up left its link behind
    fs::create_symlink("127.0.1.1:+999999999", p.profile + "/lock");
    EXPECT_EQ(p.add({{"First", "https://first.example/"}}), PlacesWrite::Written);
}

}  // namespace
