// Exporting 10,000 links into the bookmark database of a Linux desktop's Firefox that holds
// 100,000 bookmarks, as the user does it in the real export dialog: the click on the store's
// Firefox folder (the links listed and staged), Select All, FireFox, Export, up to the
// completion message. Beside it its floor: the N link files read and the same rows inserted
// into the same database by the simplest loop, in one transaction.
#include <sqlite3.h>

#include <memory>

#include "core/browsers/places_writer.h"
#include "core/store/folder_scan.h"
#include "gui/widgets/folder_tree.h"
#include "gui/windows/export_dialog.h"
#include "road_bench_support.h"

namespace {

using namespace road_bench;

constexpr int kBookmarks = 100'000;
constexpr const char* kFirefoxNodeKey = "/usr/share/Application Data/Mozilla/FireFox/Profiles/";
constexpr const char* kCorpusDatabase = DORVANE_CORPUS_DIR "/firefox-linux/k3j9x2ab.default-esr/places.sqlite";

[[nodiscard]] std::int64_t countOf(const std::string& database, const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_stmt* statement = nullptr;
    sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    const std::int64_t count = sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : -1;
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return count;
}

// A Linux Firefox whose started profile, made by Firefox, holds 100,000 bookmarks besides its
// own, and a store whose Firefox folder holds N other links.
class FirefoxDatabaseBench final : public BenchPc {
public:
    explicit FirefoxDatabaseBench(int links) : BenchPc("firefox_database_bench", links) {
        writeLinks(m_app.storeFolder("Firefox"), "Bench link ", kBookmarks, kBookmarks + links);
        const std::string root = m_app.context.configFolder + "/mozilla/firefox";
        BenchApp::write(root + "/profiles.ini", "[Profile0]\nIsRelative=1\nPath=a1.default-esr\nDefault=1\n");
        std::vector<browsers::PlacesLink> existing;
        for (int link = 0; link < kBookmarks; ++link) {
            existing.push_back({nameOf(link), urlOf(link)});
        }
        fs::create_directories(m_profile);
        copyWholeFile(kCorpusDatabase, m_full);
        if (browsers::addToBookmarksMenu(m_profile, floorFolder("kept"), existing) != browsers::PlacesWrite::Written) {
            std::exit(1);
        }
        fs::rename(m_full, floorFolder("full.sqlite"));
        m_full = floorFolder("full.sqlite");
        m_bookmarks = countOf(m_full, "SELECT count(*) FROM moz_bookmarks");
    }

    [[nodiscard]] std::string database() const { return m_profile + "/places.sqlite"; }
    void resetDatabase() const { copyWholeFile(m_full, database()); }
    [[nodiscard]] bool allAdded() const {
        return countOf(database(), "SELECT count(*) FROM moz_bookmarks") == m_bookmarks + links();
    }
    [[nodiscard]] std::string storeFolder() const { return m_app.storeFolder("Firefox"); }

    std::unique_ptr<ui::ExportDialog> openDialog() {
        resetDatabase();
        countMessagesFromNow();
        return shown(std::make_unique<ui::ExportDialog>(m_app.context));
    }

    void exportAll(ui::ExportDialog& dialog) const {
        const std::string key = store::storeKeyRoot(m_app.context.applicationFolder) + "Firefox";
        dialog.chooseSource(dialog.storeTree().itemByKey(key));
        dialog.toggleAllChecks();
        dialog.chooseDestination(dialog.browserNode(kFirefoxNodeKey));
        dialog.exportLinks();
    }

private:
    std::string m_profile = m_app.context.configFolder + "/mozilla/firefox/a1.default-esr";
    std::string m_full = m_profile + "/places.sqlite";
    std::int64_t m_bookmarks = 0;
};

void ExportToFirefoxDatabaseRoad(benchmark::State& state) {
    FirefoxDatabaseBench bench(static_cast<int>(state.range(0)));
    timeRounds(
        state, "the export did not add every link", [&] { return bench.openDialog(); },
        [&](auto& dialog) { bench.exportAll(*dialog); },
        [&](auto&) { return bench.oneMessageShown() && bench.allAdded(); });
}

// The simplest loop: each link file read, a place and a bookmark inserted per link.
void InsertRowsFloor(benchmark::State& state) {
    FirefoxDatabaseBench bench(static_cast<int>(state.range(0)));
    timeRounds(
        state, "the floor failed",
        [&] {
            bench.resetDatabase();
            return true;
        },
        [&](bool) {
            sqlite3* db = nullptr;
            sqlite3_open(bench.database().c_str(), &db);
            sqlite3_stmt* place = nullptr;
            sqlite3_stmt* bookmark = nullptr;
            sqlite3_prepare_v2(db, "INSERT INTO moz_places (url, url_hash, guid) VALUES (?1, ?2, ?3)", -1, &place,
                               nullptr);
            sqlite3_prepare_v2(db,
                               "INSERT INTO moz_bookmarks (type, fk, parent, position, title, guid) VALUES "
                               "(1, last_insert_rowid(), 2, ?1, ?2, ?3)",
                               -1, &bookmark, nullptr);
            sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
            for (int link = 0; link < bench.links(); ++link) {
                const std::string name = "Bench link " + std::to_string(kBookmarks + link);
                const std::string text = readSmallFile(bench.storeFolder() + "/" + name + ".url");
                const std::string url = text.substr(text.find("URL=") + 4);
                const std::string guid = std::to_string(1'000'000'000'000 + link);
                sqlite3_bind_text(place, 1, url.c_str(), -1, SQLITE_STATIC);
                sqlite3_bind_int64(place, 2, browsers::firefoxUrlHash(url));
                sqlite3_bind_text(place, 3, guid.c_str(), -1, SQLITE_STATIC);
                sqlite3_step(place);
                sqlite3_reset(place);
                sqlite3_bind_int(bookmark, 1, 1000 + link);
                sqlite3_bind_text(bookmark, 2, name.c_str(), -1, SQLITE_STATIC);
                sqlite3_bind_text(bookmark, 3, guid.c_str(), -1, SQLITE_STATIC);
                sqlite3_step(bookmark);
                sqlite3_reset(bookmark);
            }
            sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
            sqlite3_finalize(place);
            sqlite3_finalize(bookmark);
            sqlite3_close(db);
        },
        [&](bool) { return bench.allAdded(); });
}

void asExport(benchmark::internal::Benchmark* bench) {
    bench->Arg(10'000)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
}

BENCHMARK(ExportToFirefoxDatabaseRoad)->Apply(asExport);
BENCHMARK(InsertRowsFloor)->Apply(asExport);

}  // namespace

int main(int argc, char** argv) { return runBenchmarks(argc, argv); }
