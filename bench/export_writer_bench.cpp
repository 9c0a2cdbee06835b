// Appending links to a large Firefox bookmark file, beside the floor of copying that file
// once through memory. Every appended link is first looked for among the file's lines.
// Run it where the files live in memory, e.g. TMPDIR=/dev/shm ./export_writer_bench.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/browsers/export_writer.h"
#include "core/platform/file_ops.h"
#include "core/store/shortcut.h"

namespace {

constexpr int kBookmarkLines = 100'000;
constexpr int kLinks = 10'000;

// A bookmark file as a browser writes it: folders of twenty links each, every anchor line
// with its dates and icon.
std::string bookmarkFileText() {
    std::string text =
        "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
        "<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks Menu</H1>\n\n<DL><p>\n";
    int lines = 6;
    for (int folder = 0; lines < kBookmarkLines - 1; ++folder) {
        text += "    <DT><H3 ADD_DATE=\"1113502144\" LAST_MODIFIED=\"1113502155\">Folder " + std::to_string(folder) +
                "</H3>\n    <DL><p>\n";
        lines += 2;
        for (int link = 0; link < 20 && lines < kBookmarkLines - 2; ++link, ++lines) {
            const std::string number = std::to_string(folder * 20 + link);
            text += "        <DT><A HREF=\"https://www.example.org/articles/" + number +
                    "/page.html\" ADD_DATE=\"1113502144\" LAST_MODIFIED=\"1113502155\" "
                    "ICON_URI=\"https://www.example.org/favicon.ico\">Article " +
                    number + " on the example site</A>\n";
        }
        text += "    </DL><p>\n";
        ++lines;
    }
    return text + "</DL><p>\n";
}

class ExportFixture {
public:
    ExportFixture() {
        std::string pattern = (std::filesystem::temp_directory_path() / "export_writer_bench_XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        m_folder = pattern;
        m_bookmarkFile = m_folder + "/profiles/abcd.default/bookmarks.html";
        std::filesystem::create_directories(m_folder + "/profiles/abcd.default");
        std::filesystem::create_directories(m_folder + "/store");
        m_original = bookmarkFileText();
        for (int i = 0; i < kLinks; ++i) {
            const std::string text = "Bench link " + std::to_string(i) + ".url";
            const std::string path = m_folder + "/store/" + text;
            if (!platform::writeWholeFile(path,
                                          store::linkFileText("https://bench.example.net/" + std::to_string(i)))) {
                std::exit(1);
            }
            m_items.push_back({text, path, true});
        }
        resetBookmarkFile();
    }
    ~ExportFixture() { std::filesystem::remove_all(m_folder); }
    ExportFixture(const ExportFixture&) = delete;
    ExportFixture& operator=(const ExportFixture&) = delete;

    void resetBookmarkFile() const {
        if (!platform::writeWholeFile(m_bookmarkFile, m_original)) {
            std::exit(1);
        }
    }

    [[nodiscard]] bool exportLinks() const {
        return browsers::EditHTML(m_folder + "/profiles", m_items) == browsers::ExportOutcome::Done;
    }

    [[nodiscard]] bool copyOnce() const {
        std::string contents;
        return platform::readWholeFile(m_bookmarkFile, contents) &&
               platform::writeWholeFile(m_folder + "/copy.html", contents);
    }

    // Every link's target read once, as the export reads them.
    [[nodiscard]] std::size_t readTargets() const {
        std::size_t total = 0;
        for (const browsers::ExportItem& item : m_items) {
            total += store::readLinkTarget(item.fullPath).size();
        }
        return total;
    }

    [[nodiscard]] std::size_t fileSize() const { return m_original.size(); }

private:
    std::string m_folder;
    std::string m_bookmarkFile;
    std::string m_original;
    std::vector<browsers::ExportItem> m_items;
};

void copyBookmarkFileOnce(benchmark::State& state, const ExportFixture& fixture) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(fixture.copyOnce());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fixture.fileSize()));
}

void readEveryLinkTarget(benchmark::State& state, const ExportFixture& fixture) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(fixture.readTargets());
    }
}

void appendLinksToBookmarkFile(benchmark::State& state, ExportFixture& fixture) {
    for (auto _ : state) {
        state.PauseTiming();
        fixture.resetBookmarkFile();
        state.ResumeTiming();
        if (!fixture.exportLinks()) {
            state.SkipWithError("the bookmark file was not rewritten");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fixture.fileSize()));
    state.counters["links"] = kLinks;
    state.counters["lines"] = kBookmarkLines;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    ExportFixture fixture;
    benchmark::RegisterBenchmark("CopyBookmarkFileOnce", copyBookmarkFileOnce, std::cref(fixture))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ReadEveryLinkTarget", readEveryLinkTarget, std::cref(fixture))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("AppendLinksToBookmarkFile", appendLinksToBookmarkFile, std::ref(fixture))
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
