#include "store/folder_tree_widget.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "store/folder_scan.h"
#include "store/link_list_widget.h"
#include "testing/files.h"
#include "testing/test_app.h"

namespace {

using testing_support::writeLink;

class FolderTreeTest : public ::testing::Test {
protected:
    FolderTreeTest() {
        list = std::make_unique<store::LinkList>(app.context, listView, store::LinkListOptions{});
        tree = std::make_unique<store::FolderTree>(
            app.context, treeView, store::FolderTreeOptions{list.get(), [] { return std::string("Rename?"); }});
        QObject::connect(tree.get(), &store::FolderTree::nodeClicked, tree.get(), &store::FolderTree::openClickedNode);
    }

    std::string store(const std::string& relative) const { return app.appPath("favorites/" + relative); }
    QString key(const std::string& relative) const {
        return QString::fromStdString(app.context.applicationFolder + "/Favorites/" + relative);
    }
    QStringList childTexts(const QString& parentKey) const {
        QStringList texts;
        QTreeWidgetItem* parent = tree->itemByKey(parentKey);
        for (int i = 0; parent != nullptr && i < parent->childCount(); ++i) {
            texts << parent->child(i)->text(0);
        }
        return texts;
    }
    void click(const std::string& relative) { emit treeView.itemClicked(tree->itemByKey(key(relative)), 0); }

    testing_support::TestApp app;
    QTreeWidget treeView;
    QTreeWidget listView;
    std::unique_ptr<store::LinkList> list;
    std::unique_ptr<store::FolderTree> tree;
};

TEST_F(FolderTreeTest, StartShowsTheTopFoldersSortedWithTheirImagesAndNoDotFolders) {
    std::filesystem::create_directories(store("Internet Explorer/Links"));
    std::filesystem::create_directories(store("Firefox"));
    std::filesystem::create_directories(store("Other"));
    std::filesystem::create_directories(store(".trash"));
    tree->buildTree();

    EXPECT_EQ(childTexts("noderoot"), (QStringList{"Firefox", "Internet Explorer", "Other"}));
    EXPECT_EQ(store::FolderTree::imageOf(tree->itemByKey(key("Firefox"))), store::kImageFirefox);
    EXPECT_EQ(store::FolderTree::imageOf(tree->itemByKey(key("Other"))), store::kImagePlainFolder);
    // only one level is read at start
    EXPECT_EQ(tree->itemByKey(key("Internet Explorer/Links")), nullptr);

    click("Internet Explorer");
    QTreeWidgetItem* links = tree->itemByKey(key("Internet Explorer/Links"));
    ASSERT_NE(links, nullptr);
    EXPECT_EQ(store::FolderTree::imageOf(links), store::kImageInternetExplorer);
    EXPECT_EQ(tree->selectedItem(), tree->itemByKey(key("Internet Explorer")));
    EXPECT_TRUE(tree->selectedItem()->isExpanded());
    EXPECT_EQ(store::FolderTree::displayPath(links), "Browser/Internet Explorer/Links");
}

TEST_F(FolderTreeTest, ClickingAFolderTwiceAddsOnlyFoldersMadeInBetween) {
    std::filesystem::create_directories(store("Firefox/Work"));
    tree->buildTree();
    click("Firefox");
    click("Firefox");
    EXPECT_EQ(childTexts(key("Firefox")), QStringList{"Work"});
    std::filesystem::create_directories(store("Firefox/Art"));
    click("Firefox");
    EXPECT_EQ(childTexts(key("Firefox")), (QStringList{"Art", "Work"}));
}

TEST_F(FolderTreeTest, AFolderClickListsItsLinksAndARootClickChangesNothing) {
    writeLink(store("Firefox"), "Docs", "http://docs.example/");
    writeLink(store(""), "Home", "http://home.example/");
    tree->buildTree();
    ASSERT_EQ(list->rowCount(), 1);
    click("Firefox");
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->textOf(0), "Docs");
    emit treeView.itemClicked(tree->root(), 0);
    EXPECT_EQ(list->textOf(0), "Docs");
}

TEST_F(FolderTreeTest, RefreshOnTheRootRebuildsTheTreeAndTheRootKeepsItsName) {
    std::filesystem::create_directories(store("Firefox"));
    std::filesystem::create_directories(store("Old"));
    tree->buildTree();
    std::filesystem::remove_all(store("Old"));
    EXPECT_TRUE(childTexts("noderoot").contains("Old"));
    QTest::keyClick(&treeView, Qt::Key_F5);
    EXPECT_EQ(childTexts("noderoot"), QStringList{"Firefox"});
    // the root cannot be renamed
    QTest::keyClick(&treeView, Qt::Key_F2);
    EXPECT_EQ(treeView.findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(tree->root()->text(0), "Browser");
}

TEST_F(FolderTreeTest, ResetTreeBringsBackOnlyTheTwoDefaultTopFolders) {
    std::filesystem::create_directories(store("Mozilla"));
    tree->buildTree();
    std::filesystem::remove_all(store(""));
    tree->resetTree();
    EXPECT_EQ(childTexts("noderoot"), (QStringList{"Firefox", "Internet Explorer"}));
}

TEST_F(FolderTreeTest, RenamingAFolderRenamesItOnDiskAndRekeysTheNode) {
    writeLink(store("Internet Explorer/Links"), "News", "http://news.example/");
    tree->buildTree();
    click("Internet Explorer");
    click("Internet Explorer/Links");
    tree->beginRename();
    tree->selectedItem()->setText(0, "Bar");

    EXPECT_TRUE(std::filesystem::exists(store("Internet Explorer/Bar/News.url")));
    EXPECT_FALSE(std::filesystem::exists(store("Internet Explorer/Links")));
    EXPECT_NE(tree->itemByKey(key("Internet Explorer/Bar")), nullptr);
    EXPECT_EQ(tree->itemByKey(key("Internet Explorer/Links")), nullptr);
    EXPECT_TRUE(app.messages.shown.empty());
}

TEST_F(FolderTreeTest, ACheckedFolderAsksBeforeRenamingAndNoKeepsTheOldName) {
    std::filesystem::create_directories(store("Firefox/Links"));
    tree->buildTree();
    click("Firefox");
    click("Firefox/Links");
    tree->selectedItem()->setCheckState(0, Qt::Checked);
    app.messages.answerNext(app::MsgAnswer::No);
    tree->beginRename();
    tree->selectedItem()->setText(0, "Bar");

    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text, "Rename?");
    EXPECT_EQ(app.messages.shown[0].title, "Rename Folder");
    EXPECT_EQ(tree->selectedItem()->text(0), "Links");
    EXPECT_TRUE(std::filesystem::exists(store("Firefox/Links")));
}

TEST_F(FolderTreeTest, ARenameTheFileSystemRefusesLeavesTheDiskAsItWas) {
    std::filesystem::create_directories(store("Firefox/Links"));
    std::filesystem::create_directories(store("Firefox/Taken/Inside"));
    tree->buildTree();
    click("Firefox");
    click("Firefox/Links");
    tree->beginRename();
    tree->selectedItem()->setText(0, "Taken");
    EXPECT_TRUE(std::filesystem::exists(store("Firefox/Links")));
    EXPECT_TRUE(std::filesystem::exists(store("Firefox/Taken/Inside")));
}

}  // namespace
