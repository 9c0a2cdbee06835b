#include "gui/widgets/folder_tree.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "core/store/folder_scan.h"
#include "gui/widgets/link_list.h"
#include "testing/files.h"
#include "testing/test_app.h"

namespace {

namespace fs = std::filesystem;
using store::FolderTree;

class FolderTreeTest : public ::testing::Test {
protected:
    FolderTreeTest() {
        list = std::make_unique<store::LinkList>(app.context, listView, store::LinkListOptions{});
        tree = std::make_unique<FolderTree>(
            app.context, treeView, store::FolderTreeOptions{list.get(), [] { return std::string("Rename?"); }});
        QObject::connect(tree.get(), &FolderTree::nodeClicked, tree.get(), &FolderTree::openClickedNode);
    }

    std::string store(const std::string& relative) const { return app.appPath("favorites/" + relative); }
    QTreeWidgetItem* node(const std::string& relative) const {
        return tree->itemByKey(QString::fromStdString(app.context.applicationFolder + "/Favorites/" + relative));
    }
    // The texts and images of a node's children, in the order shown.
    QStringList children(QTreeWidgetItem* parent) const {
        QStringList texts;
        for (int i = 0; parent != nullptr && i < parent->childCount(); ++i) {
            texts << parent->child(i)->text(0) + QString::number(FolderTree::imageOf(parent->child(i)));
        }
        return texts;
    }
    void click(QTreeWidgetItem* item) { emit treeView.itemClicked(item, 0); }
    void rename(const std::string& relative, const char* newName) {
        click(node(relative));
        tree->beginRename();
        tree->selectedItem()->setText(0, newName);
    }

    testing_support::TestApp app;
    QTreeWidget treeView;
    QTreeWidget listView;
    std::unique_ptr<store::LinkList> list;
    std::unique_ptr<FolderTree> tree;
};

TEST_F(FolderTreeTest, FoldersAppearOneLevelPerClickSortedWithTheImageOfTheirTopFolder) {
    fs::create_directories(store("Internet Explorer/Links"));
    fs::create_directories(store("Other"));
    fs::create_directories(store(".trash"));
    testing_support::writeLink(store("Firefox"), "Docs", "http://docs.example/");
    testing_support::writeLink(store(""), "Home", "http://home.example/");
    tree->buildTree();
    EXPECT_EQ(children(tree->root()), (QStringList{"Firefox3", "Internet Explorer2", "Other1"}));
    EXPECT_EQ(node("Internet Explorer/Links"), nullptr);
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->textOf(0), "Home");

    click(node("Internet Explorer"));
    EXPECT_EQ(tree->selectedItem(), node("Internet Explorer"));
    EXPECT_TRUE(tree->selectedItem()->isExpanded());
    EXPECT_EQ(FolderTree::displayPath(node("Internet Explorer/Links")), "Browser/Internet Explorer/Links");
    // a second click adds only the folders made in between
    fs::create_directories(store("Internet Explorer/Art"));
    click(node("Internet Explorer"));
    EXPECT_EQ(children(node("Internet Explorer")), (QStringList{"Art2", "Links2"}));

    // a folder click lists its links; a root click changes nothing
    click(node("Firefox"));
    click(tree->root());
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->textOf(0), "Docs");
}

TEST_F(FolderTreeTest, RefreshOnTheRootRebuildsTheTreeAndResetBringsBackTheTwoDefaultTopFolders) {
    fs::create_directories(store("Firefox"));
    fs::create_directories(store("Old"));
    fs::create_directories(store("Mozilla"));
    tree->buildTree();
    fs::remove_all(store("Old"));
    EXPECT_EQ(children(tree->root()), (QStringList{"Firefox3", "Mozilla4", "Old1"}));
    QTest::keyClick(&treeView, Qt::Key_F5);
    EXPECT_EQ(children(tree->root()), (QStringList{"Firefox3", "Mozilla4"}));
    // the root cannot be renamed
    QTest::keyClick(&treeView, Qt::Key_F2);
    EXPECT_EQ(treeView.findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(tree->root()->text(0), "Browser");

    fs::remove_all(store(""));
    tree->resetTree();
    EXPECT_EQ(children(tree->root()), (QStringList{"Firefox3", "Internet Explorer2"}));
}

// A renamed folder is renamed on disk and its node keyed by the new path; a folder carrying a
// check mark asks first; a name the file system refuses leaves the disk as it was.
TEST_F(FolderTreeTest, RenamingAFolderRenamesItOnDiskAndRekeysItsNode) {
    testing_support::writeLink(store("Internet Explorer/Links"), "News", "http://news.example/");
    fs::create_directories(store("Internet Explorer/Taken/Inside"));
    tree->buildTree();
    click(node("Internet Explorer"));
    rename("Internet Explorer/Links", "Bar");
    EXPECT_TRUE(fs::exists(store("Internet Explorer/Bar/News.url")));
    EXPECT_FALSE(fs::exists(store("Internet Explorer/Links")));
    EXPECT_EQ(node("Internet Explorer/Links"), nullptr);
    ASSERT_NE(node("Internet Explorer/Bar"), nullptr);
    EXPECT_TRUE(app.messages.shown.empty());

    node("Internet Explorer/Bar")->setCheckState(0, Qt::Checked);
    app.messages.answerNext(app::MsgAnswer::No);
    rename("Internet Explorer/Bar", "Baz");
    ASSERT_EQ(app.messages.shown.size(), 1U);
    EXPECT_EQ(app.messages.shown[0].text, "Rename?");
    EXPECT_EQ(app.messages.shown[0].title, "Rename Folder");
    EXPECT_EQ(node("Internet Explorer/Bar")->text(0), "Bar");

    node("Internet Explorer/Bar")->setCheckState(0, Qt::Unchecked);
    rename("Internet Explorer/Bar", "Taken");
    EXPECT_EQ(
        testing_support::treeOf(store("Internet Explorer")),
        (std::vector<std::string>{"Bar/", "Bar/News.url=" + testing_support::shortcutBytes("http://news.example/"),
                                  "Taken/", "Taken/Inside/"}));
}

}  // namespace
