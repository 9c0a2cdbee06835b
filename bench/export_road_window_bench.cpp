// Exporting N links as the user does it, in the real export dialog: the click on the
// store's top folder (the links listed and staged), Select All, the click on the browser
// and the Export press, up to the completion message; once into Internet Explorer's
// Favorites folder, once into a Firefox bookmark file of 100,000 lines. Beside them their
// floors: N files copied by the simplest loop, and for Firefox the bookmark file copied
// once too.
#include <memory>

#include "core/store/folder_scan.h"
#include "gui/widgets/folder_tree.h"
#include "gui/widgets/link_list.h"
#include "gui/windows/export_dialog.h"
#include "road_bench_support.h"

namespace {

using namespace road_bench;

constexpr int kBookmarkLines = 100'000;
constexpr const char* kFirefoxNodeKey = "/usr/share/Application Data/Mozilla/FireFox/Profiles/";
constexpr const char* kInternetExplorerNodeKey = "/usr/share/Favorites/";

// A bookmark file as a browser writes it, of a given number of lines: folders of twenty
// links, whose names none of the exported links' names occurs in.
std::string bookmarkFileText(int lines) {
    std::string text = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n<DL><p>\n";
    int written = 4;
    for (int link = 0; written < lines - 2; ++link, ++written) {
        if (link % 20 == 0) {
            text += "    <DT><H3 ADD_DATE=\"1113502144\">Folder " + std::to_string(link / 20) + "</H3>\n    <DL><p>\n";
            written += 2;
        }
        text += "        <DT><A HREF=\"" + urlOf(link) +
                "\" ADD_DATE=\"1113502144\" LAST_MODIFIED=\"1113502155\">Article " + std::to_string(link) +
                " on the example site</A>\n";
        if (link % 20 == 19) {
            text += "    </DL><p>\n";
            ++written;
        }
    }
    return text + "</DL><p>\n";
}

// A store whose Internet Explorer and Firefox folders hold N links each, and a PC with a
// Firefox bookmark file.
class ExportBench final : public BenchPc {
public:
    explicit ExportBench(int links) : BenchPc("export_road_bench", links) {
        writeLinks(m_app.storeFolder("Internet Explorer"), "Bench link ", 0, links);
        writeLinks(m_app.storeFolder("Firefox"), "Bench link ", 0, links);
        m_bookmarks = bookmarkFileText(kBookmarkLines);
        resetBookmarkFile();
    }

    [[nodiscard]] std::string bookmarkFile() const { return m_app.firefoxProfile() + "/bookmarks.html"; }
    void resetBookmarkFile() const { BenchApp::write(bookmarkFile(), m_bookmarks); }
    [[nodiscard]] std::size_t bookmarkSize() const { return m_bookmarks.size(); }
    [[nodiscard]] std::string storeFolder(const char* topFolder) const { return m_app.storeFolder(topFolder); }
    [[nodiscard]] std::string favorites() const { return m_app.favorites(); }

    std::unique_ptr<ui::ExportDialog> openDialog() {
        countMessagesFromNow();
        return shown(std::make_unique<ui::ExportDialog>(m_app.context));
    }

    // The user's clicks, from the store folder to the Export press.
    void exportFolder(ui::ExportDialog& dialog, const char* topFolder, const char* browserKey) const {
        const std::string key = store::storeKeyRoot(m_app.context.applicationFolder) + topFolder;
        dialog.chooseSource(dialog.storeTree().itemByKey(key));
        dialog.toggleAllChecks();
        dialog.chooseDestination(dialog.browserNode(browserKey));
        dialog.exportLinks();
    }

private:
    std::string m_bookmarks;
};

void ExportToInternetExplorerRoad(benchmark::State& state) {
    ExportBench bench(static_cast<int>(state.range(0)));
    timeRounds(
        state, "the export did not bring every link",
        [&] {
            emptyFolder(bench.favorites());
            return bench.openDialog();
        },
        [&](auto& dialog) { bench.exportFolder(*dialog, "Internet Explorer", kInternetExplorerNodeKey); },
        [&](auto&) {
            return bench.oneMessageShown() && entriesOf(bench.favorites()) == static_cast<std::size_t>(bench.links());
        });
}

void ExportToFirefoxRoad(benchmark::State& state) {
    ExportBench bench(static_cast<int>(state.range(0)));
    timeRounds(
        state, "the export did not write the links",
        [&] {
            bench.resetBookmarkFile();
            return bench.openDialog();
        },
        [&](auto& dialog) { bench.exportFolder(*dialog, "Firefox", kFirefoxNodeKey); },
        [&](auto&) { return bench.oneMessageShown() && fs::file_size(bench.bookmarkFile()) > bench.bookmarkSize(); });
}

void CopyLinksFloor(benchmark::State& state) {
    ExportBench bench(static_cast<int>(state.range(0)));
    timeFloor(state, bench.floorFolder("copied"),
              [&] { copyTreeFlat(bench.storeFolder("Firefox"), bench.floorFolder("copied")); });
}

void CopyLinksAndBookmarkFileFloor(benchmark::State& state) {
    ExportBench bench(static_cast<int>(state.range(0)));
    timeFloor(state, bench.floorFolder("copied"), [&] {
        copyTreeFlat(bench.storeFolder("Firefox"), bench.floorFolder("copied"));
        copyWholeFile(bench.bookmarkFile(), bench.floorFolder("copied") + "/bookmarks.html");
    });
}

BENCHMARK(ExportToInternetExplorerRoad)->Apply(asRoad);
BENCHMARK(CopyLinksFloor)->Apply(asRoad);
BENCHMARK(ExportToFirefoxRoad)->Apply(asRoad);
BENCHMARK(CopyLinksAndBookmarkFileFloor)->Apply(asRoad);

}  // namespace

int main(int argc, char** argv) { return runBenchmarks(argc, argv); }
