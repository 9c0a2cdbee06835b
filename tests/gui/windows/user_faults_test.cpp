// Faults a user meets when using the program as a person would.
#include <gtest/gtest.h>

#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <string>

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
    void SetUp() override {
        app.context.modalForms = &forms;
        app.loadShippedTextLibraries();
    }

    testing_support::TestApp app;
    testing_support::FakeModalForms forms;
};

TEST_F(UserFaultsTest, AWindowSizeNobodyChangedIsSavedAsItWasRead) {
    // neither size is a whole number of pixels
    writeFile(app.context.settingsFile(), "[Size]\r\nHeight=7837\r\nWidth=11542\r\n");
    {
        ui::frmMain window(app.context);
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
    browsers::frmImport dialog(app.context);
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

}  // namespace
