#include <QAction>
#include <QTest>
#include <QToolBar>
#include <tuple>

#include "core/app/settings.h"
#include "gui/windows/main_window.h"
#include "gui/windows/store_window_fixture.h"

namespace {

using ui::MsgAnswer;

class MainWindowTest : public testing_support::StoreWindowTest {
protected:
    void openMainWindow() {
        window = std::make_unique<ui::MainWindow>(gui);
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

    std::unique_ptr<ui::MainWindow> window;
};

TEST_F(MainWindowTest, LoadShowsTheStoreRootWithItsLinksAndWarnsOnlyAUserWhoIsNotAnAdministrator) {
    testing_support::writeLink(store(""), "Home", "http://home.example/");
    openMainWindow();
    QTreeWidgetItem* root = window->folderTree().root();
    EXPECT_EQ(root->text(0), "Browser");
    EXPECT_TRUE(root->isExpanded() && window->folderTree().selectedItem() == root);
    EXPECT_EQ(topFolders(), (QStringList{"Chrome", "Firefox", "Internet Explorer"}));
    ASSERT_EQ(window->linkList().rowCount(), 1);
    EXPECT_EQ(window->linkList().nameOf(0), "Home");
    EXPECT_TRUE(shown().empty());
    app.context.isAdministrator = [] { return false; };
    openMainWindow();
    const std::string warning =
        "Ann, you are not logged on as an administrator. Some features of Dorvane Lite may not work as expected.";
    EXPECT_EQ(shown(), std::vector{said(warning, text(300), ui::MsgIcon::Exclamation)});
}

// at 96 dpi a pixel is 15 twips
TEST_F(MainWindowTest, SettingsWithoutLayoutKeysGiveTheSmallerLayoutWhichTheWindowTakesBackAfterADialog) {
    testing_support::writeFile(app.context.settingsFile(), "[Setting]\r\nLanguage=0409\r\nCharset=0\r\n");
    openMainWindow();
    EXPECT_EQ(window->frameGeometry().size(), QSize(6720 / 15, 5610 / 15));
    auto& list = window->linkList().view();
    EXPECT_EQ(QPoint(list.columnWidth(0), list.columnWidth(1)), QPoint(23, 2000 / 15));
    EXPECT_EQ(window->findChild<QWidget*>("VSplitter")->x(), 3500 / 15);
    // below 5295 by 3540 twips the plain layout gives the list the height less 850 twips
    window->resize(5295 / 15 - 20, 3540 / 15 - 20);
    EXPECT_EQ(list.height(), (window->frameGeometry().height() * 15 - 850) / 15);
    window->move(0, 0);
    window->addLink();
    EXPECT_EQ(window->frameGeometry().size(), QSize(6720 / 15, 5610 / 15));
    EXPECT_LT(list.height(), (window->frameGeometry().height() * 15 - 850) / 15);
    EXPECT_LE((window->frameGeometry().center() - window->screen()->geometry().center()).manhattanLength(), 4);
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

// A stick pulled out takes the store with it: Refresh says so and leaves the tree as it was.
TEST_F(MainWindowTest, RefreshWithoutTheStoreSaysTheStickIsGoneAndKeepsTheTree) {
    openMainWindow();
    std::filesystem::remove_all(store(""));
    window->refresh();
    EXPECT_EQ(shown(), std::vector<std::string>{said(561, 300, ui::MsgIcon::Exclamation)});
    EXPECT_EQ(topFolders(), (QStringList{"Chrome", "Firefox", "Internet Explorer"}));
}

TEST_F(MainWindowTest, EmptyCommandsDeleteOnlyTheirTopFolderAndRebuildAsEachBrowserDoes) {
    // browser, its top folder, the answer, whether the folder is there afterwards, whether the tree was rebuilt
    const std::tuple<store::Browser, const char*, MsgAnswer, bool, bool> cases[] = {
        {store::Browser::InternetExplorer, "Internet Explorer", MsgAnswer::Yes, true, true},
        {store::Browser::InternetExplorer, "Internet Explorer", MsgAnswer::No, true, false},
        {store::Browser::Firefox, "Firefox", MsgAnswer::Yes, true, true},
        {store::Browser::Firefox, "Firefox", MsgAnswer::No, true, false},
        {store::Browser::Mozilla, "Mozilla", MsgAnswer::Yes, false, true},
        {store::Browser::Mozilla, "Mozilla", MsgAnswer::No, true, true},
        {store::Browser::Netscape, "Netscape", MsgAnswer::Yes, false, true},
        {store::Browser::Netscape, "Netscape", MsgAnswer::No, true, true},
    };
    testing_support::writeLink(store("Other"), "Kept", "http://kept.example/");
    for (const auto& [browser, folder, answer, folderRemains, treeRebuilt] : cases) {
        SCOPED_TRACE(folder);
        testing_support::writeLink(store(folder) + "/Deep", "Old", "http://old.example/");
        // a folder deleted behind the tree's back stays until the tree is rebuilt
        std::filesystem::create_directories(store("Gone"));
        openMainWindow();
        std::filesystem::remove_all(store("Gone"));

        app.messages.answerNext(answer);
        window->emptyBrowserFolder(browser);
        EXPECT_EQ(shown(), std::vector<std::string>{said(532, 309, ui::MsgIcon::Question, MsgAnswer::No)});
        EXPECT_EQ(std::filesystem::exists(store(folder) + "/Deep/Old.url"), answer == MsgAnswer::No);
        EXPECT_EQ(std::filesystem::exists(store(folder)), folderRemains);
        EXPECT_TRUE(std::filesystem::exists(store("Other/Kept.url")));
        EXPECT_EQ(topFolders().contains("Gone"), !treeRebuilt);
        EXPECT_EQ(topFolders().contains(folder), folderRemains);
        std::filesystem::remove_all(store(folder));
    }
}

TEST_F(MainWindowTest, ToolbarButtonsOpenTheirDialogsOnlyForTheExactKeysAndOnlyImportAndRightClickDeleteRefresh) {
    openMainWindow();
    for (QAction* button : window->toolbar().actions()) {
        EXPECT_TRUE(button->isSeparator() || !button->icon().isNull()) << button->text().toStdString();
        button->trigger();
    }
    for (const char* key : {"Add", "EXPORT", ""}) {
        window->runToolbarButton(key);
    }
    EXPECT_EQ(forms.opened, (QStringList{"frmAdd", "frmEdit", "frmDelete", "frmImport", "frmExport"}));
    std::filesystem::create_directories(store("Other"));
    window->exportLinks();
    window->addLink();
    EXPECT_FALSE(topFolders().contains("Other"));
    // deleting is the link list's; the right-click command refreshes after it even with nothing selected
    window->findChild<QAction*>("mnuRightDelete")->trigger();
    EXPECT_EQ(shown().size(), 2u);
    EXPECT_TRUE(topFolders().contains("Other"));
    forms.whileOpen = [this](QDialog&) { std::filesystem::create_directories(store("Firefox2")); };
    window->importLinks();
    EXPECT_TRUE(topFolders().contains("Firefox2"));
}

// A size nobody changed is saved as it was read (neither side here is a whole number of
// pixels), one the user gave the window as given, with the frame (two pixels a side
// offscreen); one that does not fit the screen (800 x 800 pixels offscreen) is brought inside
// it and saved so.
TEST_F(MainWindowTest, TheWindowSizeIsSavedAsReadAsTheUserMadeItOrAsFittedToTheScreen) {
    // the size stored, the size the user gives the window (none when empty), the size saved
    const std::tuple<const char*, QSize, const char*> cases[] = {
        {"Height=7837\r\nWidth=11542", {}, "Height=7837\r\nWidth=11542"},
        {"Height=7837\r\nWidth=11542", {500, 400}, "Height=6060\r\nWidth=7560"},
        {"Height=999999\r\nWidth=999999", {}, "Height=12000\r\nWidth=12000"},
        {"Height=-100\r\nWidth=0", {}, "Height=3540\r\nWidth=5295"},
    };
    for (const auto& [stored, given, saved] : cases) {
        testing_support::writeFile(app.context.settingsFile(), std::string("[Size]\r\n") + stored + "\r\n");
        {
            ui::MainWindow window(gui);
            window.load();
            window.show();
            window.addLink();
            if (!given.isEmpty()) {
                window.resize(given);
            }
            window.close();
        }
        const std::string written = testing_support::readFile(app.context.settingsFile());
        EXPECT_NE(written.find(std::string(saved) + "\r\n"), std::string::npos) << stored << " gave " << written;
    }
}

}  // namespace
