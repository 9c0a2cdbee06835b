#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "core/platform/ascii.h"
#include "gui/windows/import_dialog.h"
#include "gui/windows/store_window_fixture.h"

namespace {

namespace fs = std::filesystem;
using FirefoxImport = testing_support::StoreWindowTest;

// A Linux desktop's Firefox profile, as Firefox itself wrote it, imported with the real dialog:
// FireFox clicked, the list shows the staged links, Import copies them into the store.
TEST_F(FirefoxImport, ALinuxFirefoxProfileImportsThroughTheDialog) {
    const std::string sample = DORVANE_CORPUS_DIR "/firefox-linux";
    if (!fs::is_directory(sample)) {
        GTEST_SKIP() << "no Firefox profile sample at " << sample;
    }
    fs::create_directories(app.context.homeFolder + "/.mozilla");
    fs::copy(sample, app.context.homeFolder + "/.mozilla/firefox", fs::copy_options::recursive);
    fs::create_directories(store("Firefox"));
    // The files staging may make of the listing's "title<TAB>url" lines: a title that cannot be a
    // file name is dropped, and of titles met twice (case ignored) only the later in the bookmark
    // tree is left, which a listing in name order cannot tell. (The sample's titles have no blanks
    // at their ends.)
    std::set<std::string> files;
    std::set<std::string> names;
    std::istringstream lines(testing_support::readFile(sample + "/expected.tsv"));
    for (std::string line; std::getline(lines, line);) {
        const std::string name = line.substr(0, line.find('\t'));
        if (name.find_first_of("\\/:*?\"<>|") == std::string::npos) {
            files.insert(name + ".url=" + testing_support::shortcutBytes(line.substr(name.size() + 1)));
            names.insert(platform::toLowerAscii(name));
        }
    }

    ui::ImportDialog dialog(gui);
    click(dialog.browserTree(), "FireFox");
    EXPECT_EQ(static_cast<std::size_t>(dialog.linkList().rowCount()), names.size());
    click(dialog.storeTree().view(), "Firefox");
    dialog.findChild<QPushButton*>("btnImport")->click();

    EXPECT_TRUE(forms.opened.isEmpty());  // no link failed
    std::vector<std::string> stored = testing_support::treeOf(store("Firefox"));
    EXPECT_EQ(stored.size(), names.size());
    std::erase_if(stored, [&](const std::string& file) { return files.contains(file); });
    EXPECT_EQ(stored, std::vector<std::string>{});  // only files the listing allows
}

}  // namespace
