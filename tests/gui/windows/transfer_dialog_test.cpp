#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <filesystem>

#include "core/app/texts.h"
#include "gui/windows/export_dialog.h"
#include "gui/windows/import_dialog.h"
#include "gui/widgets/link_list.h"
#include "testing/fake_modal_forms.h"
#include "testing/files.h"
#include "testing/test_app.h"
#include "gui/windows/main_window.h"

namespace {

using testing_support::readFile;
using testing_support::treeOf;
using testing_support::writeLink;
using Entries = std::vector<std::string>;

constexpr const char* kFirefoxKey = "/usr/share/Application Data/Mozilla/FireFox/Profiles/";

QStringList rowsOf(store::LinkList& list) {
    QStringList texts;
    for (int row = 0; row < list.rowCount(); ++row) {
        texts << QString::fromStdString(list.textOf(row));
    }
    return texts;
}

std::string stored(const std::string& name, const std::string& url) {
    return name + ".url=" + testing_support::shortcutBytes(url);
}

class TransferDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.loadShippedTextLibraries();
        ASSERT_FALSE(app::languageText(app.context, 300).empty());
        testing_support::writeFavoritesRegistry(app.context.registryFile, favorites);
        std::filesystem::create_directories(favorites);
    }

    template <typename Dialog, typename Context>
    void open(Context& context) {
        owned = std::make_unique<Dialog>(context);
        dialog = owned.get();
    }

    // Clicks the store folders of a path one after the other, as a user opens them; no
    // folders clicks the root.
    void clickStore(const std::vector<std::string>& folders) {
        std::string key = app.context.applicationFolder + "/Favorites";
        QTreeWidgetItem* node = dialog->storeTree().root();
        for (const std::string& folder : folders) {
            node = dialog->storeTree().itemByKey(QString::fromStdString(key += "/" + folder));
            ASSERT_NE(node, nullptr) << key;
            emit dialog->storeTree().view().itemClicked(node, 0);
        }
        if (folders.empty()) {
            emit dialog->storeTree().view().itemClicked(node, 0);
        }
    }

    void clickBrowser(const std::string& key) {
        QTreeWidgetItem* node = dialog->browserNode(QString::fromStdString(key));
        ASSERT_NE(node, nullptr) << key;
        emit dialog->browserTree().itemClicked(node, 0);
    }

    QStringList rows() const { return rowsOf(dialog->linkList()); }

    std::string label(const char* name) const { return dialog->findChild<QLabel*>(name)->text().toStdString(); }
    void press(const char* button) { dialog->findChild<QPushButton*>(button)->click(); }

    // The messages shown since the last call, each as "text | title | icon".
    Entries messages() {
        Entries shown;
        for (const app::Message& message : app.messages.shown) {
            shown.push_back(message.text + " | " + message.title + " | " + std::to_string(int(message.icon)));
        }
        app.messages.shown.clear();
        return shown;
    }
    std::string message(int textId, int titleId, app::MsgIcon icon) const {
        return app::withOwnerName(app::languageText(app.context, textId), "User") + " | " +
               app::languageText(app.context, titleId) + " | " + std::to_string(int(icon));
    }
    std::string warning(int textId) const { return message(textId, 300, app::MsgIcon::Exclamation); }

    void writeBookmarks(const std::string& profileFile, const testing_support::BookmarkLinks& links) {
        testing_support::writeFile(profiles + profileFile, testing_support::bookmarkFileText(links));
    }

    testing_support::TestApp app;
    testing_support::FakeModalForms forms;
    ui::GuiContext gui{app.context, forms};
    std::string favorites = app.root / "home/u1/Favorites";
    std::string profiles = app.root / "home/u1/Application data/Mozilla/";
    std::unique_ptr<browsers::TransferDialog> owned;
    browsers::TransferDialog* dialog = nullptr;  // the dialog the clicks go to
};

class ExportDialogTest : public TransferDialogTest {
protected:
    void SetUp() override {
        TransferDialogTest::SetUp();
        for (const char* name : {"Alpha", "Beta", "Gamma", "Delta"}) {
            writeLink(app.appPath("favorites/Internet Explorer"), name, std::string("http://") + name + "/");
        }
        writeLink(app.appPath("favorites/Firefox"), "Wanted", "http://wanted/");
        writeLink(app.appPath("favorites/Firefox"), "Unwanted", "http://unwanted/");
        open<browsers::frmExport>(app.context);
    }

    std::string bookmarkFile() const { return profiles + "Firefox/Profiles/x.default/bookmarks.html"; }
    static constexpr const char* kInternetExplorerKey = "/usr/share/Favorites/";
};

TEST_F(ExportDialogTest, ExportIsRefusedWithoutABrowserAndWithoutLinks) {
    testing_support::writeFile(bookmarkFile(), "</DL><p>\n");
    press("btnExport");
    // the browser tree's root is no destination either
    clickBrowser(browsers::TransferDialog::kBrowserRootKey);
    press("btnExport");
    clickBrowser(kFirefoxKey);
    press("btnExport");
    EXPECT_EQ(messages(), (Entries{warning(548), warning(548), warning(549)}));
    EXPECT_EQ(readFile(bookmarkFile()), "</DL><p>\n");
}

TEST_F(ExportDialogTest, AStoreFolderListsAndStagesItsLinksAndSelectAllChecksThemUnlessAllAreChecked) {
    clickStore({"Internet Explorer"});
    EXPECT_EQ(label("lblSource"), "Source: Internet Explorer (folder in Dorvane Lite)");
    EXPECT_EQ(rows(), (QStringList{"Alpha.url", "Beta.url", "Delta.url", "Gamma.url"}));
    EXPECT_EQ(treeOf(app.context.stagingFolder()).size(), 4U);

    store::LinkList& list = dialog->linkList();
    list.setChecked(0, true);
    list.setChecked(2, true);
    for (const bool expected : {true, false, true}) {
        dialog->findChild<QCheckBox*>("chkAll")->click();
        for (int row = 0; row < list.rowCount(); ++row) {
            EXPECT_EQ(list.isChecked(row), expected) << row;
            EXPECT_EQ(list.isSelected(row), expected) << row;  // a checked row is a selected one
        }
    }

    // the store root only empties the list; what was staged stays
    clickStore({});
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(treeOf(app.context.stagingFolder()).size(), 4U);
    clickBrowser(kInternetExplorerKey);
    EXPECT_EQ(label("lblDest"), "Destination: Internet Explorer (browser on this computer)");
}

TEST_F(ExportDialogTest, InternetExplorerReceivesEveryListedLinkAndFirefoxOnlyTheCheckedOnes) {
    clickStore({"Internet Explorer"});
    dialog->linkList().setChecked(1, true);
    clickBrowser(kInternetExplorerKey);
    press("btnExport");
    EXPECT_EQ(treeOf(favorites).size(), 4U);
    EXPECT_EQ(messages(), Entries{message(539, 313, app::MsgIcon::Information)});

    clickStore({"Firefox"});
    ASSERT_EQ(rows(), (QStringList{"Unwanted.url", "Wanted.url"}));
    dialog->linkList().setChecked(1, true);
    clickBrowser(kFirefoxKey);
    // without a bookmark file the user is told where one is looked for, and nothing else
    press("btnExport");
    EXPECT_EQ(messages(), Entries{app::languageText(app.context, 540) + "\r\n" + message(541, 301, app::MsgIcon::Critical)});

    testing_support::writeFile(bookmarkFile(), "<DL><p>\n</DL><p>\n");
    press("btnExport");
    EXPECT_EQ(readFile(bookmarkFile()),
              "<DL><p>\r\n<DT><A HREF=\"http://wanted/\" ADD_DATE =\"1113502144\" "
              "LAST_MODIFIED =\"1113502155\">Wanted</A>\r\n</DL><p>\r\n");
    EXPECT_EQ(messages(), Entries{message(539, 313, app::MsgIcon::Information)});
}

class ImportDialogTest : public TransferDialogTest {
protected:
    void SetUp() override {
        TransferDialogTest::SetUp();
        for (const char* folder : {"favorites/Internet Explorer/Work", "favorites/Firefox/Work", "favorites/Other"}) {
            std::filesystem::create_directories(app.appPath(folder));
        }
        open<browsers::frmImport>(gui);
    }
};

TEST_F(ImportDialogTest, ImportIsRefusedWithoutDestinationSourceOrLinksAndMissingFirefoxBookmarksWarnEachTime) {
    writeLink(favorites, "Home", "http://home/");
    press("btnImport");
    clickStore({});  // the root is no destination
    press("btnImport");
    clickStore({"Firefox"});
    EXPECT_EQ(label("lblDest"), "Destination: Firefox (folder in Dorvane Lite)");
    press("btnImport");
    clickBrowser(browsers::TransferDialog::kBrowserRootKey);
    press("btnImport");
    for (int choice = 0; choice < 2; ++choice) {
        clickBrowser(kFirefoxKey);
        EXPECT_TRUE(rows().isEmpty());
        EXPECT_EQ(label("lblSource"), "Source: ");
    }
    press("btnImport");
    EXPECT_EQ(messages(), (Entries{warning(534), warning(534), warning(548), warning(548), warning(543), warning(543),
                                   warning(549)}));
    // the browser tree takes further clicks
    clickBrowser(favorites);
    EXPECT_EQ(rows(), QStringList{"Home.url"});
}

// A name the program cannot show is listed from the Favorites folder but never staged: it
// is numbered in the error list, which then takes the place of the success message.
TEST_F(ImportDialogTest, EveryListedLinkCheckedOrNotGoesIntoTheTopFolderOfTheDestination) {
    writeLink(app.appPath("favorites/Internet Explorer"), "news", "http://old/");
    writeLink(favorites, "News", "http://news/");
    writeLink(favorites, "What?", "http://what/");
    writeLink(favorites + "/Links", "Sport", "http://sport/");
    clickStore({"Internet Explorer", "Work"});
    clickBrowser(favorites);
    clickBrowser(favorites + "/Links");
    // a Favorites folder lists its own links, while the whole tree is staged
    EXPECT_EQ(rows(), QStringList{"Sport.url"});
    clickBrowser(favorites);
    ASSERT_EQ(rows(), (QStringList{"News.url", "What?.url"}));
    ASSERT_FALSE(dialog->linkList().isChecked(0));
    QStringList errorRows;
    forms.whileOpen = [&](QDialog& shown) {
        const auto* list = shown.findChild<QTreeWidget*>("ListView1");
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            for (int column = 0; column < 3; ++column) {
                errorRows << list->topLevelItem(row)->text(column);
            }
        }
    };
    press("btnImport");
    EXPECT_EQ(treeOf(app.appPath("favorites/Internet Explorer")), (Entries{"Work/", stored("news", "http://news/")}));
    EXPECT_EQ(forms.opened, QStringList{"FrmImportMsg"});
    EXPECT_EQ(errorRows, (QStringList{"1", "What?.url", ""}));
    EXPECT_TRUE(messages().empty());

    // a destination under any other top folder takes nothing, and all went well
    const Entries before = treeOf(app.appPath("favorites"));
    clickStore({"Other"});
    press("btnImport");
    EXPECT_EQ(treeOf(app.appPath("favorites")), before);
    EXPECT_EQ(messages(), Entries{message(542, 314, app::MsgIcon::Information)});
    EXPECT_EQ(forms.opened.size(), 1);
}

TEST_F(ImportDialogTest, AFavoritesSubfolderNamedLikeABrowserLoadsThatBrowser) {
    std::filesystem::create_directories(favorites + "/Mozilla things");
    std::filesystem::create_directories(favorites + "/Netscape old");
    writeBookmarks("Profiles/x1/bookmarks.html", {{"Moz", "http://moz/"}});
    writeBookmarks("Firefox/Profiles/f1/bookmarks.html", {{"Fox", "http://fox/"}});
    clickBrowser(favorites);
    clickBrowser(favorites + "/Mozilla things");
    EXPECT_EQ(rows(), QStringList{"Moz.url"});
    EXPECT_EQ(label("lblSource"), "Source: Mozilla things (browser on this computer)");
    // no Netscape Browser edition is installed, so Netscape reads Mozilla's profiles
    app.context.netscapeBrowserInstalled = true;
    clickBrowser(favorites + "/Netscape old");
    EXPECT_EQ(rows(), QStringList{"Moz.url"});
    EXPECT_FALSE(app.context.netscapeBrowserInstalled);
}

// The whole road of an import from Firefox: the main window opens the dialog, the user
// picks a folder below the store's Firefox folder and the browser, imports, and the main
// window shows the new links once the dialog is closed. The bookmark files are read in the
// order the search finds them (a folder's own file before its subfolders', each subfolder's
// whole depth before the next), so the later of two links of one name wins; the copies
// Firefox keeps in its backup folders are passed over.
TEST_F(ImportDialogTest, FirefoxLinksTravelFromTheProfilesIntoTheMainWindow) {
    owned.reset();
    for (const auto& [profileFile, links] : std::vector<std::pair<std::string, testing_support::BookmarkLinks>>{
             {"a1.default/bookmarks.html", {{"Alpha", "http://alpha/"}, {"News", "http://n1/"}}},
             {"a1.default/bookmarkbackups/bookmarks.html", {{"Backup", "http://b/"}}},
             {"a1.default/Sub/bookmarks.html", {{"News", "http://n-sub/"}, {"Sport", "http://s1/"}}},
             {"b2.default/BookmarkBackups/old/bookmarks.html", {{"Old", "http://old/"}}},
             {"b2.default/BOOKMARKS.HTML", {{"Beta", "http://beta/"}, {"Sport", "http://s2/"}}}}) {
        writeBookmarks("Firefox/Profiles/" + profileFile, links);
    }
    ui::frmMain window(gui);
    window.load();
    store::FolderTree& mainTree = window.folderTree();
    emit mainTree.view().itemClicked(mainTree.itemByKey(QString::fromStdString(app.appPath("Favorites/Firefox"))), 0);
    ASSERT_EQ(window.linkList().rowCount(), 0);

    QStringList listed;
    forms.whileOpen = [&](QDialog& shown) {
        dialog = qobject_cast<browsers::frmImport*>(&shown);
        ASSERT_NE(dialog, nullptr);
        clickStore({"Firefox", "Work"});
        clickBrowser(kFirefoxKey);
        listed = rows();
        press("btnImport");
    };
    window.importLinks();

    EXPECT_EQ(forms.opened, QStringList{"frmImport"});
    EXPECT_EQ(listed, (QStringList{"Alpha.url", "Beta.url", "News.url", "Sport.url"}));
    EXPECT_EQ(messages(), Entries{message(542, 314, app::MsgIcon::Information)});
    EXPECT_EQ(treeOf(app.appPath("favorites/Firefox")),
              (Entries{stored("Alpha", "http://alpha/"), stored("Beta", "http://beta/"),
                       stored("News", "http://n-sub/"), stored("Sport", "http://s2/"), "Work/"}));
    EXPECT_EQ(rowsOf(window.linkList()), (QStringList{"Alpha", "Beta", "News", "Sport"}));
}

}  // namespace
