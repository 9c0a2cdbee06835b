#include "browsers/export_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "app/texts.h"
#include "store/folder_tree_widget.h"
#include "store/link_list_widget.h"
#include "testing/files.h"
#include "testing/test_app.h"

namespace {

using testing_support::readFile;
using testing_support::writeFile;
using testing_support::writeLink;

class ExportDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.loadShippedTextLibraries();
        app.context.ownerName = "Ada";
        testing_support::writeFavoritesRegistry(app.context.registryFile, favorites());
        for (const char* name : {"Alpha", "Beta", "Gamma", "Delta"}) {
            writeLink(app.appPath("favorites/Internet Explorer"), name, std::string("http://") + name + "/");
        }
        writeLink(app.appPath("favorites/Firefox"), "Wanted", "http://wanted/");
        writeLink(app.appPath("favorites/Firefox"), "Unwanted", "http://unwanted/");
    }

    browsers::frmExport& openDialog() {
        dialog = std::make_unique<browsers::frmExport>(app.context);
        return *dialog;
    }

    std::string favorites() const { return app.root / "home/Favorites"; }
    std::string bookmarkFile() const {
        return app.root / "home/Application data/Mozilla/Firefox/Profiles/x.default/bookmarks.html";
    }

    void clickStoreFolder(const std::string& name) {
        QTreeWidgetItem* node = dialog->storeTree().itemByKey(QString::fromStdString(app.appPath("Favorites/") + name));
        ASSERT_NE(node, nullptr) << name;
        emit dialog->storeTree().view().itemClicked(node, 0);
    }
    void clickStoreRoot() { emit dialog->storeTree().view().itemClicked(dialog->storeTree().root(), 0); }
    void clickBrowser(const QString& key) { emit dialog->browserTree().itemClicked(dialog->browserNode(key), 0); }
    void clickExport() { dialog->findChild<QPushButton*>("btnExport")->click(); }
    QString label(const char* name) { return dialog->findChild<QLabel*>(name)->text(); }

    std::vector<std::string> rowTexts() {
        std::vector<std::string> texts;
        for (int row = 0; row < dialog->linkList().rowCount(); ++row) {
            texts.push_back(dialog->linkList().textOf(row));
        }
        return texts;
    }

    std::string text(int id) { return app::withOwnerName(app::languageText(app.context, id), "Ada"); }

    testing_support::TestApp app;
    std::unique_ptr<browsers::frmExport> dialog;
};

constexpr const char* kFirefoxKey = "/usr/share/Application Data/Mozilla/FireFox/Profiles/";
constexpr const char* kInternetExplorerKey = "/usr/share/Favorites/";

}  // namespace

TEST_F(ExportDialogTest, OpensWithTheStoreRootListedAndTheTwoBrowsersOffered) {
    writeLink(app.appPath("favorites"), "Loose", "http://loose/");
    openDialog();
    EXPECT_EQ(dialog->windowTitle().toStdString(), app::languageText(app.context, 313));
    EXPECT_EQ(rowTexts(), std::vector<std::string>{"Loose.url"});
    QTreeWidgetItem* root = dialog->browserNode(browsers::frmExport::kBrowserRootKey);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(dialog->browserTree().currentItem(), root);
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_EQ(root->child(0)->text(0), "FireFox");
    EXPECT_EQ(root->child(1)->text(0), "Internet Explorer");
}

TEST_F(ExportDialogTest, ExportIsRefusedWithoutABrowserAndWithoutLinks) {
    writeFile(bookmarkFile(), "</DL><p>\n");
    openDialog();
    clickExport();
    // the browser tree's root is no destination either
    clickBrowser(browsers::frmExport::kBrowserRootKey);
    clickExport();
    clickBrowser(kFirefoxKey);
    clickExport();
    ASSERT_EQ(app.messages.shown.size(), 3U);
    for (const auto& [index, id] : {std::pair{0, 548}, std::pair{1, 548}, std::pair{2, 549}}) {
        const app::Message& shown = app.messages.shown[static_cast<std::size_t>(index)];
        EXPECT_EQ(shown.text, text(id)) << id;
        EXPECT_EQ(shown.title, app::languageText(app.context, 300));
        EXPECT_EQ(shown.icon, app::MsgIcon::Exclamation);
    }
    EXPECT_NE(app.messages.shown[0].text.find("Ada"), std::string::npos);
    EXPECT_EQ(readFile(bookmarkFile()), "</DL><p>\n");
}

TEST_F(ExportDialogTest, ChoosingAStoreFolderListsItsLinksAndStagesThem) {
    openDialog();
    clickStoreFolder("Internet Explorer");
    EXPECT_EQ(label("lblSource").toStdString(), text(323) + "Internet Explorer" + text(331));
    EXPECT_EQ(rowTexts(), (std::vector<std::string>{"Alpha.url", "Beta.url", "Delta.url", "Gamma.url"}));
    EXPECT_EQ(testing_support::treeOf(app.context.stagingFolder()).size(), 4U);

    // the store root only empties the list; what was staged stays
    clickStoreRoot();
    EXPECT_TRUE(rowTexts().empty());
    EXPECT_EQ(testing_support::treeOf(app.context.stagingFolder()).size(), 4U);

    clickBrowser(kInternetExplorerKey);
    EXPECT_EQ(label("lblDest").toStdString(), text(324) + "Internet Explorer" + text(330));
}

TEST_F(ExportDialogTest, SelectAllChecksEveryLinkUnlessAllAreChecked) {
    openDialog();
    clickStoreFolder("Internet Explorer");
    store::LinkList& list = dialog->linkList();
    list.setChecked(0, true);
    list.setChecked(2, true);
    auto* selectAll = dialog->findChild<QCheckBox*>("chkAll");
    for (const bool expected : {true, false, true}) {
        selectAll->click();
        for (int row = 0; row < list.rowCount(); ++row) {
            EXPECT_EQ(list.isChecked(row), expected) << row;
            EXPECT_EQ(list.isSelected(row), expected) << row;
        }
    }
}

TEST_F(ExportDialogTest, InternetExplorerReceivesEveryListedLinkCheckedOrNot) {
    openDialog();
    clickStoreFolder("Internet Explorer");
    dialog->linkList().setChecked(1, true);
    clickBrowser(kInternetExplorerKey);
    clickExport();
    EXPECT_EQ(testing_support::treeOf(favorites()).size(), 4U);
    ASSERT_EQ(app.messages.shown.size(), 1U);
    EXPECT_EQ(app.messages.shown[0].text, text(539));
    EXPECT_EQ(app.messages.shown[0].title, app::languageText(app.context, 313));
    EXPECT_EQ(app.messages.shown[0].icon, app::MsgIcon::Information);
}

TEST_F(ExportDialogTest, FirefoxReceivesOnlyTheCheckedLinksAndOnlyAWrittenFileIsReportedDone) {
    openDialog();
    clickStoreFolder("Firefox");
    ASSERT_EQ(rowTexts(), (std::vector<std::string>{"Unwanted.url", "Wanted.url"}));
    dialog->linkList().setChecked(1, true);
    clickBrowser(kFirefoxKey);
    // without a bookmark file the writer's own message is the only one
    clickExport();
    ASSERT_EQ(app.messages.shown.size(), 1U);
    EXPECT_EQ(app.messages.shown[0].icon, app::MsgIcon::Critical);

    writeFile(bookmarkFile(), "<DL><p>\n</DL><p>\n");
    clickExport();
    EXPECT_EQ(readFile(bookmarkFile()),
              "<DL><p>\r\n<DT><A HREF=\"http://wanted/\" ADD_DATE =\"1113502144\" "
              "LAST_MODIFIED =\"1113502155\">Wanted</A>\r\n</DL><p>\r\n");
    ASSERT_EQ(app.messages.shown.size(), 2U);
    EXPECT_EQ(app.messages.shown[1].text, text(539));
}
