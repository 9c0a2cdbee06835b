// Importing a Firefox bookmark file of N links as the user does it, in the real import
// dialog: the FireFox click (profile search, reading, staging, the list filled) and the
// Import press (every link copied into the store's empty Firefox folder) up to the
// completion message. Beside it its floor: the bookmark file read, N link files written,
// read back and written again by the simplest loop. The peak resident size of the road is
// printed as peak_MiB.
#include <QTreeWidget>
#include <memory>

#include "core/store/folder_scan.h"
#include "gui/widgets/folder_tree.h"
#include "gui/widgets/link_list.h"
#include "gui/windows/import_dialog.h"
#include "road_bench_support.h"

namespace {

using namespace road_bench;

constexpr const char* kFirefoxNodeKey = "/usr/share/Application Data/Mozilla/FireFox/Profiles/";

// The PC of one size: a Firefox profile whose bookmark file holds N links.
class ImportBench final : public BenchPc {
public:
    explicit ImportBench(int links) : BenchPc("import_road_bench", links) {
        BenchApp::write(bookmarkFile(), bookmarkFileText(links));
    }

    [[nodiscard]] std::string bookmarkFile() const { return m_app.firefoxProfile() + "/bookmarks.html"; }

    // A fresh dialog with the store's Firefox folder, emptied, chosen as the destination.
    std::unique_ptr<ui::ImportDialog> openDialog() {
        emptyFolder(m_app.storeFolder("Firefox"));
        countMessagesFromNow();
        auto dialog = shown(std::make_unique<ui::ImportDialog>(m_app.gui));
        ui::FolderTree& tree = dialog->storeTree();
        dialog->chooseDestination(tree.itemByKey(store::storeKeyRoot(m_app.context.applicationFolder) + "Firefox"));
        return dialog;
    }

    // One message, no error list, and every link in the store.
    [[nodiscard]] bool completed() const {
        return oneMessageShown() && m_app.forms.count == 0 &&
               entriesOf(m_app.storeFolder("Firefox")) == static_cast<std::size_t>(m_links);
    }
};

void ImportRoad(benchmark::State& state) {
    ImportBench bench(static_cast<int>(state.range(0)));
    double peak = 0;
    timeRounds(
        state, "the import did not bring every link",
        [&] {
            auto dialog = bench.openDialog();
            resetPeakResident();
            return dialog;
        },
        [](auto& dialog) {
            dialog->chooseSource(dialog->browserNode(kFirefoxNodeKey));
            dialog->importLinks();
        },
        [&](auto& dialog) {
            peak = std::max(peak, peakResidentMiB());
            return dialog->linkList().rowCount() == bench.links() && bench.completed();
        });
    state.counters["peak_MiB"] = peak;
}

// The same I/O by the simplest code: the bookmark file read, N link files written, read
// back and written again.
void ImportFloor(benchmark::State& state) {
    ImportBench bench(static_cast<int>(state.range(0)));
    const std::string staged = bench.floorFolder("staged");
    const std::string stored = bench.floorFolder("stored");
    timeFloor(state, stored, [&] { importByTheSimplestLoop(bench.bookmarkFile(), bench.links(), staged, stored); });
}

BENCHMARK(ImportRoad)->Apply(asRoad);
BENCHMARK(ImportFloor)->Apply(asRoad);

}  // namespace

int main(int argc, char** argv) { return runBenchmarks(argc, argv); }
