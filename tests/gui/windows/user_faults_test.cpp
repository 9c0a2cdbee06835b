// Faults a user meets when using the program as a person would.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <functional>
#include <string>

#include "core/app/texts.h"
#include "gui/kit/desktop_services.h"
#include "gui/widgets/link_list.h"
#include "gui/windows/import_dialog.h"
#include "gui/windows/main_window.h"
#include "testing/fake_modal_forms.h"
#include "testing/files.h"
#include "testing/test_app.h"

namespace {

using testing_support::readFile;
using testing_support::writeFile;

class UserFaultsTest : public ::testing::Test {
protected:
    void SetUp() override { app.loadShippedTextLibraries(); }

    testing_support::TestApp app;
    testing_support::FakeModalForms forms;
    ui::GuiContext gui{app.context, forms};
};

TEST_F(UserFaultsTest, AWindowSizeNobodyChangedIsSavedAsItWasRead) {
    // neither size is a whole number of pixels
    writeFile(app.context.settingsFile(), "[Size]\r\nHeight=7837\r\nWidth=11542\r\n");
    {
        ui::frmMain window(gui);
        window.load();
        window.show();
        window.addLink();
        window.close();
    }
    EXPECT_NE(readFile(app.context.settingsFile()).find("Height=7837\r\nWidth=11542\r\n"), std::string::npos)
        << readFile(app.context.settingsFile());
}

TEST_F(UserFaultsTest, EachChoiceOfABrowserNodeLoadsItOnce) {
    // without Firefox profiles every load of FireFox says so
    browsers::frmImport dialog(gui);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTreeWidget& tree = dialog.browserTree();
    QTreeWidgetItem* firefox = tree.topLevelItem(0)->child(0);
    QWidget* area = tree.viewport();
    const QPoint centre = tree.visualItemRect(firefox).center();
    const std::pair<const char*, std::function<void()>> choices[] = {
        {"click", [&] { QTest::mouseClick(area, Qt::LeftButton, {}, centre); }},
        // the mouse as it sends a double click: a click, a press that doubles it, a release
        {"double click",
         [&] {
             QTest::mouseClick(area, Qt::LeftButton, {}, centre);
             QTest::mousePress(area, Qt::LeftButton, {}, centre);
             QTest::mouseDClick(area, Qt::LeftButton, {}, centre);
             QTest::mouseRelease(area, Qt::LeftButton, {}, centre);
         }},
        {"Enter", [&] { QTest::keyClick(&tree, Qt::Key_Return); }},
    };
    for (const auto& [choice, make] : choices) {
        app.messages.shown.clear();
        make();
        EXPECT_EQ(app.messages.shown.size(), 1u) << choice;
    }
}

TEST_F(UserFaultsTest, AMozillaOrNetscapeFileThatCannotBeReadStillNamesTheSource) {
    const std::string favorites = app.root / "home/u1/Favorites";
    testing_support::writeFavoritesRegistry(app.context.registryFile, favorites);
    // a folder where the bookmark file should be: the search finds it, reading it fails
    std::filesystem::create_directories(app.root / "home/u1/Application data/Mozilla/Profiles/x1/bookmarks.html");
    const std::string folders[] = {"Mozilla old", "Netscape old"};
    for (const std::string& folder : folders) {
        std::filesystem::create_directories(favorites + "/" + folder);
    }
    browsers::frmImport dialog(gui);
    const auto click = [&dialog](const std::string& key) {
        emit dialog.browserTree().itemClicked(dialog.browserNode(QString::fromStdString(key)), 0);
    };
    click(favorites);
    for (const std::string& folder : folders) {
        click(favorites + "/" + folder);
        EXPECT_EQ(dialog.linkList().rowCount(), 0) << folder;
        EXPECT_EQ(dialog.findChild<QLabel*>("lblSource")->text().toStdString(),
                  app::languageText(app.context, 323) + folder + app::languageText(app.context, 330));
    }
}

TEST(DesktopAddress, ATargetWithoutASchemeOpensAsTheShellWouldOpenIt) {
    const testing_support::TempFolder folder;
    const std::string document = folder / "notes.pdf";
    writeFile(document, "%PDF");
    const std::pair<std::string, std::string> cases[] = {
        {"www.example.com", "http://www.example.com"},
        {" example.com:8080/a b?q=1 ", "http://example.com:8080/a%20b?q=1"},
        {"http://example.com/a b", "http://example.com/a%20b"},
        {"mailto:someone@example.com", "mailto:someone@example.com"},
        {document, "file://" + document},
        {"/no/such/notes.pdf", "file:///no/such/notes.pdf"},
        {"not a link", ""},
        {"  ", ""},
    };
    for (const auto& [target, address] : cases) {
        const QUrl url = ui::desktopUrlOf(QString::fromStdString(target));
        EXPECT_EQ(url.toString(QUrl::FullyEncoded).toStdString(), address) << target;
    }
}

}  // namespace
