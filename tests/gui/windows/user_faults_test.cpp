// Faults a user meets when using the program as a person would.
#include <gtest/gtest.h>

#include <memory>
#include <string>

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

}  // namespace
