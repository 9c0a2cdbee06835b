#include <gtest/gtest.h>

#include <QTreeWidget>
#include <clocale>
#include <filesystem>

#include "gui/widgets/folder_tree.h"
#include "gui/widgets/link_list.h"
#include "testing/files.h"
#include "testing/test_app.h"

namespace {

using testing_support::writeLink;

class FolderNamesTest : public ::testing::Test {
protected:
    FolderNamesTest() {
        QObject::connect(&tree, &store::FolderTree::nodeClicked, &tree, &store::FolderTree::openClickedNode);
    }

    std::string store(const std::string& relative) const { return app.appPath("favorites/" + relative); }
    QTreeWidgetItem* node(const std::string& relative) const {
        return tree.itemByKey(QString::fromStdString(app.context.applicationFolder + "/Favorites/" + relative));
    }
    static QStringList texts(const QTreeWidget& view) {
        QStringList result;
        for (int i = 0; i < view.topLevelItemCount(); ++i) {
            result << view.topLevelItem(i)->text(0);
        }
        return result;
    }

    testing_support::TestApp app;
    QTreeWidget treeView;
    QTreeWidget listView;
    store::LinkList list{app.context, listView, store::LinkListOptions{}};
    store::FolderTree tree{app.context, treeView, store::FolderTreeOptions{&list, {}}};
};

TEST_F(FolderNamesTest, TreeAndListOrderNamesAsTheLanguageDoesInEveryLocale) {
    const QStringList names{"alpha", "beta", "Zeta", "\u00C9clair", "\u00BD price", "9", "10", "_under"};
    for (const QString& name : names) {
        std::filesystem::create_directories(store("Firefox/" + name.toStdString()));
        writeLink(store("Firefox"), name.toStdString(), "http://example.com/");
    }
    // punctuation before digits before letters; case and accents only break ties
    const QStringList expected{"_under", "\u00BD price", "10", "9", "alpha", "beta", "\u00C9clair", "Zeta"};
    for (const char* locale : {"C", "C.UTF-8"}) {
        std::setlocale(LC_ALL, locale);
        tree.resetTree();
        emit treeView.itemClicked(node("Firefox"), 0);

        QStringList treeTexts;
        for (int i = 0; i < node("Firefox")->childCount(); ++i) {
            treeTexts << node("Firefox")->child(i)->text(0);
        }
        EXPECT_EQ(treeTexts, expected) << locale;
        EXPECT_EQ(texts(listView), expected) << locale;
    }
    std::setlocale(LC_ALL, "C");
}

TEST_F(FolderNamesTest, RenamingAFolderChangesOnlyItsOwnNameWhereItsPathHoldsTheNameTwice) {
    // the store itself lies below a folder "stick"
    writeLink(store("Internet Explorer/Stick"), "News", "http://news.example/");
    tree.buildTree();
    emit treeView.itemClicked(node("Internet Explorer"), 0);
    emit treeView.itemClicked(node("Internet Explorer/Stick"), 0);
    tree.beginRename();
    tree.selectedItem()->setText(0, "Jobs");

    EXPECT_EQ(testing_support::readFile(store("Internet Explorer/Jobs/News.url")),
              testing_support::shortcutBytes("http://news.example/"));
    EXPECT_FALSE(std::filesystem::exists(store("Internet Explorer/Stick")));
    EXPECT_NE(node("Internet Explorer/Jobs"), nullptr);
}

}  // namespace
