// Reading a bookmarks.html of N links into staged Internet Shortcut files, beside two
// floors whose sum it is compared with: reading the same file whole, and writing N
// two-line .url files by the simplest loop. Everything lives on /dev/shm where it exists.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/browsers/bookmark_loads.h"
#include "core/platform/file_ops.h"

namespace {

namespace fs = std::filesystem;

// A folder made once for the whole run and removed at its end.
class BenchFolder final {
public:
    BenchFolder() {
        const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (base / "bookmark_reader_bench_XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        m_path = pattern;
    }
    ~BenchFolder() { fs::remove_all(m_path); }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    [[nodiscard]] const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

const std::string& benchFolder() {
    static const BenchFolder folder;
    return folder.path();
}

std::string urlOf(int link) { return "https://www.example.org/articles/" + std::to_string(link) + "/page.html"; }

// A bookmark file as a browser writes it: folders of twenty links, each anchor with its
// dates and icon. The profile root of N links holds one such file.
std::string profileRootOf(int links) {
    const std::string root = benchFolder() + "/profiles" + std::to_string(links);
    if (fs::exists(root)) {
        return root;
    }
    std::string text = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n<DL><p>\n";
    for (int link = 0; link < links; ++link) {
        if (link % 20 == 0) {
            text += (link == 0 ? "" : "    </DL><p>\n") + std::string("    <DT><H3 ADD_DATE=\"1113502144\">Folder ") +
                    std::to_string(link / 20) + "</H3>\n    <DL><p>\n";
        }
        text += "        <DT><A HREF=\"" + urlOf(link) +
                "\" ADD_DATE=\"1113502144\" LAST_MODIFIED=\"1113502155\" ICON_URI=\"https://www.example.org/"
                "favicon.ico\">Article " +
                std::to_string(link) + " on the example site</A>\n";
    }
    text += "    </DL><p>\n</DL><p>\n";
    fs::create_directories(root + "/abcd.default");
    if (!platform::writeWholeFile(root + "/abcd.default/bookmarks.html", text)) {
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

void BM_LoadBookmarkFile(benchmark::State& state) {
    const int links = static_cast<int>(state.range(0));
    const std::string root = profileRootOf(links);
    for (auto _ : state) {
        emptyStagingUntimed(state);
        if (browsers::loadURLMozilla(root, stagingFolder()) != browsers::LoadOutcome::Staged) {
            state.SkipWithError("the bookmark file was not read");
            break;
        }
    }
    state.counters["links"] = links;
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
BENCHMARK(BM_FloorReadFile)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorWriteShortcuts)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
