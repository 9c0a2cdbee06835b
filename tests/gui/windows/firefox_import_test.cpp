#include <gtest/gtest.h>

#include <QPushButton>
#include <QTreeWidget>
#include <filesystem>
#include <set>
#include <sstream>

#include "core/platform/ascii.h"
#include "core/store/folder_scan.h"
#include "gui/widgets/folder_tree.h"
#include "gui/widgets/link_list.h"
#include "gui/windows/import_dialog.h"
#include "testing/fake_modal_forms.h"
#include "testing/files.h"
#include "testing/test_app.h"

namespace {

namespace fs = std::filesystem;

// The files staging may make of a listing of "title<TAB>url" lines, and how many it makes:
// a title that cannot be a file name is dropped, and of titles met twice (case ignored) only
// the later in the bookmark tree is left, which a listing in name order cannot tell. (The
// sample's titles have no blanks at their ends.)
std::pair<std::set<std::string>, std::size_t> stagedFilesOf(const std::string& listing) {
    std::set<std::string> files;
    std::set<std::string> names;
    std::istringstream lines(listing);
    for (std::string line; std::getline(lines, line);) {
        const std::string name = line.substr(0, line.find('\t'));
        if (name.find_first_of("\\/:*?\"<>|") == std::string::npos) {
            files.insert(name + ".url=" + testing_support::shortcutBytes(line.substr(name.size() + 1)));
            names.insert(platform::toLowerAscii(name));
        }
    }
    return {files, names.size()};
}

// A Linux desktop's Firefox profile, as Firefox itself wrote it, imported with the real dialog:
// FireFox clicked, the list shows the staged links, Import copies them into the store.
TEST(FirefoxImport, ALinuxFirefoxProfileImportsThroughTheDialog) {
    const std::string sample = DORVANE_CORPUS_DIR "/firefox-linux";
    if (!fs::is_directory(sample)) {
        GTEST_SKIP() << "no Firefox profile sample at " << sample;
    }
    testing_support::TestApp app;
    testing_support::FakeModalForms forms;
    const ui::GuiContext gui{app.context, forms};
    fs::create_directories(app.context.homeFolder + "/.mozilla");
    fs::copy(sample, app.context.homeFolder + "/.mozilla/firefox", fs::copy_options::recursive);
    fs::create_directories(app.appPath("favorites/Firefox"));
    const auto [expected, count] = stagedFilesOf(testing_support::readFile(sample + "/expected.tsv"));

    browsers::frmImport dialog(gui);
    const QList<QTreeWidgetItem*> firefox = dialog.browserTree().findItems("FireFox", Qt::MatchRecursive);
    ASSERT_EQ(firefox.size(), 1);
    emit dialog.browserTree().itemClicked(firefox[0], 0);
    EXPECT_EQ(static_cast<std::size_t>(dialog.linkList().rowCount()), count);
    const std::string storeFolder = store::storeKeyRoot(app.context.applicationFolder) + "Firefox";
    emit dialog.storeTree().view().itemClicked(dialog.storeTree().itemByKey(QString::fromStdString(storeFolder)), 0);
    dialog.findChild<QPushButton*>("btnImport")->click();

    EXPECT_TRUE(forms.opened.isEmpty());  // no link failed
    const std::vector<std::string> stored = testing_support::treeOf(app.appPath("favorites/Firefox"));
    EXPECT_EQ(stored.size(), count);
    for (const std::string& file : stored) {
        EXPECT_TRUE(expected.contains(file)) << file;
    }
}

}  // namespace
