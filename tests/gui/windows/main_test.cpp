#include "gui/windows/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <filesystem>

#include "core/app/settings.h"
#include "core/app/texts.h"
#include "gui/widgets/folder_tree.h"
#include "gui/widgets/link_list.h"
#include "testing/fake_modal_forms.h"
#include "testing/files.h"
#include "testing/test_app.h"

namespace {

using testing_support::readFile;
using testing_support::writeFile;
using testing_support::writeLink;

constexpr const char* kLayoutlessSettings = "[Setting]\r\nLanguage=0409\r\nCharset=0\r\n";

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.loadShippedTextLibraries();
    }

    ui::frmMain& openMainWindow() {
        window = std::make_unique<ui::frmMain>(gui);
        window->load();
        window->show();
        return *window;
    }

    QAction* action(const char* name) { return window->findChild<QAction*>(name); }

    QStringList childTexts(QTreeWidgetItem* item) {
        QStringList texts;
        for (int i = 0; i < item->childCount(); ++i) {
            texts << item->child(i)->text(0);
        }
        return texts;
    }

    testing_support::TestApp app;
    testing_support::FakeModalForms forms;
    ui::GuiContext gui{app.context, forms};
    std::unique_ptr<ui::frmMain> window;
};

TEST_F(MainWindowTest, MenusAndToolbarCarryTheTextsOfTheLanguageLibrary) {
    openMainWindow();
    EXPECT_EQ(window->windowTitle().toStdString(), app::languageText(app.context, 302));
    EXPECT_FALSE(window->windowTitle().isEmpty());
    const std::pair<const char*, int> languageCaptions[] = {
        {"mnuFileExit", 123}, {"mnuAdd", 104},    {"mnuRightAdd", 104}, {"Toolbar1_add", 104}, {"mnuEdit", 105},
        {"mnuDelete", 106},   {"mnuRefresh", 114}, {"mnuIE_empty", 116}, {"mnuImport", 121},    {"Toolbar1_export", 122},
    };
    for (const auto& [name, id] : languageCaptions) {
        ASSERT_NE(action(name), nullptr) << name;
        EXPECT_EQ(action(name)->text().toStdString(), app::languageText(app.context, id)) << name;
    }
    EXPECT_EQ(action("mnuHelpAbout")->text().toStdString(), app::supplementaryText(app.context, 107));
    EXPECT_EQ(action("mnuHelpWhat")->text().toStdString(),
              app::withProductName(app::supplementaryText(app.context, 104)));
    EXPECT_TRUE(action("mnuHelpWhat")->text().contains("Dorvane Lite"));
    EXPECT_EQ(window->linkList().view().headerItem()->text(0).toStdString(), app::languageText(app.context, 318));
}

TEST_F(MainWindowTest, ThreeCommandsAreNeverShownAndTheRightClickMenuIsNotOnTheMenuBar) {
    openMainWindow();
    EXPECT_FALSE(action("mnuMozilla_empty")->isVisible());
    EXPECT_FALSE(action("mnuNetscape_empty")->isVisible());
    EXPECT_FALSE(action("mnuHelpUpdates")->isVisible());
    EXPECT_TRUE(action("mnuFirefox_empty")->isVisible());
    for (QAction* menu : window->menuBar()->actions()) {
        EXPECT_NE(menu->menu(), &window->popupMenu());
    }
    QStringList popup;
    for (QAction* item : window->popupMenu().actions()) {
        popup << item->objectName();
    }
    EXPECT_EQ(popup, (QStringList{"mnuRightAdd", "mnuRightEdit", "mnuRightDelete", "mnuRightRefresh"}));
}

TEST_F(MainWindowTest, ToolbarHasSixCommandButtonsBetweenTwoSeparators) {
    openMainWindow();
    const QList<QAction*> buttons = window->toolbar().actions();
    ASSERT_EQ(buttons.size(), 8);
    EXPECT_TRUE(buttons[0]->isSeparator());
    EXPECT_TRUE(buttons[5]->isSeparator());
    QStringList keys;
    for (QAction* button : buttons) {
        if (!button->isSeparator()) {
            keys << button->data().toString();
            EXPECT_FALSE(button->icon().isNull());
        }
    }
    EXPECT_EQ(keys, (QStringList{"add", "edit", "delete", "refresh", "import", "export"}));
}

TEST_F(MainWindowTest, ToolbarKeysAreComparedExactly) {
    openMainWindow();
    const std::pair<const char*, const char*> cases[] = {
        {"add", "frmAdd"},       {"edit", "frmEdit"},     {"delete", "frmDelete"}, {"import", "frmImport"},
        {"export", "frmExport"}, {"Add", nullptr},        {"EXPORT", nullptr},     {"", nullptr},
    };
    for (const auto& [key, form] : cases) {
        forms.opened.clear();
        window->runToolbarButton(key);
        EXPECT_EQ(forms.opened, form ? QStringList{form} : QStringList{}) << key;
    }
}

TEST_F(MainWindowTest, LoadMakesTheStoreAndShowsTheRootWithTheTwoDefaultTopFolders) {
    openMainWindow();
    EXPECT_TRUE(std::filesystem::is_directory(app.appPath("favorites/Internet Explorer")));
    EXPECT_TRUE(std::filesystem::is_directory(app.appPath("favorites/Firefox")));
    EXPECT_FALSE(std::filesystem::exists(app.appPath("favorites/Mozilla")));

    QTreeWidgetItem* root = window->folderTree().root();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->text(0), "Browser");
    EXPECT_TRUE(root->isExpanded());
    EXPECT_EQ(window->folderTree().selectedItem(), root);
    EXPECT_EQ(childTexts(root), (QStringList{"Firefox", "Internet Explorer"}));
    EXPECT_EQ(store::FolderTree::imageOf(root->child(0)), store::kImageFirefox);
    EXPECT_EQ(store::FolderTree::imageOf(root->child(1)), store::kImageInternetExplorer);
}

TEST_F(MainWindowTest, LoadListsTheLinksKeptInTheStoreRoot) {
    writeLink(app.appPath("favorites"), "Home", "http://home.example/");
    openMainWindow();
    ASSERT_EQ(window->linkList().rowCount(), 1);
    EXPECT_EQ(window->linkList().textOf(0), "Home");
}

TEST_F(MainWindowTest, SettingsWithoutLayoutKeysOpenAtTheSmallerValues) {
    writeFile(app.context.settingsFile(), kLayoutlessSettings);
    openMainWindow();
    // at 96 dpi a pixel is 15 twips
    EXPECT_EQ(window->frameGeometry().size(), QSize(6720 / 15, 5610 / 15));
    EXPECT_EQ(window->linkList().view().columnWidth(0), 23);
    EXPECT_EQ(window->linkList().view().columnWidth(1), 2000 / 15);
    EXPECT_EQ(window->findChild<QWidget*>("VSplitter")->x(), 3500 / 15);
}

TEST_F(MainWindowTest, ClosingSavesTheLayoutAndUnloadsTheTextLibraries) {
    ASSERT_TRUE(app::ensureSettingsFile(app.context.applicationFolder));
    openMainWindow();
    ASSERT_TRUE(std::filesystem::exists(app.context.scratchFolder() + "/dv_langfile0409.dll"));
    window->close();

    const std::string settings = readFile(app.context.settingsFile());
    EXPECT_NE(settings.find("\r\nHeight=7830\r\nWidth=11535\r\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("\r\nColWidth0=3495\r\nColWidth1=3705\r\n"), std::string::npos) << settings;
    // the splitter's line loses the blank in front of its equals sign
    EXPECT_NE(settings.find("\r\n[VSplitter]\r\nLeft=3825\r\n"), std::string::npos) << settings;
    EXPECT_EQ(settings.find("Left ="), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(app.context.scratchFolder() + "/dv_langfile0409.dll"));
    EXPECT_FALSE(std::filesystem::exists(app.context.scratchFolder() + "/dvlic_0409.dll"));
}

TEST_F(MainWindowTest, EscapeClosesTheWindow) {
    openMainWindow();
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, ClosingADialogRestoresTheStoredSizeCentred) {
    ASSERT_TRUE(app::ensureSettingsFile(app.context.applicationFolder));
    openMainWindow();
    window->resize(300, 200);
    window->move(0, 0);
    window->addLink();
    EXPECT_EQ(window->frameGeometry().size(), QSize(11535 / 15, 7830 / 15));
    const QRect screen = window->screen()->geometry();
    EXPECT_NEAR(window->frameGeometry().center().x(), screen.center().x(), 2);
    EXPECT_NEAR(window->frameGeometry().center().y(), screen.center().y(), 2);
}

TEST_F(MainWindowTest, SmallWindowsKeepThePlainLayout) {
    ASSERT_TRUE(app::ensureSettingsFile(app.context.applicationFolder));
    openMainWindow();
    QWidget& list = window->linkList().view();
    window->resize(5295 / 15 - 20, 3540 / 15 - 20);
    QCoreApplication::processEvents();
    // the plain layout gives the list the window's height less 850 twips, whatever the toolbar
    EXPECT_EQ(list.height(), (window->frameGeometry().height() * 15 - 850) / 15);
    window->resize(800, 600);
    QCoreApplication::processEvents();
    EXPECT_LT(list.height(), (window->frameGeometry().height() * 15 - 850) / 15);
}

TEST_F(MainWindowTest, AUserWhoIsNotAnAdministratorIsWarnedOnceAfterTheTreeIsBuilt) {
    app.context.isAdministrator = [] { return false; };
    app.context.ownerName = "Ann";
    openMainWindow();
    ASSERT_EQ(app.messages.shown.size(), 1u);
    const app::Message& warning = app.messages.shown[0];
    EXPECT_EQ(warning.title, app::languageText(app.context, 300));
    EXPECT_EQ(warning.icon, app::MsgIcon::Exclamation);
    EXPECT_NE(warning.text.find("Ann"), std::string::npos) << warning.text;
    EXPECT_EQ(warning.text.find("%username"), std::string::npos);
}

TEST_F(MainWindowTest, AnAdministratorSeesNoWarning) {
    openMainWindow();
    EXPECT_TRUE(app.messages.shown.empty());
}

struct EmptyCase {
    ui::frmMain::Browser browser;
    const char* folder;
    app::MsgAnswer answer;
    bool folderRemains;
    bool treeRebuilt;
};

TEST_F(MainWindowTest, EmptyCommandsDeleteTheTopFolderAndRebuildAsEachBrowserDoes) {
    using Browser = ui::frmMain::Browser;
    const EmptyCase cases[] = {
        {Browser::InternetExplorer, "Internet Explorer", app::MsgAnswer::Yes, true, true},
        {Browser::InternetExplorer, "Internet Explorer", app::MsgAnswer::No, true, false},
        {Browser::Firefox, "Firefox", app::MsgAnswer::Yes, true, true},
        {Browser::Firefox, "Firefox", app::MsgAnswer::No, true, false},
        {Browser::Mozilla, "Mozilla", app::MsgAnswer::Yes, false, true},
        {Browser::Mozilla, "Mozilla", app::MsgAnswer::No, true, true},
        {Browser::Netscape, "Netscape", app::MsgAnswer::Yes, false, true},
        {Browser::Netscape, "Netscape", app::MsgAnswer::No, true, true},
    };
    for (const EmptyCase& each : cases) {
        SCOPED_TRACE(each.folder);
        const std::string top = app.appPath("favorites/") + each.folder;
        writeLink(top + "/Deep", "Old", "http://old.example/");
        openMainWindow();
        // a folder deleted behind the tree's back stays until the tree is rebuilt
        std::filesystem::create_directories(app.appPath("favorites/Gone"));
        window->folderTree().resetTree();
        std::filesystem::remove_all(app.appPath("favorites/Gone"));

        app.messages.answerNext(each.answer);
        window->emptyBrowserFolder(each.browser);

        ASSERT_EQ(app.messages.shown.size(), 1u);
        EXPECT_EQ(app.messages.shown[0].text, app::languageText(app.context, 532));
        EXPECT_EQ(app.messages.shown[0].title, app::languageText(app.context, 309));
        const bool deleted = each.answer == app::MsgAnswer::Yes;
        EXPECT_EQ(std::filesystem::exists(top + "/Deep/Old.url"), !deleted);
        EXPECT_EQ(std::filesystem::exists(top), each.folderRemains);
        EXPECT_EQ(childTexts(window->folderTree().root()).contains("Gone"), !each.treeRebuilt);
        EXPECT_EQ(childTexts(window->folderTree().root()).contains(each.folder), each.folderRemains);
        app.messages.shown.clear();
        window.reset();
        std::filesystem::remove_all(app.appPath("favorites"));
    }
}

TEST_F(MainWindowTest, RightClickDeleteWithNothingSelectedStillReportsAndRefreshes) {
    openMainWindow();
    std::filesystem::create_directories(app.appPath("favorites/New"));
    window->deleteSelectedFromPopup();
    ASSERT_EQ(app.messages.shown.size(), 2u);
    EXPECT_EQ(app.messages.shown[0].title, "Delete Link");
    EXPECT_EQ(app.messages.shown[0].defaultAnswer, app::MsgAnswer::No);
    EXPECT_EQ(app.messages.shown[1].text, app::languageText(app.context, 545));
    EXPECT_EQ(app.messages.shown[1].title, app::languageText(app.context, 308));
    // the root was selected, so the refresh rebuilt the tree and found the new folder
    EXPECT_TRUE(childTexts(window->folderTree().root()).contains("New"));
}

TEST_F(MainWindowTest, ImportRefreshesTheTreeWhenItsDialogCloses) {
    openMainWindow();
    forms.whileOpen = [this](QDialog&) { std::filesystem::create_directories(app.appPath("favorites/Firefox2")); };
    window->importLinks();
    EXPECT_TRUE(childTexts(window->folderTree().root()).contains("Firefox2"));
    window->exportLinks();
    std::filesystem::create_directories(app.appPath("favorites/Other"));
    window->addLink();
    EXPECT_FALSE(childTexts(window->folderTree().root()).contains("Other"));
}

}  // namespace
