#include <gtest/gtest.h>

#include <QPushButton>
#include <QTreeWidget>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "core/platform/paths.h"
#include "core/store/folder_scan.h"
#include "gui/widgets/folder_tree.h"
#include "gui/widgets/link_list.h"
#include "gui/windows/import_dialog.h"
#include "testing/fake_modal_forms.h"
#include "testing/files.h"
#include "testing/test_app.h"

namespace {

namespace fs = std::filesystem;

// The files staging makes of a listing of "title<TAB>url" lines, by name compared without
// regard to case: a title that cannot be a file name is dropped, and of titles met twice the
// later in the bookmark tree wins, which a listing in name order cannot tell, so each name
// maps to the files it may end as. (The sample's titles have no blanks at their ends.)
std::map<std::string, std::set<std::string>> stagedFilesOf(const std::string& listing) {
    std::map<std::string, std::set<std::string>> files;
    std::istringstream lines(listing);
    for (std::string line; std::getline(lines, line);) {
        const std::string name = line.substr(0, line.find('\t'));
        if (name.find_first_of("\\/:*?\"<>|") == std::string::npos) {
            const std::string url = line.substr(name.size() + 1);
            files[platform::toLowerAscii(name)].insert(name + ".url=" + testing_support::shortcutBytes(url));
        }
    }
    return files;
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
    app.context.modalForms = &forms;
    fs::create_directories(app.context.homeFolder + "/.mozilla");
    fs::copy(sample, app.context.homeFolder + "/.mozilla/firefox", fs::copy_options::recursive);
    fs::create_directories(app.appPath("favorites/Firefox"));
    const auto expected = stagedFilesOf(testing_support::readFile(sample + "/expected.tsv"));

    browsers::frmImport dialog(app.context);
    const QList<QTreeWidgetItem*> firefox = dialog.browserTree().findItems("FireFox", Qt::MatchRecursive);
    ASSERT_EQ(firefox.size(), 1);
    emit dialog.browserTree().itemClicked(firefox[0], 0);
    EXPECT_EQ(static_cast<std::size_t>(dialog.linkList().rowCount()), expected.size());
    const std::string storeFolder = store::storeKeyRoot(app.context.applicationFolder) + "Firefox";
    emit dialog.storeTree().view().itemClicked(dialog.storeTree().itemByKey(QString::fromStdString(storeFolder)), 0);
    dialog.findChild<QPushButton*>("btnImport")->click();

    EXPECT_TRUE(forms.opened.isEmpty());  // no link failed
    const std::vector<std::string> stored = testing_support::treeOf(app.appPath("favorites/Firefox"));
    EXPECT_EQ(stored.size(), expected.size());
    for (const std::string& file : stored) {
        const auto candidates = expected.find(platform::toLowerAscii(file.substr(0, file.find(".url="))));
        EXPECT_TRUE(candidates != expected.end() && candidates->second.contains(file)) << file;
    }
}

}  // namespace
