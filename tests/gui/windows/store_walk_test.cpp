// A walk through a store of a few hundred links in the main window, checking the tree,
// the list and the disk after each step.
#include <gtest/gtest.h>

#include <QTreeWidget>
#include <algorithm>
#include <filesystem>
#include <map>

#include "core/platform/paths.h"
#include "gui/widgets/folder_tree.h"
#include "gui/widgets/link_list.h"
#include "testing/fake_modal_forms.h"
#include "testing/files.h"
#include "testing/test_app.h"
#include "gui/windows/main_window.h"

namespace {

namespace fs = std::filesystem;

using Links = std::map<std::string, std::string>;  // link name -> target

class StoreWalkTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.loadShippedTextLibraries();
        buildStore();
        window = std::make_unique<ui::frmMain>(gui);
        window->load();
        window->show();
    }

    // Four top folders, each with two levels of sub folders; 12 links a folder.
    void buildStore() {
        for (const char* top : {"Internet Explorer", "Firefox", "Mozilla", "Netscape"}) {
            for (const std::string sub : {"", "/News", "/News/Local", "/Tools", "/Tools/Dev", "/Tools/Web"}) {
                const std::string folder = app.appPath("favorites/") + top + sub;
                for (int i = 0; i < 12; ++i) {
                    const std::string name = "Link " + std::to_string((i * 7) % 12) + " of " + top;
                    const std::string target = "http://" + std::to_string(11 - i) + ".example/" + top;
                    testing_support::writeLink(folder, name, target);
                    expected[folder][name] = target;
                }
            }
        }
    }

    Links rowsShown() {
        Links rows;
        store::LinkList& list = window->linkList();
        for (int row = 0; row < list.rowCount(); ++row) {
            rows[list.textOf(row)] = list.targetOf(row);
            EXPECT_TRUE(fs::exists(list.fullPathOf(row))) << list.fullPathOf(row);
        }
        return rows;
    }

    QStringList column(int index) {
        QStringList texts;
        QTreeWidget& view = window->linkList().view();
        for (int row = 0; row < view.topLevelItemCount(); ++row) {
            texts << view.topLevelItem(row)->text(index);
        }
        return texts;
    }

    // Clicks every folder node, depth first, as a user opening each one would.
    int clickEveryFolder(QTreeWidgetItem* node) {
        int clicked = 0;
        for (int i = 0; i < node->childCount(); ++i) {
            QTreeWidgetItem* child = node->child(i);
            emit window->folderTree().view().itemClicked(child, 0);
            ++clicked;
            const std::string folder = platform::resolvePath(store::FolderTree::keyOf(child).toStdString());
            const auto found = expected.find(folder);
            EXPECT_NE(found, expected.end()) << folder;
            if (found != expected.end()) {
                EXPECT_EQ(rowsShown(), found->second) << folder;
            }
            clicked += clickEveryFolder(child);
        }
        return clicked;
    }

    QTreeWidgetItem* node(const std::string& relative) {
        return window->folderTree().itemByKey(
            QString::fromStdString(app.context.applicationFolder + "/Favorites/" + relative));
    }

    testing_support::TestApp app;
    testing_support::FakeModalForms forms;
    ui::GuiContext gui{app.context, forms};
    std::unique_ptr<ui::frmMain> window;
    std::map<std::string, Links> expected;
};

TEST_F(StoreWalkTest, EveryFolderShowsItsFilesAndEveryCommandChangesTheDiskAndTheViews) {
    // every folder, clicked once, lists exactly its own links
    EXPECT_EQ(clickEveryFolder(window->folderTree().root()), 24);

    // sorting both columns both ways
    emit window->folderTree().view().itemClicked(node("Firefox/Tools"), 0);
    QStringList names = column(0);
    std::sort(names.begin(), names.end());
    window->linkList().sortByHeader(0);
    EXPECT_EQ(column(0), names);
    window->linkList().sortByHeader(0);
    std::reverse(names.begin(), names.end());
    EXPECT_EQ(column(0), names);
    window->linkList().sortByHeader(1);
    QStringList targets = column(1);
    EXPECT_TRUE(std::is_sorted(targets.begin(), targets.end()));
    window->linkList().sortByHeader(1);
    targets = column(1);
    EXPECT_TRUE(std::is_sorted(targets.rbegin(), targets.rend()));

    // deleting a selection of three with the Delete key's command
    QTreeWidget& list = window->linkList().view();
    std::vector<std::string> doomed;
    for (int row : {0, 5, 11}) {
        list.topLevelItem(row)->setSelected(true);
        doomed.push_back(window->linkList().fullPathOf(row));
    }
    ASSERT_TRUE(window->linkList().deleteSelectedLinks(store::LinkList::OnFailure::Stop));
    window->refresh();
    for (const std::string& path : doomed) {
        EXPECT_FALSE(fs::exists(path)) << path;
    }
    EXPECT_EQ(window->linkList().rowCount(), 9);
    EXPECT_EQ(std::distance(fs::directory_iterator(app.appPath("favorites/Firefox/Tools")), fs::directory_iterator()),
              9 + 2);

    // renaming a folder on disk through the tree
    window->folderTree().view().setCurrentItem(node("Mozilla/News"));
    window->folderTree().beginRename();
    node("Mozilla/News")->setText(0, "Headlines");
    EXPECT_TRUE(fs::exists(app.appPath("favorites/Mozilla/Headlines/News/Local")) ||
                fs::exists(app.appPath("favorites/Mozilla/Headlines/Local")));
    EXPECT_FALSE(fs::exists(app.appPath("favorites/Mozilla/News")));
    EXPECT_NE(node("Mozilla/Headlines"), nullptr);

    // emptying Internet Explorer brings its folder back empty; emptying Netscape removes it
    window->emptyBrowserFolder(ui::frmMain::Browser::InternetExplorer);
    EXPECT_TRUE(fs::is_empty(app.appPath("favorites/Internet Explorer")));
    ASSERT_NE(node("Internet Explorer"), nullptr);
    EXPECT_EQ(node("Internet Explorer")->childCount(), 0);
    window->emptyBrowserFolder(ui::frmMain::Browser::Netscape);
    EXPECT_FALSE(fs::exists(app.appPath("favorites/Netscape")));
    EXPECT_EQ(node("Netscape"), nullptr);
    // the other browsers' links are untouched
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(app.appPath("favorites/Firefox")),
                            fs::recursive_directory_iterator()),
              6 * 12 - 3 + 5);
}

}  // namespace
