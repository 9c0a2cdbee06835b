#include <QCheckBox>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <algorithm>
#include <fstream>

#include "core/store/store_files.h"
#include "gui/windows/export_dialog.h"
#include "gui/windows/import_dialog.h"
#include "gui/windows/main_window.h"
#include "gui/windows/store_window_fixture.h"

namespace {

using testing_support::shortcutBytes;
using testing_support::treeOf;
using testing_support::writeLink;
using Entries = std::vector<std::string>;

constexpr const char* kFirefoxKey = "/usr/share/Application Data/Mozilla/FireFox/Profiles/";
constexpr const char* kChromeKey = "/usr/share/Application Data/Chrome/";

// A bookmark file of a browser of the Chromium family with one link in its bookmark bar.
std::string chromiumBookmarks(const std::string& name, const std::string& url) {
    const std::string root = R"({"id": "1", "name": "", "type": "folder", "children": [)";
    return R"({"version": 1, "roots": {"bookmark_bar": )" + root + R"({"id": "4", "name": ")" + name +
           R"(", "type": "url", "url": ")" + url + R"("}]}, "other": )" + root + "]}, \"synced\": " + root + "]}}}";
}

QStringList rowsOf(ui::LinkList& list) {
    QStringList texts;
    for (int row = 0; row < list.rowCount(); ++row) {
        texts << QString::fromStdString(list.nameOf(row));
    }
    return texts;
}

class TransferDialogTest : public testing_support::StoreWindowTest {
protected:
    TransferDialogTest() {
        testing_support::writeFavoritesRegistry(app.context.registryFile, favorites);
        std::filesystem::create_directories(favorites);
    }

    // Clicks the store root, then the folders of a path one after the other, as a user opens them.
    void clickStore(const std::vector<std::string>& folders) {
        std::string key = app.context.applicationFolder + "/Favorites";
        emit dialog->storeTree().view().itemClicked(dialog->storeTree().root(), 0);
        for (const std::string& folder : folders) {
            key += "/" + folder;
            emit dialog->storeTree().view().itemClicked(dialog->storeTree().itemByKey(key), 0);
        }
    }
    void clickBrowser(const std::string& key) { emit dialog->browserTree().itemClicked(dialog->browserNode(key), 0); }
    std::string label(const char* name) const { return dialog->findChild<QLabel*>(name)->text().toStdString(); }
    void press(const char* button) { dialog->findChild<QPushButton*>(button)->click(); }

    // A message the user sees, the owner's name put in.
    std::string told(int textId, int titleId, ui::MsgIcon icon = ui::MsgIcon::Information) const {
        return said(app::withOwnerName(text(textId), "Ann"), text(titleId), icon);
    }
    std::string warning(int textId) const { return told(textId, 300, ui::MsgIcon::Exclamation); }

    std::string favorites = app.root / "home/u1/Favorites";
    std::string profiles = app.root / "home/u1/Application data/Mozilla/";
    ui::TransferDialog* dialog = nullptr;  // the dialog the clicks go to
};

// Internet Explorer receives every listed link, Firefox only the checked ones; Select All
// checks every row unless all are checked already. Two links whose names differ only in case
// reach Internet Explorer as one favorite, under the first name and with the later link,
// whichever of the two the drive lists first.
class ExportOrder : public TransferDialogTest, public ::testing::WithParamInterface<bool> {};
INSTANTIATE_TEST_SUITE_P(CaseSpellingsMadeInNameOrderAndReversed, ExportOrder, ::testing::Bool());

TEST_P(ExportOrder, ExportNeedsABrowserAndLinksAndSendsTheListedLinks) {
    std::vector<const char*> names = {"ALPHA", "Alpha", "Beta", "Gamma"};
    if (GetParam()) {
        std::reverse(names.begin(), names.end());
    }
    for (const char* name : names) {
        writeLink(app.appPath("favorites/Internet Explorer"), name, std::string("http://") + name + "/");
    }
    writeLink(app.appPath("favorites/Firefox"), "Wanted", "http://wanted/");
    writeLink(app.appPath("favorites/Firefox"), "Unwanted", "http://unwanted/");
    ui::ExportDialog exportDialog(app.context);
    dialog = &exportDialog;
    press("btnExport");
    // the browser tree's root is no destination either
    for (const char* browser : {ui::TransferDialog::kBrowserRootKey, kFirefoxKey}) {
        clickBrowser(browser);
        press("btnExport");
    }
    EXPECT_EQ(shown(), (Entries{warning(548), warning(548), warning(549)}));

    clickStore({"Internet Explorer"});
    EXPECT_EQ(label("lblSource"), "Source: Internet Explorer (folder in Dorvane Lite)");
    ui::LinkList& list = dialog->linkList();
    list.setChecked(1, true);
    for (const char* expected : {"11111111", "00000000"}) {  // a checked row is a selected one
        dialog->findChild<QCheckBox*>("chkAll")->click();
        std::string states;
        for (int row = 0; row < list.rowCount(); ++row) {
            states += std::to_string(list.isChecked(row)) + std::to_string(list.isSelected(row));
        }
        EXPECT_EQ(states, expected);
    }
    clickBrowser("/usr/share/Favorites/");
    EXPECT_EQ(label("lblDest"), "Destination: Internet Explorer (browser on this computer)");
    press("btnExport");
    EXPECT_EQ(treeOf(favorites),
              (Entries{"ALPHA.url=" + shortcutBytes("http://Alpha/"), "Beta.url=" + shortcutBytes("http://Beta/"),
                       "Gamma.url=" + shortcutBytes("http://Gamma/")}));
    EXPECT_EQ(shown(), Entries{told(539, 313)});

    clickStore({"Firefox"});
    ASSERT_EQ(rowsOf(dialog->linkList()), (QStringList{"Unwanted.url", "Wanted.url"}));
    list.setChecked(1, true);
    clickBrowser(kFirefoxKey);
    // without a bookmark file the user is told where one is looked for, and nothing else
    press("btnExport");
    EXPECT_EQ(shown(), Entries{text(540) + "\r\n" + told(541, 301, ui::MsgIcon::Critical)});
    // without one, a Linux Firefox's database receives them, but not while Firefox runs
    const std::string linux = app.context.configFolder + "/mozilla/firefox/";
    testing_support::writeFile(linux + "profiles.ini", "[Profile0]\nPath=p1\n");
    testing_support::writeFile(linux + "p1/places.sqlite", "");
    std::filesystem::create_symlink("127.0.0.1:+" + std::to_string(::getpid()), linux + "p1/lock");
    press("btnExport");
    EXPECT_EQ(shown(), Entries{warning(570)});
    EXPECT_EQ(treeOf(linux + "p1"), (Entries{"lock=", "places.sqlite="}));
    const std::string bookmarkFile = profiles + "Firefox/Profiles/x.default/bookmarks.html";
    testing_support::writeFile(bookmarkFile, "<DL><p>\n</DL><p>\n");
    press("btnExport");
    EXPECT_EQ(testing_support::readFile(bookmarkFile),
              "<DL><p>\r\n<DT><A HREF=\"http://wanted/\" ADD_DATE =\"1113502144\" "
              "LAST_MODIFIED =\"1113502155\">Wanted</A>\r\n</DL><p>\r\n");
    EXPECT_EQ(shown(), Entries{told(539, 313)});
}

// Names travel as the bytes on the drive, whatever their encoding: a bookmark file saved in a
// Western code page reaches the store, and a store link whose file name is not UTF-8 reaches
// Internet Explorer, each under its own name.
TEST_F(TransferDialogTest, NamesOutsideUtf8ArriveUnderTheirOwnBytes) {
    const std::string imported = "Caf\xe9s";
    const std::string exported = "Th\xe9";
    testing_support::writeFile(profiles + "Firefox/Profiles/x.default/bookmarks.html",
                               testing_support::bookmarkFileText({{imported, "http://cafe/"}}));
    writeLink(app.appPath("favorites/Internet Explorer"), exported, "http://the/");
    std::filesystem::create_directories(app.appPath("favorites/Firefox"));
    ui::ImportDialog importDialog(gui);
    dialog = &importDialog;
    clickStore({"Firefox"});
    clickBrowser(kFirefoxKey);
    press("btnImport");
    ui::ExportDialog exportDialog(app.context);
    dialog = &exportDialog;
    clickStore({"Internet Explorer"});
    clickBrowser("/usr/share/Favorites/");
    press("btnExport");
    EXPECT_EQ(treeOf(app.appPath("favorites/Firefox")), Entries{imported + ".url=" + shortcutBytes("http://cafe/")});
    EXPECT_EQ(treeOf(favorites), Entries{exported + ".url=" + shortcutBytes("http://the/")});
    EXPECT_EQ(shown(), (Entries{told(542, 314), told(539, 313)}));
}

// The whole road of an import from Firefox: the main window opens the dialog, which refuses
// to import without a destination, a source or links, and tells of a missing Firefox bookmark
// file each time; the user picks a folder below the store's Firefox folder and the browser,
// imports, and the main window shows the new links once the dialog is closed. The bookmark
// files are read in the order the search finds them (a folder's own file before its
// subfolders', each subfolder's whole depth before the next), so the later of two links of
// one name wins; the copies Firefox keeps in its backup folders are passed over.
TEST_F(TransferDialogTest, FirefoxLinksTravelFromTheProfilesIntoTheMainWindow) {
    std::filesystem::create_directories(app.appPath("favorites/Firefox/Work"));
    ui::MainWindow window(gui);
    window.load();
    ui::FolderTree& mainTree = window.folderTree();
    emit mainTree.view().itemClicked(mainTree.itemByKey(app.appPath("Favorites/Firefox")), 0);
    ASSERT_EQ(window.linkList().rowCount(), 0);

    QStringList listed;
    forms.whileOpen = [&](QDialog& shown) {
        dialog = qobject_cast<ui::ImportDialog*>(&shown);
        ASSERT_NE(dialog, nullptr);
        press("btnImport");
        clickStore({});  // the root is no destination
        press("btnImport");
        clickStore({"Firefox", "Work"});
        EXPECT_EQ(label("lblDest"), "Destination: Firefox/Work (folder in Dorvane Lite)");
        press("btnImport");
        clickBrowser(ui::TransferDialog::kBrowserRootKey);
        press("btnImport");
        clickBrowser(kFirefoxKey);
        clickBrowser(kFirefoxKey);
        EXPECT_EQ(label("lblSource"), "Source: ");
        press("btnImport");
        for (const auto& [profileFile, links] : std::vector<std::pair<std::string, testing_support::BookmarkLinks>>{
                 {"a1.default/bookmarks.html", {{"Alpha", "http://alpha/"}, {"News", "http://n1/"}}},
                 {"a1.default/bookmarkbackups/bookmarks.html", {{"Backup", "http://b/"}}},
                 {"a1.default/Sub/bookmarks.html", {{"News", "http://n-sub/"}, {"Sport", "http://s1/"}}},
                 {"b2.default/BookmarkBackups/old/bookmarks.html", {{"Old", "http://old/"}}},
                 {"b2.default/BOOKMARKS.HTML", {{"Beta", "http://beta/"}, {"Sport", "http://s2/"}}}}) {
            testing_support::writeFile(profiles + "Firefox/Profiles/" + profileFile,
                                       testing_support::bookmarkFileText(links));
        }
        clickBrowser(kFirefoxKey);
        listed = rowsOf(dialog->linkList());
        press("btnImport");
    };
    window.importLinks();

    EXPECT_EQ(forms.opened, QStringList{"frmImport"});
    EXPECT_EQ(listed, (QStringList{"Alpha.url", "Beta.url", "News.url", "Sport.url"}));
    EXPECT_EQ(shown(), (Entries{warning(534), warning(534), warning(548), warning(548), warning(543), warning(543),
                                warning(549), told(542, 314)}));
    EXPECT_EQ(
        treeOf(app.appPath("favorites/Firefox")),
        (Entries{"Alpha.url=" + shortcutBytes("http://alpha/"), "Beta.url=" + shortcutBytes("http://beta/"),
                 "News.url=" + shortcutBytes("http://n-sub/"), "Sport.url=" + shortcutBytes("http://s2/"), "Work/"}));
    EXPECT_EQ(rowsOf(window.linkList()), (QStringList{"Alpha", "Beta", "News", "Sport"}));
}

// Clicking "Chrome" reads every profile of every browser of the family found; the links go
// into the store's Chrome folder.
TEST_F(TransferDialogTest, ChromeLinksOfEveryBrowserFoundAreImportedIntoTheChromeFolder) {
    store::CreateFolder(app.context.applicationFolder);
    ui::ImportDialog importDialog(gui);
    dialog = &importDialog;
    clickBrowser(kChromeKey);
    const std::string brave = app.context.configFolder + "/BraveSoftware/Brave-Browser";
    testing_support::writeFile(brave + "/Local State", R"({"profile": {"info_cache": {"Profile 3": {}}}})");
    testing_support::writeFile(brave + "/Profile 3/Bookmarks", chromiumBookmarks("Brave one", "http://b/"));
    const std::string snap = app.root / "home/snap/chromium/common/chromium";
    testing_support::writeFile(snap + "/Local State", "{}");
    testing_support::writeFile(snap + "/Default/Bookmarks", chromiumBookmarks("Snap one", "http://s/"));
    clickBrowser(kChromeKey);
    EXPECT_EQ(label("lblSource"), "Source: Chrome (browser on this computer)");
    clickStore({"Chrome"});
    press("btnImport");
    EXPECT_EQ(shown(), (Entries{warning(580), told(542, 314)}));
    EXPECT_EQ(treeOf(store("Chrome")),
              (Entries{"Brave one.url=" + shortcutBytes("http://b/"), "Snap one.url=" + shortcutBytes("http://s/")}));
}

// The proof with the browser itself: after an export through the dialog, Chromium lists every
// link it had, unchanged, then the new ones at the end of "Other bookmarks" (a name it had is
// left out); an export while it runs leaves its file exactly as it was.
TEST_F(TransferDialogTest, ChromiumItselfListsTheExportedLinksAfterAllItHadAndNothingIsWrittenWhileItRuns) {
    const std::string corpus = std::string(DORVANE_CORPUS_DIR) + "/chromium-linux";
    const QString script = QStringLiteral(DORVANE_SOURCE_DIR "/tests/e2e/chromium_bookmarks.py");
    if (QStandardPaths::findExecutable("chromium").isEmpty() || QStandardPaths::findExecutable("python3").isEmpty() ||
        !std::filesystem::exists(corpus)) {
        GTEST_SKIP() << "needs chromium, python3 and the shared corpus " << corpus;
    }
    const std::string userData = app.context.configFolder + "/chromium";
    std::filesystem::create_directories(app.context.configFolder);
    std::filesystem::copy(corpus, userData, std::filesystem::copy_options::recursive);
    writeLink(store("Chrome"), "Dorvane one", "https://dorvane.example/one");
    writeLink(store("Chrome"), "news", "https://dorvane.example/news");
    writeLink(store("Chrome"), "Ünïcode ✓ <b>", "https://dorvane.example/two?a=1&b=2");
    ui::ExportDialog exportDialog(app.context);
    dialog = &exportDialog;
    clickStore({"Chrome"});
    exportDialog.toggleAllChecks();
    clickBrowser(userData);
    press("btnExport");

    const std::string copy = app.root / "copy";
    std::filesystem::copy(userData, copy, std::filesystem::copy_options::recursive);
    QProcess browser;
    browser.start("python3", {script, "list", QString::fromStdString(copy), "Profile 1"});
    ASSERT_TRUE(browser.waitForFinished(120000)) << browser.readAllStandardError().toStdString();
    std::string expected;
    std::ifstream tsv(corpus + "/expected.tsv");
    for (std::string line; std::getline(tsv, line);) {
        expected += line.starts_with("Profile 1\t") ? line.substr(10) + "\n" : "";
    }
    expected +=
        "other\tDorvane one\thttps://dorvane.example/one\n"
        "other\tÜnïcode ✓ <b>\thttps://dorvane.example/two?a=1&b=2\n";
    EXPECT_EQ(browser.readAllStandardOutput().toStdString(), expected);

    browser.start("python3", {script, "hold", QString::fromStdString(userData), "Profile 1"});
    ASSERT_TRUE(browser.waitForReadyRead(120000));
    const std::string before = testing_support::readFile(userData + "/Profile 1/Bookmarks");
    press("btnExport");
    EXPECT_EQ(testing_support::readFile(userData + "/Profile 1/Bookmarks"), before);
    browser.closeWriteChannel();
    EXPECT_TRUE(browser.waitForFinished(60000));
    std::string running = text(581);
    running.replace(running.find("%1"), 2, "Chromium");
    EXPECT_EQ(shown(), (Entries{told(539, 313), said(running, text(300), ui::MsgIcon::Exclamation)}));
}

TEST_F(TransferDialogTest, EachChoiceOfABrowserNodeLoadsItOnce) {
    // without Firefox profiles every load of FireFox says so
    ui::ImportDialog importDialog(gui);
    importDialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&importDialog));
    QTreeWidget& tree = importDialog.browserTree();
    ASSERT_TRUE(tree.topLevelItem(0) != nullptr && tree.topLevelItem(0)->child(0) != nullptr);
    const QPoint centre = tree.visualItemRect(tree.topLevelItem(0)->child(0)).center();
    std::string loads;  // the messages so far after a click, a double click and Enter
    const auto count = [&] { loads += std::to_string(app.messages.shown.size()); };
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, centre);
    count();
    // the mouse as it sends a double click: a click, a press that doubles it, a release
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, centre);
    QTest::mousePress(tree.viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseRelease(tree.viewport(), Qt::LeftButton, {}, centre);
    count();
    QTest::keyClick(&tree, Qt::Key_Return);
    count();
    EXPECT_EQ(loads, "123");
}

TEST_F(TransferDialogTest, AMozillaOrNetscapeFileThatCannotBeReadStillNamesTheSource) {
    // a folder where the bookmark file should be: the search finds it, reading it fails
    std::filesystem::create_directories(app.root / "home/u1/Application data/Mozilla/Profiles/x1/bookmarks.html");
    std::filesystem::create_directories(favorites + "/Mozilla old");
    std::filesystem::create_directories(favorites + "/Netscape old");
    ui::ImportDialog importDialog(gui);
    const auto clickNode = [&importDialog](const std::string& key) {
        QTreeWidgetItem* node = importDialog.browserNode(key);
        ASSERT_NE(node, nullptr) << key;
        emit importDialog.browserTree().itemClicked(node, 0);
    };
    clickNode(favorites);
    for (const std::string folder : {"Mozilla old", "Netscape old"}) {
        clickNode(favorites + "/" + folder);
        // the list is filled from the staging folder the failed load left empty
        EXPECT_EQ(importDialog.linkList().rowCount(), 0) << folder;
        EXPECT_EQ(importDialog.findChild<QLabel*>("lblSource")->text().toStdString(), text(323) + folder + text(330));
    }
}

}  // namespace
