// Reading a bookmarks.html of N links into staged Internet Shortcut files, and a Firefox
// database (places.sqlite) and a Chromium "Bookmarks" file of the same N links, beside two
// floors whose sum they are compared with: reading the bookmark file whole, and writing N
// two-line .url files by the simplest loop. Then an export of 10,000 links into a Chromium
// file of N, beside its floor: reading the file and writing it twice (the copy kept and the
// new file), each flushed. Everything lives on /dev/shm where it exists.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_folder.h"
#include "bench_links.h"
#include "core/browsers/bookmark_loads.h"
#include "core/browsers/chromium_transfer.h"
#include "core/platform/file_ops.h"

namespace {

namespace fs = std::filesystem;

const std::string& benchFolder() {
    static const BenchFolder folder("bookmark_reader_bench");
    return folder.path();
}

// The profile root of N links holds one bookmark file of them.
std::string profileRootOf(int links) {
    const std::string root = benchFolder() + "/profiles" + std::to_string(links);
    if (fs::exists(root)) {
        return root;
    }
    const std::string text = bookmarkFileText(links);
    fs::create_directories(root + "/abcd.default");
    if (!platform::writeWholeFile(root + "/abcd.default/bookmarks.html", text)) {
        std::exit(1);
    }
    return root;
}

void execOrExit(sqlite3* database, const char* sql) {
    if (sqlite3_exec(database, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", sqlite3_errmsg(database));
        std::exit(1);
    }
}

// A Firefox profile root of N links whose one profile keeps them in its database only, in
// the same folders of twenty with the same titles and addresses as the bookmark file.
std::string placesRootOf(int links) {
    const std::string root = benchFolder() + "/places" + std::to_string(links);
    if (fs::exists(root)) {
        return root;
    }
    fs::create_directories(root + "/abcd.default-esr");
    sqlite3* database = nullptr;
    if (sqlite3_open((root + "/abcd.default-esr/places.sqlite").c_str(), &database) != SQLITE_OK) {
        std::exit(1);
    }
    execOrExit(database,
               "PRAGMA journal_mode=WAL; BEGIN;"
               "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR);"
               "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER, parent INTEGER,"
               " position INTEGER, title LONGVARCHAR, guid TEXT);"
               "CREATE INDEX moz_bookmarks_parentindex ON moz_bookmarks (parent, position);"
               "INSERT INTO moz_bookmarks VALUES (1, 2, NULL, 0, 0, '', 'root________'),"
               " (2, 2, NULL, 1, 0, 'menu', 'menu________'), (3, 2, NULL, 1, 1, 'tags', 'tags________')");
    for (int link = 0; link < links; ++link) {
        const int folderId = 10 + link / 20;
        const int linkId = 10 + links + link;
        if (link % 20 == 0) {
            char* folder = sqlite3_mprintf("INSERT INTO moz_bookmarks VALUES (%d, 2, NULL, 2, %d, 'Folder %d', 'f%d')",
                                           folderId, link / 20, link / 20, folderId);
            execOrExit(database, folder);
            sqlite3_free(folder);
        }
        char* bookmark = sqlite3_mprintf(
            "INSERT INTO moz_places VALUES (%d, %Q);"
            "INSERT INTO moz_bookmarks VALUES (%d, 1, %d, %d, %d, 'Article %d on the example site', 'b%d')",
            linkId, urlOf(link).c_str(), linkId, linkId, folderId, link % 20, link, linkId);
        execOrExit(database, bookmark);
        sqlite3_free(bookmark);
    }
    execOrExit(database, "COMMIT");
    sqlite3_close(database);
    return root;
}

// A Chromium user-data folder of N links whose one profile keeps them in its bookmark file,
// in the same folders of twenty in "Other bookmarks", each node with the keys the browser writes.
std::string chromiumRootOf(int links) {
    const std::string root = benchFolder() + "/chromium" + std::to_string(links);
    if (fs::exists(root)) {
        return root;
    }
    fs::create_directories(root + "/Default");
    if (!platform::writeWholeFile(root + "/Local State", "{}") ||
        !platform::writeWholeFile(root + "/Default/Bookmarks", chromiumBookmarksText(links))) {
        std::exit(1);
    }
    return root;
}

std::string bookmarkFileOf(int links) { return profileRootOf(links) + "/abcd.default/bookmarks.html"; }

const std::string& stagingFolder() {
    static const std::string staging = benchFolder() + "/temp/Fav";
    return staging;
}

// Each round starts from an empty staging folder; emptying it is not what is measured.
void emptyStagingUntimed(benchmark::State& state) {
    state.PauseTiming();
    fs::remove_all(stagingFolder());
    fs::create_directories(stagingFolder());
    state.ResumeTiming();
}

// Times a load into a staging folder emptied before each round.
template <typename Load>
void timeLoad(benchmark::State& state, Load load) {
    for (auto _ : state) {
        emptyStagingUntimed(state);
        if (load() != browsers::LoadOutcome::Staged) {
            state.SkipWithError("the links were not read");
            break;
        }
    }
    state.counters["links"] = static_cast<double>(state.range(0));
}

void BM_LoadBookmarkFile(benchmark::State& state) {
    const std::string root = profileRootOf(static_cast<int>(state.range(0)));
    timeLoad(state, [&] { return browsers::loadURLMozilla(root, stagingFolder()); });
}

void BM_LoadPlacesDatabase(benchmark::State& state) {
    const std::vector<std::string> roots{placesRootOf(static_cast<int>(state.range(0)))};
    timeLoad(state, [&] { return browsers::loadURLFirefox(roots, stagingFolder()); });
}

void BM_LoadChromiumBookmarks(benchmark::State& state) {
    const std::vector<browsers::ChromiumInstall> installs{
        {browsers::ChromiumBrowser::Chromium, "Chromium", chromiumRootOf(static_cast<int>(state.range(0)))}};
    timeLoad(state, [&] { return browsers::loadURLChrome(installs, stagingFolder()); });
}

constexpr int kExported = 10'000;

// Each round exports into a fresh copy of the file; making it is not what is measured.
std::string freshChromiumCopy(benchmark::State& state, int links) {
    state.PauseTiming();
    const std::string copy = benchFolder() + "/chromium-export";
    fs::remove_all(copy);
    fs::copy(chromiumRootOf(links), copy, fs::copy_options::recursive);
    state.ResumeTiming();
    return copy;
}

void BM_ExportToChromium(benchmark::State& state) {
    const int links = static_cast<int>(state.range(0));
    std::vector<browsers::Link> exported;
    for (int link = 0; link < kExported; ++link) {
        exported.push_back({"New " + nameOf(link), urlOf(link) + "?new"});
    }
    for (auto _ : state) {
        const browsers::ChromiumInstall install{browsers::ChromiumBrowser::Chromium, "Chromium",
                                                freshChromiumCopy(state, links)};
        if (browsers::exportToChromium(install, exported, benchFolder() + "/backup").outcome !=
            browsers::ChromiumExportOutcome::Done) {
            state.SkipWithError("the links were not exported");
            break;
        }
    }
    state.counters["links"] = links;
}

void BM_FloorExportToChromium(benchmark::State& state) {
    const int links = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const std::string file = freshChromiumCopy(state, links) + "/Default/Bookmarks";
        std::string text;
        benchmark::DoNotOptimize(platform::readWholeFile(file, text));
        for (const std::string& copy : {file + ".copy", file + ".new"}) {
            const int fd = ::open(copy.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
            benchmark::DoNotOptimize(::write(fd, text.data(), text.size()));
            ::fsync(fd);
            ::close(fd);
        }
    }
}

void BM_FloorReadFile(benchmark::State& state) {
    const std::string file = bookmarkFileOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::string text;
        benchmark::DoNotOptimize(platform::readWholeFile(file, text));
    }
}

void BM_FloorWriteShortcuts(benchmark::State& state) {
    const int links = static_cast<int>(state.range(0));
    for (auto _ : state) {
        emptyStagingUntimed(state);
        for (int link = 0; link < links; ++link) {
            const std::string path = stagingFolder() + "/Article " + std::to_string(link) + " on the example site.url";
            const std::string text = "[InternetShortcut]\r\nURL=" + urlOf(link) + "\r\n";
            const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            benchmark::DoNotOptimize(::write(fd, text.data(), text.size()));
            ::close(fd);
        }
    }
}

BENCHMARK(BM_LoadBookmarkFile)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadPlacesDatabase)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadChromiumBookmarks)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportToChromium)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorExportToChromium)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorReadFile)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorWriteShortcuts)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
