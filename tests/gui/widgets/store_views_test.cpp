#include <QTest>
#include <clocale>

#include "gui/windows/store_window_fixture.h"

namespace {

namespace fs = std::filesystem;
using testing_support::writeLink;
using ui::FolderTree;

// The store's folder tree and the link list it fills, as the main window joins them.
class StoreViewsTest : public testing_support::StoreWindowTest {
protected:
    StoreViewsTest() { QObject::connect(&tree, &FolderTree::nodeClicked, &tree, &FolderTree::openClickedNode); }

    QTreeWidgetItem* node(const std::string& relative) const {
        return tree.itemByKey(app.context.applicationFolder + "/Favorites/" + relative);
    }
    // The texts and images of a node's children, in the order shown.
    QStringList children(QTreeWidgetItem* parent) const {
        QStringList texts;
        for (int i = 0; i < parent->childCount(); ++i) {
            texts << parent->child(i)->text(0) + QString::number(FolderTree::imageOf(parent->child(i)));
        }
        return texts;
    }
    void click(QTreeWidgetItem* item) { emit treeView.itemClicked(item, 0); }
    void rename(const std::string& relative, const char* newName) {
        ASSERT_NE(node(relative), nullptr) << relative;
        click(node(relative));
        tree.beginRename();
        tree.selectedItem()->setText(0, newName);
    }

    QStringList column(int index) const {
        QStringList texts;
        for (int row = 0; row < listView.topLevelItemCount(); ++row) {
            texts << listView.topLevelItem(row)->text(index);
        }
        return texts;
    }
    void fillWith(const std::vector<std::pair<std::string, std::string>>& links) {
        for (const auto& [name, target] : links) {
            writeLink(folder, name, target);
        }
        list.fill(folder + "/");
    }
    void select(int row) { listView.setCurrentItem(listView.topLevelItem(row), 0, QItemSelectionModel::Select); }

    QTreeWidget treeView;
    QTreeWidget listView;
    ui::LinkList list{app.context, listView, ui::LinkListOptions{}};
    FolderTree tree{app.context, treeView, ui::FolderTreeOptions{&list, [] { return std::string("Rename?"); }}};
    std::string folder = app.appPath("favorites/Firefox");
};

TEST_F(StoreViewsTest, FoldersAppearOneLevelPerClickSortedWithTheImageOfTheirTopFolder) {
    // a folder carries the image of the browser whose top folder holds it, named in any case
    for (const char* folder :
         {"internet explorer/Links", "Other", ".trash", "Old", "Mozilla", "NETSCAPE", "Firefo", "FirefoxStuff"}) {
        fs::create_directories(store(folder));
    }
    writeLink(store("Firefox"), "Docs", "http://docs.example/");
    writeLink(store(""), "Home", "http://home.example/");
    tree.buildTree();
    EXPECT_EQ(children(tree.root()), (QStringList{"Firefo1", "Firefox3", "FirefoxStuff3", "internet explorer2",
                                                  "Mozilla4", "NETSCAPE5", "Old1", "Other1"}));
    EXPECT_EQ(node("internet explorer/Links"), nullptr);
    EXPECT_EQ(list.nameOf(0) + std::to_string(list.rowCount()), "Home1");

    click(node("internet explorer"));
    EXPECT_TRUE(node("internet explorer")->isExpanded());
    // a second click adds only the folders made in between
    fs::create_directories(store("internet explorer/Art"));
    click(node("internet explorer"));
    EXPECT_EQ(children(node("internet explorer")), (QStringList{"Art2", "Links2"}));
    // a folder click lists its links; a root click changes nothing
    click(node("Firefox"));
    click(tree.root());
    EXPECT_EQ(list.nameOf(0) + std::to_string(list.rowCount()), "Docs1");

    // F5 on the root rebuilds the tree; the root cannot be renamed
    fs::remove_all(store("Old"));
    treeView.setCurrentItem(tree.root());
    QTest::keyClick(&treeView, Qt::Key_F5);
    EXPECT_EQ(children(tree.root()).size(), 7);
    QTest::keyClick(&treeView, Qt::Key_F2);
    EXPECT_EQ(treeView.findChild<QLineEdit*>(), nullptr);
    // a reset brings back the default top folders, and leaves a complete store as it is
    fs::remove_all(store(""));
    tree.resetTree();
    EXPECT_EQ(children(tree.root()), (QStringList{"Chrome6", "Firefox3", "Internet Explorer2"}));
    fs::rename(store("Firefox"), store("FIREFOX"));
    tree.resetTree();
    EXPECT_EQ(children(tree.root()), (QStringList{"Chrome6", "FIREFOX3", "Internet Explorer2"}));
}

// A renamed folder is renamed on disk, its node and the nodes below it keyed by the new path,
// and the list of its links names their new paths. A name Windows refuses, a sibling's name and
// a name the drive refuses leave the disk as it was and the node with its old name, and say
// why. Only the folder's own name changes, though the store lies below a folder of the same
// name (the stick).
TEST_F(StoreViewsTest, RenamingAFolderRenamesItOnDiskAndRekeysItsNodes) {
    writeLink(store("Internet Explorer/Stick"), "News", "http://news.example/");
    writeLink(store("Internet Explorer/Stick/Sub"), "Deep", "http://deep.example/");
    fs::create_directories(store("Internet Explorer/Taken/Inside"));
    tree.buildTree();
    click(node("Internet Explorer"));
    rename("Internet Explorer/Stick", "Zed");
    EXPECT_EQ(node("Internet Explorer/Stick"), nullptr);
    EXPECT_EQ(list.fullPathOf(0), store("Internet Explorer/Zed/News.url"));
    // the subfolder shown opens and renames where it now lies; F5 shows each folder once
    rename("Internet Explorer/Zed/Sub", "Low");
    EXPECT_EQ(list.nameOf(0), "Deep");
    click(node("Internet Explorer/Zed"));
    QTest::keyClick(&treeView, Qt::Key_F5);
    EXPECT_EQ(children(node("Internet Explorer/Zed")), QStringList{"Low2"});
    click(node("Internet Explorer"));  // sorted by the new name
    EXPECT_EQ(children(node("Internet Explorer")), (QStringList{"Taken2", "Zed2"}));

    const std::string longName(300, 'x');
    for (const char* name : {"Taken", "TAKEN", "../Out", "CON", longName.c_str()}) {
        rename("Internet Explorer/Zed", name);
        EXPECT_EQ(node("Internet Explorer/Zed")->text(0), "Zed") << name;
    }
    const std::string taken = said(text(563), "Rename Folder", ui::MsgIcon::Exclamation);
    const std::string refused = said(560, 300, ui::MsgIcon::Exclamation);
    EXPECT_EQ(shown(), (std::vector<std::string>{taken, taken, refused, refused,
                                                 said(text(562), "Rename Folder", ui::MsgIcon::Exclamation)}));
    EXPECT_EQ(testing_support::treeOf(store("Internet Explorer")),
              (std::vector<std::string>{"Taken/", "Taken/Inside/", "Zed/", "Zed/Low/",
                                        "Zed/Low/Deep.url=" + testing_support::shortcutBytes("http://deep.example/"),
                                        "Zed/News.url=" + testing_support::shortcutBytes("http://news.example/")}));
}

// Names stand in the order of the program's language whatever the process's locale:
// punctuation before digits before letters; case and accents only break ties.
TEST_F(StoreViewsTest, TreeAndListOrderNamesAsTheLanguageDoesInEveryLocale) {
    const QStringList order{"_under", "\u00BD price", "10", "9", "alpha", "beta", "\u00C9clair", "Zeta"};
    QStringList nodes;
    for (const QString& name : order) {
        fs::create_directories(store("Firefox/" + name.toStdString()));
        writeLink(folder, name.toStdString(), "http://example.com/");
        nodes << name + "3";
    }
    for (const char* locale : {"C", "C.UTF-8"}) {
        std::setlocale(LC_ALL, locale);
        tree.resetTree();
        click(node("Firefox"));
        EXPECT_EQ(children(node("Firefox")), nodes) << locale;
        EXPECT_EQ(column(0), order) << locale;
    }
    std::setlocale(LC_ALL, "C");
}

TEST_F(StoreViewsTest, HeaderClicksSortByNameOrUrlAndFlipOnTheSecondClick) {
    fillWith({{"b", "http://3"}, {"c", "http://1"}, {"a", "http://2"}});
    for (const auto& [header, shown] : std::vector<std::pair<int, const char*>>{
             {1, "http://1 http://2 http://3"}, {1, "http://3 http://2 http://1"}, {0, "a b c"}}) {
        list.sortByHeader(header);
        EXPECT_EQ(column(header).join(' ').toStdString(), shown);
    }
    // the sort holds for the next fill
    writeLink(folder, "0first", "http://9");
    list.fill(folder + "/");
    EXPECT_EQ(column(0).first(), "0first");

    QTest::keyClick(&listView, Qt::Key_A, Qt::ControlModifier);  // selects every row
    EXPECT_EQ(listView.selectedItems().size(), 4);
}

TEST_F(StoreViewsTest, OpeningALinkHandsItsTargetToTheShellWaitsASecondAndReportsAFailure) {
    fillWith({{"Blank", "   "}, {"News", "http://news.example/"}});
    // no selection, then an empty target: nothing is opened
    list.openSelectedLink();
    select(0);
    list.openSelectedLink();
    listView.clearSelection();
    select(1);
    for (const int result : {33, 32}) {  // the shell answers 32 or less when it cannot open a target
        app.shell.result = result;
        list.openSelectedLink();
    }
    EXPECT_EQ(app.shell.opened, (std::vector<std::string>{"http://news.example/", "http://news.example/"}));
    EXPECT_EQ(app.shell.slept, (std::vector<int>{1000, 1000}));
    EXPECT_EQ(shown(), std::vector<std::string>{said(557, 301, ui::MsgIcon::Critical)});
}

// The key command stops at the first link that cannot be deleted; the right-click command goes on.
TEST_F(StoreViewsTest, DeletingAsksOnceThenDeletesTheSelectedRowsAndOnlyTheKeyCommandStopsAtAFailure) {
    const std::string asked = said(text(544), "Delete Link", ui::MsgIcon::Question, ui::MsgAnswer::No);
    const std::string failed = said(533, 308, ui::MsgIcon::Critical);
    const std::string deleted = said(545, 308, ui::MsgIcon::Information);
    const struct {
        ui::MsgAnswer answer;
        ui::LinkList::OnFailure onFailure;
        std::size_t left;
        std::vector<std::string> shown;
    } cases[] = {{ui::MsgAnswer::No, ui::LinkList::OnFailure::Stop, 3, {asked}},
                 {ui::MsgAnswer::Yes, ui::LinkList::OnFailure::Stop, 3, {asked, failed, deleted}},
                 {ui::MsgAnswer::Yes, ui::LinkList::OnFailure::GoOn, 1, {asked, deleted}}};
    for (const auto& test : cases) {
        fillWith({{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}});
        std::filesystem::remove(folder + "/a.url");  // gone behind the list's back
        select(0);
        select(1);
        select(2);
        app.messages.answerNext(test.answer);
        EXPECT_EQ(list.deleteSelectedLinks(test.onFailure), test.answer == ui::MsgAnswer::Yes);
        EXPECT_EQ(testing_support::treeOf(folder).size(), test.left);
        EXPECT_EQ(shown(), test.shown);
    }
}

}  // namespace
