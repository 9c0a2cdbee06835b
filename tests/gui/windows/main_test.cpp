#include "gui/windows/main_window.h"

#include <QAction>
#include <QTest>
#include <QToolBar>
#include <tuple>

#include "core/app/settings.h"
#include "gui/windows/store_window_fixture.h"

namespace {

using testing_support::writeLink;
using Tree = std::vector<std::string>;
using app::MsgAnswer;
using app::MsgIcon;

class MainWindowTest : public testing_support::StoreWindowTest {
protected:
    void openMainWindow() {
        window = std::make_unique<ui::frmMain>(gui);
        window->load();
        window->show();
    }

    [[nodiscard]] QStringList topFolders() const {
        QStringList texts;
        for (int i = 0; i < window->folderTree().root()->childCount(); ++i) {
            texts << window->folderTree().root()->child(i)->text(0);
        }
        return texts;
    }

    std::unique_ptr<ui::frmMain> window;
};

TEST_F(MainWindowTest, LoadMakesTheStoreAndShowsItsRootWithTheLinksKeptThere) {
    writeLink(store(""), "Home", "http://home.example/");
    openMainWindow();
    const QTreeWidgetItem* root = window->folderTree().root();
    EXPECT_EQ(root->text(0), "Browser");
    EXPECT_TRUE(root->isExpanded());
    EXPECT_EQ(window->folderTree().selectedItem(), root);
    EXPECT_EQ(topFolders(), (QStringList{"Firefox", "Internet Explorer"}));
    ASSERT_EQ(window->linkList().rowCount(), 1);
    EXPECT_EQ(window->linkList().textOf(0), "Home");
}

TEST_F(MainWindowTest, ToolbarButtonsOpenTheirDialogsAndOnlyTheExactKeysRunACommand) {
    openMainWindow();
    for (QAction* button : window->toolbar().actions()) {
        if (!button->isSeparator()) {
            EXPECT_FALSE(button->icon().isNull()) << button->text().toStdString();
            button->trigger();
        }
    }
    EXPECT_EQ(forms.opened, (QStringList{"frmAdd", "frmEdit", "frmDelete", "frmImport", "frmExport"}));
    forms.opened.clear();
    for (const char* key : {"Add", "EXPORT", ""}) {
        window->runToolbarButton(key);
    }
    EXPECT_TRUE(forms.opened.isEmpty());
}

// at 96 dpi a pixel is 15 twips
TEST_F(MainWindowTest, SettingsWithoutLayoutKeysGiveTheSmallerLayoutWhichTheWindowTakesBackAfterADialog) {
    testing_support::writeFile(app.context.settingsFile(), "[Setting]\r\nLanguage=0409\r\nCharset=0\r\n");
    openMainWindow();
    EXPECT_EQ(window->frameGeometry().size(), QSize(6720 / 15, 5610 / 15));
    EXPECT_EQ(window->linkList().view().columnWidth(0), 23);
    EXPECT_EQ(window->linkList().view().columnWidth(1), 2000 / 15);
    EXPECT_EQ(window->findChild<QWidget*>("VSplitter")->x(), 3500 / 15);
    // below 5295 by 3540 twips the plain layout gives the list the height less 850 twips
    QWidget& list = window->linkList().view();
    window->resize(5295 / 15 - 20, 3540 / 15 - 20);
    EXPECT_EQ(list.height(), (window->frameGeometry().height() * 15 - 850) / 15);
    window->move(0, 0);
    window->addLink();
    EXPECT_EQ(window->frameGeometry().size(), QSize(6720 / 15, 5610 / 15));
    EXPECT_LT(list.height(), (window->frameGeometry().height() * 15 - 850) / 15);
    const QRect screen = window->screen()->geometry();
    EXPECT_NEAR(window->frameGeometry().center().x(), screen.center().x(), 2);
    EXPECT_NEAR(window->frameGeometry().center().y(), screen.center().y(), 2);
}

TEST_F(MainWindowTest, EscapeClosesTheWindowSavingTheLayoutAndUnloadingTheTextLibraries) {
    ASSERT_TRUE(app::ensureSettingsFile(app.context.applicationFolder));
    openMainWindow();
    ASSERT_TRUE(std::filesystem::exists(app.context.scratchFolder() + "/dv_langfile0409.dll"));
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    // only the five layout lines change; the splitter's loses the blank in front of its '='
    EXPECT_EQ(testing_support::readFile(app.context.settingsFile()),
              "[Setting]\r\nLanguage=0409\r\nCharset=0\r\n\r\n[Size]\r\nHeight=7830\r\nWidth=11535\r\n\r\n"
              "[Grid]\r\nColWidth0=3495\r\nColWidth1=3705\r\n\r\n[VSplitter]\r\nLeft=3825\r\n\r\n"
              "[Skin]\r\nSkinFile=Skins\\default.skf\r\n");
    EXPECT_FALSE(std::filesystem::exists(app.context.scratchFolder() + "/dv_langfile0409.dll"));
    EXPECT_FALSE(std::filesystem::exists(app.context.scratchFolder() + "/dvlic_0409.dll"));
}

TEST_F(MainWindowTest, OnlyAUserWhoIsNotAnAdministratorIsWarned) {
    openMainWindow();
    EXPECT_TRUE(shown().empty());
    app.context.isAdministrator = [] { return false; };
    openMainWindow();
    EXPECT_EQ(shown(), Tree{said("Ann, you are not logged on as an administrator. Some features of Dorvane Lite may "
                                 "not work as expected.",
                                 text(300), MsgIcon::Exclamation)});
}

TEST_F(MainWindowTest, EmptyCommandsDeleteOnlyTheirTopFolderAndRebuildAsEachBrowserDoes) {
    using Browser = ui::frmMain::Browser;
    // browser, its top folder, the answer, whether the folder is there afterwards, whether the tree was rebuilt
    const std::tuple<Browser, const char*, MsgAnswer, bool, bool> cases[] = {
        {Browser::InternetExplorer, "Internet Explorer", MsgAnswer::Yes, true, true},
        {Browser::InternetExplorer, "Internet Explorer", MsgAnswer::No, true, false},
        {Browser::Firefox, "Firefox", MsgAnswer::Yes, true, true},
        {Browser::Firefox, "Firefox", MsgAnswer::No, true, false},
        {Browser::Mozilla, "Mozilla", MsgAnswer::Yes, false, true},
        {Browser::Mozilla, "Mozilla", MsgAnswer::No, true, true},
        {Browser::Netscape, "Netscape", MsgAnswer::Yes, false, true},
        {Browser::Netscape, "Netscape", MsgAnswer::No, true, true},
    };
    for (const auto& [browser, folder, answer, folderRemains, treeRebuilt] : cases) {
        SCOPED_TRACE(folder);
        writeLink(store(folder) + "/Deep", "Old", "http://old.example/");
        writeLink(store("Other"), "Kept", "http://kept.example/");
        openMainWindow();
        // a folder deleted behind the tree's back stays until the tree is rebuilt
        std::filesystem::create_directories(store("Gone"));
        window->folderTree().resetTree();
        std::filesystem::remove_all(store("Gone"));

        app.messages.answerNext(answer);
        window->emptyBrowserFolder(browser);
        EXPECT_EQ(shown(), Tree{said(532, 309, MsgIcon::Question, MsgAnswer::Yes)});
        EXPECT_EQ(std::filesystem::exists(store(folder) + "/Deep/Old.url"), answer == MsgAnswer::No);
        EXPECT_EQ(std::filesystem::exists(store(folder)), folderRemains);
        EXPECT_TRUE(std::filesystem::exists(store("Other/Kept.url")));
        EXPECT_EQ(topFolders().contains("Gone"), !treeRebuilt);
        EXPECT_EQ(topFolders().contains(folder), folderRemains);
        window.reset();
        std::filesystem::remove_all(store(""));
    }
}

// deleting is the link list's; the right-click command refreshes after it even with nothing selected
TEST_F(MainWindowTest, RightClickDeleteRefreshesTheTree) {
    openMainWindow();
    std::filesystem::create_directories(store("New"));
    window->findChild<QAction*>("mnuRightDelete")->trigger();
    EXPECT_EQ(shown().size(), 2u);
    EXPECT_TRUE(topFolders().contains("New"));
}

TEST_F(MainWindowTest, OnlyImportRefreshesTheTreeWhenItsDialogCloses) {
    openMainWindow();
    forms.whileOpen = [this](QDialog&) { std::filesystem::create_directories(store("Firefox2")); };
    window->importLinks();
    EXPECT_TRUE(topFolders().contains("Firefox2"));
    std::filesystem::create_directories(store("Other"));
    window->exportLinks();
    window->addLink();
    EXPECT_FALSE(topFolders().contains("Other"));
}

}  // namespace
