// The Chromium family's roads, as the user takes them in the real dialogs. Import: the click on
// "Chrome" (the browsers found, a profile's bookmark file of N links read and staged, the list
// filled) and the Import press into the store's empty Chrome folder, up to the completion
// message; beside it the floor of the Firefox import: the bookmark file read, N link files
// written, read back and written again. Export: the click on the store's Chrome folder (the
// links listed and staged), Select All, the click on Chromium and the Export press, adding N
// links to a bookmark file of 100,000, up to the completion message; beside it its floor: the
// N link files copied, the bookmark file read and written twice (the copy kept and the new
// file), each flushed.
#include <fcntl.h>
#include <unistd.h>

#include <memory>

#include "core/browsers/chromium_bookmarks.h"
#include "core/store/folder_scan.h"
#include "gui/widgets/folder_tree.h"
#include "gui/widgets/link_list.h"
#include "gui/windows/export_dialog.h"
#include "gui/windows/import_dialog.h"
#include "road_bench_support.h"

namespace {

using namespace road_bench;

constexpr int kBookmarks = 100'000;
constexpr const char* kChromeNodeKey = "/usr/share/Application Data/Chrome/";

// A PC whose Chromium keeps a bookmark file in its one profile, and a store.
class ChromiumBench final : public BenchPc {
public:
    ChromiumBench(int links, int bookmarks) : BenchPc("chromium_road_bench", links) {
        m_bookmarks = chromiumBookmarksText(bookmarks);
        BenchApp::write(m_userData + "/Local State", "{}");
        resetBookmarkFile();
    }

    [[nodiscard]] std::string bookmarkFile() const { return m_userData + "/Default/Bookmarks"; }
    void resetBookmarkFile() const { BenchApp::write(bookmarkFile(), m_bookmarks); }
    [[nodiscard]] std::string userData() const { return m_userData; }
    [[nodiscard]] std::string storeFolder() const { return m_app.storeFolder("Chrome"); }
    [[nodiscard]] std::string storeKey() const {
        return store::storeKeyRoot(m_app.context.applicationFolder) + "Chrome";
    }

    template <typename Dialog>
    std::unique_ptr<Dialog> openDialog(std::unique_ptr<Dialog> dialog) {
        countMessagesFromNow();
        return shown(std::move(dialog));
    }
    [[nodiscard]] int formsShown() const { return m_app.forms.count; }

    // How many links the bookmark file holds, as the browser reads it.
    [[nodiscard]] std::size_t bookmarkLinks() const {
        std::string text;
        browsers::LinkTable table;
        return platform::readWholeFile(bookmarkFile(), text) && browsers::readChromiumBookmarks(text, table)
                   ? table.size()
                   : 0;
    }

private:
    std::string m_userData = m_app.context.configFolder + "/chromium";
    std::string m_bookmarks;
};

void ImportFromChromeRoad(benchmark::State& state) {
    const int links = static_cast<int>(state.range(0));
    ChromiumBench bench(links, links);
    timeRounds(
        state, "the import did not bring every link",
        [&] {
            emptyFolder(bench.storeFolder());
            auto dialog = bench.openDialog(std::make_unique<ui::ImportDialog>(bench.gui()));
            dialog->chooseDestination(dialog->storeTree().itemByKey(bench.storeKey()));
            return dialog;
        },
        [](auto& dialog) {
            dialog->chooseSource(dialog->browserNode(kChromeNodeKey));
            dialog->importLinks();
        },
        [&](auto& dialog) {
            return dialog->linkList().rowCount() == links && bench.oneMessageShown() && bench.formsShown() == 0 &&
                   entriesOf(bench.storeFolder()) == static_cast<std::size_t>(links);
        });
}

void ImportFloor(benchmark::State& state) {
    const int links = static_cast<int>(state.range(0));
    ChromiumBench bench(links, links);
    const std::string staged = bench.floorFolder("staged");
    const std::string stored = bench.floorFolder("stored");
    timeFloor(state, stored, [&] { importByTheSimplestLoop(bench.bookmarkFile(), bench.links(), staged, stored); });
}

void ExportToChromiumRoad(benchmark::State& state) {
    const int links = static_cast<int>(state.range(0));
    ChromiumBench bench(links, kBookmarks);
    writeLinks(bench.storeFolder(), "Bench link ", 0, links);
    timeRounds(
        state, "the export did not add every link",
        [&] {
            bench.resetBookmarkFile();
            return bench.openDialog(std::make_unique<ui::ExportDialog>(bench.context()));
        },
        [&](auto& dialog) {
            dialog->chooseSource(dialog->storeTree().itemByKey(bench.storeKey()));
            dialog->toggleAllChecks();
            dialog->chooseDestination(dialog->browserNode(bench.userData()));
            dialog->exportLinks();
        },
        [&](auto&) {
            return bench.oneMessageShown() && bench.bookmarkLinks() == static_cast<std::size_t>(kBookmarks + links);
        });
}

// One write of the whole text into a new file, flushed.
void writeFlushed(const std::string& path, const std::string& text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    benchmark::DoNotOptimize(::write(fd, text.data(), text.size()));
    ::fsync(fd);
    ::close(fd);
}

void ExportFloor(benchmark::State& state) {
    const int links = static_cast<int>(state.range(0));
    ChromiumBench bench(links, kBookmarks);
    writeLinks(bench.storeFolder(), "Bench link ", 0, links);
    const std::string copied = bench.floorFolder("copied");
    timeFloor(state, copied, [&] {
        copyTreeFlat(bench.storeFolder(), copied);
        std::string text;
        benchmark::DoNotOptimize(platform::readWholeFile(bench.bookmarkFile(), text));
        writeFlushed(copied + "/Bookmarks.copy", text);
        writeFlushed(copied + "/Bookmarks.new", text);
    });
}

void asExport(benchmark::internal::Benchmark* bench) {
    bench->Arg(10'000)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
}

BENCHMARK(ImportFromChromeRoad)->Apply(asRoad);
BENCHMARK(ImportFloor)->Apply(asRoad);
BENCHMARK(ExportToChromiumRoad)->Apply(asExport);
BENCHMARK(ExportFloor)->Apply(asExport);

}  // namespace

int main(int argc, char** argv) { return runBenchmarks(argc, argv); }
