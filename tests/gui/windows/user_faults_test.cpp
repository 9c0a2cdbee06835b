// Faults a user meets when using the program as a person would.
#include <QLabel>
#include <QTest>

#include "gui/kit/desktop_services.h"
#include "gui/windows/import_dialog.h"
#include "gui/windows/main_window.h"
#include "gui/windows/store_window_fixture.h"

namespace {

using UserFaultsTest = testing_support::StoreWindowTest;

// A size nobody changed is saved as it was read (neither side here is a whole number of
// pixels), one the user gave the window as given, with the frame (two pixels a side
// offscreen); one that does not fit the screen (800 x 800 pixels offscreen) is brought inside
// it and saved so.
TEST_F(UserFaultsTest, TheWindowSizeIsSavedAsReadAsTheUserMadeItOrAsFittedToTheScreen) {
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

TEST_F(UserFaultsTest, EachChoiceOfABrowserNodeLoadsItOnce) {
    // without Firefox profiles every load of FireFox says so
    ui::ImportDialog dialog(gui);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTreeWidget& tree = dialog.browserTree();
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

TEST_F(UserFaultsTest, AMozillaOrNetscapeFileThatCannotBeReadStillNamesTheSource) {
    const std::string favorites = app.root / "home/u1/Favorites";
    testing_support::writeFavoritesRegistry(app.context.registryFile, favorites);
    // a folder where the bookmark file should be: the search finds it, reading it fails
    std::filesystem::create_directories(app.root / "home/u1/Application data/Mozilla/Profiles/x1/bookmarks.html");
    std::filesystem::create_directories(favorites + "/Mozilla old");
    std::filesystem::create_directories(favorites + "/Netscape old");
    ui::ImportDialog dialog(gui);
    const auto clickNode = [&dialog](const std::string& key) {
        QTreeWidgetItem* node = dialog.browserNode(key);
        ASSERT_NE(node, nullptr) << key;
        emit dialog.browserTree().itemClicked(node, 0);
    };
    clickNode(favorites);
    for (const std::string folder : {"Mozilla old", "Netscape old"}) {
        clickNode(favorites + "/" + folder);
        // the list is filled from the staging folder the failed load left empty
        EXPECT_EQ(dialog.linkList().rowCount(), 0) << folder;
        EXPECT_EQ(dialog.findChild<QLabel*>("lblSource")->text().toStdString(), text(323) + folder + text(330));
    }
}

TEST(DesktopAddress, ATargetWithoutASchemeOpensAsTheShellWouldOpenIt) {
    const std::string document = DORVANE_PORTABLE_DIR "/langfile0409.dll";
    const std::pair<std::string, std::string> cases[] = {
        {"www.example.com", "http://www.example.com"},
        {" example.com:8080/a b?q=1 ", "http://example.com:8080/a%20b?q=1"},
        {"localhost:8080", "http://localhost:8080"},
        {"192.168.1.1:8080/admin", "http://192.168.1.1:8080/admin"},
        {"www.exämple.com", "http://www.xn--exmple-cua.com"},
        {"C:\\Windows\\notepad.exe", ""},
        {"mailto:someone@example.com", "mailto:someone@example.com"},
        {document, "file://" + document},
        {"/no/such/notes.pdf", "file:///no/such/notes.pdf"},
        {"not a link", ""},
    };
    for (const auto& [target, address] : cases) {
        EXPECT_EQ(ui::desktopUrlOf(QString::fromStdString(target)).toString(QUrl::FullyEncoded).toStdString(), address)
            << target;
    }
}

}  // namespace
