// Loading Internet Explorer's favorites as the user does it: the click on "Internet
// Explorer" in the real import dialog, which lists the Favorites folder's own links and
// stages the whole tree of N links in nested folders. Beside it its floor: the same N
// files copied into one folder by the simplest loop.
#include <memory>

#include "gui/widgets/link_list.h"
#include "gui/windows/import_dialog.h"
#include "road_bench_support.h"

namespace {

using namespace road_bench;

constexpr int kLinksPerFolder = 30;
constexpr int kSubfoldersPerFolder = 4;

// A Favorites tree: folder i (from 1) lies in folder (i - 1) / 4, folder 0 being the
// Favorites folder itself, and each folder holds about thirty links.
class IeBench final : public BenchPc {
public:
    explicit IeBench(int links) : BenchPc("ie_load_bench", links) {
        const int folders = links / kLinksPerFolder;
        std::vector<std::string> paths{m_app.favorites()};
        for (int folder = 1; folder < folders; ++folder) {
            paths.push_back(paths[static_cast<std::size_t>((folder - 1) / kSubfoldersPerFolder)] + "/Folder " +
                            std::to_string(folder));
        }
        for (int folder = 0; folder < folders; ++folder) {
            const int last = folder + 1 == folders ? links : (folder + 1) * kLinksPerFolder;
            writeLinks(paths[static_cast<std::size_t>(folder)], "Link ", folder * kLinksPerFolder, last);
        }
        m_folderCount = folders;
    }

    [[nodiscard]] std::string favorites() const { return m_app.favorites(); }

    // Every link and one folder per subfolder name are in the staging folder.
    [[nodiscard]] bool staged() const {
        return entriesOf(m_app.context.stagingFolder()) == static_cast<std::size_t>(m_links + m_folderCount - 1);
    }

private:
    int m_folderCount = 0;
};

void InternetExplorerLoadRoad(benchmark::State& state) {
    IeBench bench(static_cast<int>(state.range(0)));
    timeRounds(
        state, "the load did not stage every link",
        [&] { return shown(std::make_unique<ui::ImportDialog>(bench.gui())); },
        [&](auto& dialog) { dialog->chooseSource(dialog->browserNode(bench.favorites())); },
        [&](auto& dialog) { return dialog->linkList().rowCount() == kLinksPerFolder && bench.staged(); });
}

void InternetExplorerLoadFloor(benchmark::State& state) {
    IeBench bench(static_cast<int>(state.range(0)));
    timeFloor(state, bench.floorFolder("copied"),
              [&] { copyTreeFlat(bench.favorites(), bench.floorFolder("copied")); });
}

BENCHMARK(InternetExplorerLoadRoad)->Apply(asRoad);
BENCHMARK(InternetExplorerLoadFloor)->Apply(asRoad);

}  // namespace

int main(int argc, char** argv) { return runBenchmarks(argc, argv); }
