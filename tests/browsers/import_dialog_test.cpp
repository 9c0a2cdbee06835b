#include "browsers/import_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <filesystem>

#include "app/texts.h"
#include "store/folder_scan.h"
#include "store/folder_tree_widget.h"
#include "store/link_list_widget.h"
#include "testing/files.h"
#include "testing/fake_modal_forms.h"
#include "testing/test_app.h"
#include "ui/main_window.h"

namespace {

using testing_support::treeOf;
using testing_support::writeLink;
using Entries = std::vector<std::string>;

constexpr const char* kFirefoxNodeKey = "/usr/share/Application Data/Mozilla/FireFox/Profiles/";

std::string stored(const std::string& name, const std::string& url) {
    return name + ".url=" + testing_support::shortcutBytes(url);
}

class ImportDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.context.modalForms = &forms;
        app.loadShippedTextLibraries();
        testing_support::writeFavoritesRegistry(app.context.registryFile, favorites);
        for (const char* folder : {"favorites/Internet Explorer/Work", "favorites/Firefox/Work", "favorites/Other"}) {
            std::filesystem::create_directories(app.appPath(folder));
        }
        std::filesystem::create_directories(favorites);
    }

    void openDialog() {
        owned = std::make_unique<browsers::frmImport>(app.context);
        dialog = owned.get();
    }

    void writeBookmarks(const std::string& profileFile, const testing_support::BookmarkLinks& links) {
        testing_support::writeFile(app.root / ("home/u1/Application data/Mozilla/" + profileFile),
                                   testing_support::bookmarkFileText(links));
    }

    // Clicks the store folders of a path one after the other, as a user opens them; no
    // folders clicks the root.
    void clickStore(const std::vector<std::string>& folders) {
        store::FolderTree& tree = dialog->storeTree();
        std::string key = store::storeKeyRoot(app.context.applicationFolder);
        QTreeWidgetItem* node = tree.root();
        for (const std::string& folder : folders) {
            key += (key.ends_with('/') ? "" : "/") + folder;
            node = tree.itemByKey(QString::fromStdString(key));
            ASSERT_NE(node, nullptr) << key;
            emit tree.view().itemClicked(node, 0);
        }
        if (folders.empty()) {
            emit tree.view().itemClicked(node, 0);
        }
    }

    void clickBrowser(const std::string& key) {
        QTreeWidgetItem* node = dialog->browserNode(QString::fromStdString(key));
        ASSERT_NE(node, nullptr) << key;
        emit dialog->browserTree().itemClicked(node, 0);
    }

    QStringList rows() const {
        QStringList texts;
        for (int row = 0; row < dialog->linkList().rowCount(); ++row) {
            texts << QString::fromStdString(dialog->linkList().textOf(row));
        }
        return texts;
    }

    std::string label(const char* name) const { return dialog->findChild<QLabel*>(name)->text().toStdString(); }
    std::string text(int id) const { return app::withOwnerName(app::languageText(app.context, id), "User"); }
    void pressImport() { dialog->findChild<QPushButton*>("btnImport")->click(); }
    void expectOneMessage(int textId, int titleId, app::MsgIcon icon) {
        ASSERT_EQ(app.messages.shown.size(), 1u);
        EXPECT_EQ(app.messages.shown[0].text, text(textId));
        EXPECT_EQ(app.messages.shown[0].title, text(titleId));
        EXPECT_EQ(app.messages.shown[0].icon, icon);
        app.messages.shown.clear();
    }

    testing_support::TestApp app;
    testing_support::FakeModalForms forms;
    std::string favorites = app.root / "home/u1/Favorites";
    std::unique_ptr<browsers::frmImport> owned;
    browsers::frmImport* dialog = nullptr;  // the dialog the clicks go to
};

TEST_F(ImportDialogTest, WithoutFirefoxBookmarksEachChoiceWarnsOnceAndTheTreeTakesFurtherClicks) {
    writeLink(favorites, "Home", "http://home/");
    openDialog();
    for (int choice = 0; choice < 2; ++choice) {
        clickBrowser(kFirefoxNodeKey);
        expectOneMessage(543, 300, app::MsgIcon::Exclamation);
        EXPECT_TRUE(rows().isEmpty());
        EXPECT_EQ(label("lblSource"), text(323));
    }
    clickBrowser(favorites);
    EXPECT_EQ(rows(), QStringList{"Home.url"});
    EXPECT_EQ(label("lblSource"), text(323) + "Internet Explorer" + text(330));
}

TEST_F(ImportDialogTest, ImportRefusesWithoutDestinationSourceOrLinks) {
    openDialog();
    const auto refusedWith = [this](int textId) {
        pressImport();
        expectOneMessage(textId, 300, app::MsgIcon::Exclamation);
    };
    refusedWith(534);
    EXPECT_NE(text(534).find("User"), std::string::npos);
    clickStore({});  // the root is no destination
    refusedWith(534);
    clickStore({"Firefox"});
    EXPECT_EQ(label("lblDest"), text(324) + "Firefox" + text(331));
    refusedWith(548);
    clickBrowser(browsers::frmImport::kBrowserRootKey);
    refusedWith(548);
    clickBrowser(favorites);  // an empty Favorites folder
    refusedWith(549);
}

TEST_F(ImportDialogTest, EveryListedLinkCheckedOrNotGoesIntoTheTopFolderOfTheDestination) {
    writeLink(app.appPath("favorites/Internet Explorer"), "news", "http://old/");
    writeLink(favorites, "News", "http://news/");
    writeLink(favorites + "/Links", "Sport", "http://sport/");
    openDialog();
    clickStore({"Internet Explorer", "Work"});
    clickBrowser(favorites);
    clickBrowser(favorites + "/Links");
    // a Favorites folder lists its own links, while the whole tree is staged
    EXPECT_EQ(rows(), QStringList{"Sport.url"});
    clickBrowser(favorites);
    ASSERT_EQ(rows(), QStringList{"News.url"});
    ASSERT_FALSE(dialog->linkList().isChecked(0));

    pressImport();
    EXPECT_EQ(treeOf(app.appPath("favorites/Internet Explorer")), (Entries{"Work/", stored("news", "http://news/")}));
    expectOneMessage(542, 314, app::MsgIcon::Information);
    EXPECT_TRUE(forms.opened.isEmpty());

    // a destination under any other top folder takes nothing, and all went well
    const Entries before = treeOf(app.appPath("favorites"));
    clickStore({"Other"});
    pressImport();
    EXPECT_EQ(treeOf(app.appPath("favorites")), before);
    expectOneMessage(542, 314, app::MsgIcon::Information);
}

TEST_F(ImportDialogTest, ALinkThatFailsIsNumberedInTheErrorListInsteadOfTheSuccessMessage) {
    // a name the program cannot show is listed from the Favorites folder but never staged
    writeLink(favorites, "What?", "http://what/");
    writeLink(favorites, "Fine", "http://fine/");
    openDialog();
    clickStore({"Firefox"});
    clickBrowser(favorites);
    ASSERT_EQ(rows(), (QStringList{"Fine.url", "What?.url"}));
    QStringList errorRows;
    forms.whileOpen = [&](QDialog& shown) {
        const auto* list = shown.findChild<QTreeWidget*>("ListView1");
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            for (int column = 0; column < 3; ++column) {
                errorRows << list->topLevelItem(row)->text(column);
            }
        }
    };
    pressImport();
    EXPECT_EQ(forms.opened, QStringList{"FrmImportMsg"});
    EXPECT_EQ(errorRows, (QStringList{"1", "What?.url", ""}));
    EXPECT_TRUE(app.messages.shown.empty());
    EXPECT_EQ(treeOf(app.appPath("favorites/Firefox")), (Entries{stored("Fine", "http://fine/"), "Work/"}));
}

TEST_F(ImportDialogTest, AFavoritesSubfolderNamedLikeABrowserLoadsThatBrowser) {
    std::filesystem::create_directories(favorites + "/Mozilla things");
    std::filesystem::create_directories(favorites + "/Netscape old");
    writeBookmarks("Profiles/x1/bookmarks.html", {{"Moz", "http://moz/"}});
    writeBookmarks("Firefox/Profiles/f1/bookmarks.html", {{"Fox", "http://fox/"}});
    openDialog();
    clickBrowser(favorites);
    clickBrowser(favorites + "/Mozilla things");
    EXPECT_EQ(rows(), QStringList{"Moz.url"});
    EXPECT_EQ(label("lblSource"), text(323) + "Mozilla things" + text(330));
    // no Netscape Browser edition is installed, so Netscape reads Mozilla's profiles
    app.context.netscapeBrowserInstalled = true;
    clickBrowser(favorites + "/Netscape old");
    EXPECT_EQ(rows(), QStringList{"Moz.url"});
    EXPECT_FALSE(app.context.netscapeBrowserInstalled);
}

TEST_F(ImportDialogTest, SelectAllChecksEveryRowUnlessAllAreCheckedAlready) {
    for (const char* name : {"A", "B"}) {
        writeLink(favorites, name, "http://x/");
    }
    openDialog();
    clickBrowser(favorites);
    store::LinkList& list = dialog->linkList();
    list.setChecked(1, true);
    auto* selectAll = dialog->findChild<QCheckBox*>("chkAll");
    for (const bool expected : {true, false}) {
        selectAll->click();
        for (int row = 0; row < list.rowCount(); ++row) {
            EXPECT_EQ(list.isChecked(row), expected);
            EXPECT_EQ(list.isSelected(row), expected);  // a checked row is a selected one
        }
    }
}

// The whole road of an import from Firefox: the main window opens the dialog, the user
// picks a folder below the store's Firefox folder and the browser, imports, and the main
// window shows the new links once the dialog is closed.
TEST_F(ImportDialogTest, FirefoxLinksTravelFromTheProfilesIntoTheMainWindow) {
    writeBookmarks("Firefox/Profiles/a1.default/bookmarks.html", {{"Alpha", "http://alpha/"}, {"News", "http://n1/"}});
    writeBookmarks("Firefox/Profiles/a1.default/bookmarkbackups/bookmarks.html", {{"Backup", "http://b/"}});
    writeBookmarks("Firefox/Profiles/b2.default/bookmarks.html", {{"Beta", "http://beta/"}, {"News", "http://n2/"}});
    ui::frmMain window(app.context);
    window.load();
    store::FolderTree& mainTree = window.folderTree();
    emit mainTree.view().itemClicked(mainTree.itemByKey(QString::fromStdString(app.appPath("Favorites/Firefox"))), 0);
    ASSERT_EQ(window.linkList().rowCount(), 0);

    QStringList listed;
    forms.whileOpen = [&](QDialog& shown) {
        dialog = qobject_cast<browsers::frmImport*>(&shown);
        ASSERT_NE(dialog, nullptr);
        clickStore({"Firefox", "Work"});
        clickBrowser(kFirefoxNodeKey);
        listed = rows();
        pressImport();
    };
    window.importLinks();

    EXPECT_EQ(forms.opened, QStringList{"frmImport"});
    EXPECT_EQ(listed, (QStringList{"Alpha.url", "Beta.url", "News.url"}));
    expectOneMessage(542, 314, app::MsgIcon::Information);
    EXPECT_EQ(treeOf(app.appPath("favorites/Firefox")),
              (Entries{stored("Alpha", "http://alpha/"), stored("Beta", "http://beta/"), stored("News", "http://n2/"),
                       "Work/"}));
    QStringList shownInMain;
    for (int row = 0; row < window.linkList().rowCount(); ++row) {
        shownInMain << QString::fromStdString(window.linkList().textOf(row));
    }
    EXPECT_EQ(shownInMain, (QStringList{"Alpha", "Beta", "News"}));
}

}  // namespace
