#include "browsers/import_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/texts.h"
#include "browsers/import_errors_dialog.h"
#include "store/folder_scan.h"
#include "store/folder_tree_widget.h"
#include "store/link_list_widget.h"
#include "testing/fake_modal_forms.h"
#include "testing/file_tree.h"
#include "testing/store_builder.h"
#include "testing/test_app.h"
#include "ui/main_window.h"

namespace {

using testing_support::shortcutBytes;
using testing_support::treeOf;
using testing_support::writeFile;
using testing_support::writeLink;
using Entries = std::vector<std::string>;
using Links = std::vector<std::pair<std::string, std::string>>;

constexpr const char* kFirefoxNodeKey = "/usr/share/Application Data/Mozilla/FireFox/Profiles/";

std::string bookmarkFile(const Links& links) {
    std::string text = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n";
    for (const auto& [name, url] : links) {
        text += "    <DT><A HREF=\"" + url + "\" ADD_DATE=\"1113502144\">" + name + "</A>\n";
    }
    return text + "</DL><p>\n";
}

std::string stored(const std::string& name, const std::string& url) { return name + ".url=" + shortcutBytes(url); }

class ImportDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.context.modalForms = &forms;
        app.loadShippedTextLibraries();
        writeFile(app.context.registryFile,
                  "Windows Registry Editor Version 5.00\r\n\r\n"
                  "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]\r\n"
                  "\"Favorites\"=\"" + favorites + "\"\r\n");
        std::filesystem::create_directories(favorites);
        std::filesystem::create_directories(app.appPath("favorites/Internet Explorer"));
        std::filesystem::create_directories(app.appPath("favorites/Firefox"));
    }

    void openDialog() {
        owned = std::make_unique<browsers::frmImport>(app.context);
        dialog = owned.get();
    }

    void writeBookmarks(const std::string& profileFile, const Links& links) {
        writeFile(app.root / ("home/u1/Application data/Mozilla/" + profileFile), bookmarkFile(links));
    }

    // Clicks the store folders of a path below the store root one after the other, as a
    // user opens them ("" is the root).
    void clickStore(const std::vector<std::string>& folders) {
        store::FolderTree& tree = dialog->storeTree();
        std::string key = store::storeKeyRoot(app.context.applicationFolder);
        if (folders.empty()) {
            emit tree.view().itemClicked(tree.root(), 0);
        }
        for (const std::string& folder : folders) {
            key += (key.ends_with('/') ? "" : "/") + folder;
            QTreeWidgetItem* node = tree.itemByKey(QString::fromStdString(key));
            ASSERT_NE(node, nullptr) << key;
            emit tree.view().itemClicked(node, 0);
        }
    }

    void clickBrowser(const std::string& key) {
        QTreeWidgetItem* node = dialog->browserNode(QString::fromStdString(key));
        ASSERT_NE(node, nullptr) << key;
        emit dialog->browserTree().itemClicked(node, 0);
    }

    QStringList rows() {
        QStringList texts;
        for (int row = 0; row < dialog->linkList().rowCount(); ++row) {
            texts << QString::fromStdString(dialog->linkList().textOf(row));
        }
        return texts;
    }

    QString label(const char* name) { return dialog->findChild<QLabel*>(name)->text(); }
    std::string text(int id) { return app::withOwnerName(app::languageText(app.context, id), "User"); }

    void pressImport() { dialog->findChild<QPushButton*>("btnImport")->click(); }

    testing_support::TestApp app;
    testing_support::FakeModalForms forms;
    std::string favorites = app.root / "home/u1/Favorites";
    std::unique_ptr<browsers::frmImport> owned;
    browsers::frmImport* dialog = nullptr;  // the dialog the clicks go to
};

TEST_F(ImportDialogTest, OpensWithTheStoreTreeTheBrowserTreeAndTheTextsOfTheLanguageLibrary) {
    openDialog();
    EXPECT_EQ(dialog->windowTitle().toStdString(), text(314));
    EXPECT_EQ(label("lbinstruction").toStdString(), text(326));
    EXPECT_EQ(dialog->findChild<QCheckBox*>("chkAll")->text().toStdString(), text(325));
    EXPECT_EQ(dialog->linkList().view().headerItem()->text(1).toStdString(), text(319));

    QTreeWidgetItem* root = dialog->browserNode(browsers::frmImport::kBrowserRootKey);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->text(0), "Browser");
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_EQ(dialog->browserNode(kFirefoxNodeKey), root->child(0));
    EXPECT_EQ(root->child(0)->text(0), "FireFox");
    EXPECT_EQ(dialog->browserNode(QString::fromStdString(favorites)), root->child(1));
    EXPECT_EQ(root->child(1)->text(0), "Internet Explorer");
    EXPECT_EQ(dialog->storeTree().root()->childCount(), 2);
}

TEST_F(ImportDialogTest, WithoutFirefoxBookmarksEachChoiceWarnsOnceAndTheTreeTakesFurtherClicks) {
    writeLink(favorites, "Home", "http://home.example/");
    openDialog();
    for (int choice = 1; choice <= 2; ++choice) {
        clickBrowser(kFirefoxNodeKey);
        ASSERT_EQ(app.messages.shown.size(), static_cast<std::size_t>(choice));
        EXPECT_EQ(app.messages.shown.back().text, text(543));
        EXPECT_EQ(app.messages.shown.back().title, text(300));
        EXPECT_EQ(app.messages.shown.back().icon, app::MsgIcon::Exclamation);
        EXPECT_TRUE(rows().isEmpty());
        EXPECT_EQ(label("lblSource").toStdString(), text(323));
    }
    clickBrowser(favorites);
    EXPECT_EQ(rows(), QStringList{"Home.url"});
    EXPECT_EQ(label("lblSource").toStdString(), text(323) + "Internet Explorer" + text(330));
}

TEST_F(ImportDialogTest, ImportRefusesWithoutDestinationSourceOrLinks) {
    openDialog();
    const auto refusal = [this] {
        app.messages.shown.clear();
        pressImport();
        EXPECT_EQ(app.messages.shown.size(), 1u);
        EXPECT_EQ(app.messages.shown.back().title, text(300));
        EXPECT_EQ(app.messages.shown.back().icon, app::MsgIcon::Exclamation);
        return app.messages.shown.back().text;
    };
    EXPECT_EQ(refusal(), text(534));
    EXPECT_NE(text(534).find("User"), std::string::npos);
    clickStore({});  // the root is no destination
    EXPECT_EQ(refusal(), text(534));
    clickStore({"Firefox"});
    EXPECT_EQ(label("lblDest").toStdString(), text(324) + "Firefox" + text(331));
    EXPECT_EQ(refusal(), text(548));
    clickBrowser(browsers::frmImport::kBrowserRootKey);
    EXPECT_EQ(refusal(), text(548));
    clickBrowser(favorites);  // an empty Favorites folder
    EXPECT_EQ(refusal(), text(549));
}

TEST_F(ImportDialogTest, EveryListedLinkGoesIntoTheTopFolderOfTheDestination) {
    std::filesystem::create_directories(app.appPath("favorites/Internet Explorer/Work"));
    writeLink(app.appPath("favorites/Internet Explorer"), "news", "http://old.example/");
    writeLink(favorites, "News", "http://news.example/");
    writeLink(favorites + "/Links", "Sport", "http://sport.example/");
    openDialog();
    clickStore({"Internet Explorer", "Work"});
    clickBrowser(favorites);
    // the Favorites folder's own links are listed, the whole tree is staged
    EXPECT_EQ(rows(), QStringList{"News.url"});
    clickBrowser(favorites + "/Links");
    EXPECT_EQ(rows(), QStringList{"Sport.url"});
    clickBrowser(favorites);
    ASSERT_FALSE(dialog->linkList().isChecked(0));

    pressImport();
    EXPECT_EQ(treeOf(app.appPath("favorites/Internet Explorer")),
              (Entries{"Work/", stored("news", "http://news.example/")}));
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text, text(542));
    EXPECT_EQ(app.messages.shown[0].title, text(314));
    EXPECT_EQ(app.messages.shown[0].icon, app::MsgIcon::Information);
    EXPECT_TRUE(forms.opened.isEmpty());
}

TEST_F(ImportDialogTest, ADestinationOutsideTheBrowserFoldersCopiesNothingYetSaysDone) {
    std::filesystem::create_directories(app.appPath("favorites/Other"));
    writeLink(favorites, "News", "http://news.example/");
    const Entries before = treeOf(app.appPath("favorites"));
    openDialog();
    clickStore({"Other"});
    clickBrowser(favorites);
    pressImport();
    EXPECT_EQ(treeOf(app.appPath("favorites")), before);
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text, text(542));
}

TEST_F(ImportDialogTest, ALinkThatFailsIsNumberedInTheErrorListInsteadOfTheSuccessMessage) {
    // a name the program cannot show is listed from the Favorites folder but never staged
    writeLink(favorites, "What?", "http://what.example/");
    writeLink(favorites, "Fine", "http://fine.example/");
    openDialog();
    clickStore({"Firefox"});
    clickBrowser(favorites);
    ASSERT_EQ(rows(), (QStringList{"Fine.url", "What?.url"}));
    QStringList errorRow;
    forms.whileOpen = [&](QDialog& shown) {
        const auto* list = shown.findChild<QTreeWidget*>("ListView1");
        ASSERT_EQ(list->topLevelItemCount(), 1);
        for (int column = 0; column < 3; ++column) {
            errorRow << list->topLevelItem(0)->text(column);
        }
        EXPECT_EQ(shown.findChild<QLabel*>("Label1")->text().toStdString(), text(546));
    };
    pressImport();
    EXPECT_EQ(forms.opened, QStringList{"FrmImportMsg"});
    EXPECT_EQ(errorRow, (QStringList{"1", "What?.url", ""}));
    EXPECT_TRUE(app.messages.shown.empty());
    EXPECT_EQ(treeOf(app.appPath("favorites/Firefox")), Entries{stored("Fine", "http://fine.example/")});
}

TEST_F(ImportDialogTest, TheBrowserRootEmptiesTheListAndLeavesTheLabels) {
    writeLink(favorites, "News", "http://news.example/");
    openDialog();
    clickBrowser(favorites);
    const QString source = label("lblSource");
    clickBrowser(browsers::frmImport::kBrowserRootKey);
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_EQ(label("lblSource"), source);
    EXPECT_EQ(treeOf(app.context.stagingFolder()), Entries{});
}

TEST_F(ImportDialogTest, AFavoritesSubfolderNamedLikeABrowserLoadsThatBrowser) {
    std::filesystem::create_directories(favorites + "/Mozilla things");
    std::filesystem::create_directories(favorites + "/Netscape old");
    writeBookmarks("Profiles/x1/bookmarks.html", {{"Moz", "http://moz.example/"}});
    writeBookmarks("Firefox/Profiles/f1/bookmarks.html", {{"Fox", "http://fox.example/"}});
    openDialog();
    clickBrowser(favorites);
    QTreeWidgetItem* ie = dialog->browserNode(QString::fromStdString(favorites));
    ASSERT_EQ(ie->childCount(), 2);
    EXPECT_EQ(ie->child(0)->text(0), "Mozilla things");

    clickBrowser(favorites + "/Mozilla things");
    EXPECT_EQ(rows(), QStringList{"Moz.url"});
    EXPECT_EQ(label("lblSource").toStdString(), text(323) + "Mozilla things" + text(330));
    // no Netscape Browser edition is installed, so Netscape reads Mozilla's profiles
    app.context.netscapeBrowserInstalled = true;
    clickBrowser(favorites + "/Netscape old");
    EXPECT_EQ(rows(), QStringList{"Moz.url"});
    EXPECT_FALSE(app.context.netscapeBrowserInstalled);
}

TEST_F(ImportDialogTest, SelectAllChecksEveryRowUnlessAllAreCheckedAlready) {
    for (const char* name : {"A", "B", "C"}) {
        writeLink(favorites, name, "http://x.example/");
    }
    openDialog();
    clickBrowser(favorites);
    store::LinkList& list = dialog->linkList();
    list.setChecked(1, true);
    EXPECT_TRUE(list.isSelected(1));
    const auto checks = [&] {
        std::vector<bool> checked;
        for (int row = 0; row < list.rowCount(); ++row) {
            checked.push_back(list.isChecked(row));
        }
        return checked;
    };
    dialog->findChild<QCheckBox*>("chkAll")->click();
    EXPECT_EQ(checks(), (std::vector<bool>{true, true, true}));
    dialog->findChild<QCheckBox*>("chkAll")->click();
    EXPECT_EQ(checks(), (std::vector<bool>{false, false, false}));
    EXPECT_FALSE(list.isSelected(1));
}

// The whole road of an import from Firefox: the main window opens the dialog, the user
// picks a folder below the store's Firefox folder and the browser, imports, and the main
// window shows the new links when the dialog closes.
TEST_F(ImportDialogTest, FirefoxLinksTravelFromTheProfilesIntoTheMainWindow) {
    writeBookmarks("Firefox/Profiles/a1.default/bookmarks.html",
                   {{"Alpha", "http://alpha.example/"}, {"News", "http://news1.example/"}});
    writeBookmarks("Firefox/Profiles/a1.default/bookmarkbackups/bookmarks.html", {{"Backup", "http://b.example/"}});
    writeBookmarks("Firefox/Profiles/b2.default/bookmarks.html",
                   {{"Beta", "http://beta.example/"}, {"News", "http://news2.example/"}});
    std::filesystem::create_directories(app.appPath("favorites/Firefox/Work"));

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
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text, text(542));
    EXPECT_EQ(treeOf(app.appPath("favorites/Firefox")),
              (Entries{stored("Alpha", "http://alpha.example/"), stored("Beta", "http://beta.example/"),
                       stored("News", "http://news2.example/"), "Work/"}));
    QStringList shownInMain;
    for (int row = 0; row < window.linkList().rowCount(); ++row) {
        shownInMain << QString::fromStdString(window.linkList().textOf(row));
    }
    EXPECT_EQ(shownInMain, (QStringList{"Alpha", "Beta", "News"}));
}

}  // namespace
