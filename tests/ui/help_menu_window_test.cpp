#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <filesystem>
#include <httplib.h>
#include <thread>

#include "app/texts.h"
#include "support/about_dialog.h"
#include "testing/fake_modal_forms.h"
#include "testing/test_app.h"
#include "ui/main_window.h"

namespace {

using testing_support::writeFile;

class HelpMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.context.modalForms = &forms;
        app.loadShippedTextLibraries();
        window = std::make_unique<ui::frmMain>(app.context);
        window->load();
    }

    testing_support::TestApp app;
    testing_support::FakeModalForms forms;
    std::unique_ptr<ui::frmMain> window;
};

TEST_F(HelpMenuTest, DocumentsOpenFromTheApplicationFolderByLanguage) {
    writeFile(app.appPath("what_0409.pdf"), "%PDF-1.4");
    writeFile(app.appPath("feature_0409.pdf"), "%PDF-1.4");
    window->openWhatDocument();
    window->openComparisonDocument();
    EXPECT_EQ(app.shell.opened, (std::vector<std::string>{app.appPath("what_0409.pdf"), app.appPath("feature_0409.pdf")}));
    EXPECT_EQ(app.shell.slept, (std::vector<int>{1000, 1000}));
    EXPECT_TRUE(app.messages.shown.empty());
}

TEST_F(HelpMenuTest, AMissingDocumentIsReportedAndNothingOpens) {
    window->openWhatDocument();
    EXPECT_TRUE(app.shell.opened.empty());
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text, app::supplementaryText(app.context, 527));
    EXPECT_EQ(app.messages.shown[0].title, app::languageText(app.context, 300));
    EXPECT_EQ(app.messages.shown[0].icon, app::MsgIcon::Exclamation);
}

TEST_F(HelpMenuTest, OnlineSupportOpensTheSupportPageAndReportsAShellFailure) {
    window->openOnlineSupport();
    ASSERT_EQ(app.shell.opened.size(), 1u);
    EXPECT_TRUE(app.shell.opened[0].ends_with("/support/"));
    EXPECT_TRUE(app.messages.shown.empty());

    app.shell.result = 2;
    window->openOnlineSupport();
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_TRUE(app.messages.shown[0].text.starts_with("Error: "));
    EXPECT_EQ(app.messages.shown[0].title, app::languageText(app.context, 301));
    EXPECT_EQ(app.messages.shown[0].icon, app::MsgIcon::Critical);
}

// The update check always asks port 80; these tests answer there when the machine lets them.
class UpdateCheckTest : public HelpMenuTest {
protected:
    void serve(int status, const std::string& body) {
        server.Post("/support/checkupdates.php", [status, body](const httplib::Request&, httplib::Response& response) {
            response.status = status;
            response.set_content(body, "text/html");
        });
        if (!server.bind_to_port("127.0.0.1", 80)) {
            GTEST_SKIP() << "port 80 on 127.0.0.1 is not free here";
        }
        listener = std::thread([this] { server.listen_after_bind(); });
    }

    void TearDown() override {
        server.stop();
        if (listener.joinable()) {
            listener.join();
        }
    }

    httplib::Server server;
    std::thread listener;
};

TEST_F(UpdateCheckTest, StatusOneSaysTheProgramIsUpToDate) {
    serve(200, "<html><status>1</status></html>");
    window->runUpdateCheck("http://127.0.0.1/support/checkupdates.php");
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text, app::withProductName(app::supplementaryText(app.context, 513)));
    EXPECT_NE(app.messages.shown[0].text.find("Dorvane Lite"), std::string::npos);
    EXPECT_EQ(app.messages.shown[0].title, "Velqor");
}

TEST_F(UpdateCheckTest, AnyOtherStatusOpensTheUpdateNotice) {
    serve(200, "<status>2</status>");
    window->runUpdateCheck("http://127.0.0.1/support/checkupdates.php");
    EXPECT_TRUE(app.messages.shown.empty());
    auto* notice = window->findChild<QWidget*>("frmUpdateNotice");
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->findChild<QLabel*>("lbDesc")->text().toStdString(),
              app::withProductName(app::supplementaryText(app.context, 514)));
    EXPECT_TRUE(notice->findChild<QLabel*>("lburl")->text().contains("/support/software.html"));
}

TEST_F(UpdateCheckTest, AFailedAnswerGivesTheFailureMessageWithItsCode) {
    serve(404, "not here");
    window->runUpdateCheck("http://127.0.0.1/support/checkupdates.php");
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text, "Failure connecting to internet or webserver. HTTP response code: 404");
    EXPECT_EQ(app.messages.shown[0].title, "Error");
    EXPECT_EQ(app.messages.shown[0].icon, app::MsgIcon::Critical);
}

class AboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override { app.loadShippedTextLibraries(); }

    void writeRegistry(const std::string& lines) {
        writeFile(app.context.registryFile, "Windows Registry Editor Version 5.00\r\n\r\n" + lines);
    }

    testing_support::TestApp app;
};

TEST_F(AboutBoxTest, ShowsTheProductItsVersionAndTheNotice) {
    support::frmAbout about(app.context, nullptr);
    EXPECT_EQ(about.windowTitle().toStdString(), app::withProductName(app::supplementaryText(app.context, 303)));
    EXPECT_EQ(about.findChild<QLabel*>("lblTitle")->text(), "Dorvane Lite");
    EXPECT_EQ(about.findChild<QLabel*>("lblVersion")->text(), "Version 1.0.0");
    EXPECT_EQ(about.findChild<QLabel*>("lblDisclaimer")->text().toStdString(),
              app::supplementaryText(app.context, 500));
    EXPECT_EQ(about.findChild<QPushButton*>("cmdSysInfo")->text().toStdString(),
              app::supplementaryText(app.context, 112));
    EXPECT_EQ(about.findChild<QPushButton*>("cmdOk")->font().pointSize(), 8);
}

TEST_F(AboutBoxTest, SystemInformationStartsWhatTheRegistryNames) {
    writeRegistry(
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\r\n\"PATH\"=\"/opt/msinfo/msinfo32\"\r\n");
    support::frmAbout(app.context, nullptr).StartSysInfo();
    EXPECT_EQ(app.shell.started, std::vector<std::string>{"/opt/msinfo/msinfo32"});
    EXPECT_TRUE(app.messages.shown.empty());
}

TEST_F(AboutBoxTest, SystemInformationFallsBackToTheToolsLocationWhenTheProgramIsThere) {
    const std::string tools = app.root / "tools";
    writeFile(tools + "/MSINFO32.EXE", "program");
    writeRegistry("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location]\r\n\"MSINFO\"=\"" + tools +
                  "\"\r\n");
    support::frmAbout(app.context, nullptr).StartSysInfo();
    EXPECT_EQ(app.shell.started, std::vector<std::string>{tools + "/MSINFO32.EXE"});
}

TEST_F(AboutBoxTest, WithoutTheProgramSystemInformationIsUnavailable) {
    writeRegistry("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location]\r\n\"MSINFO\"=\"" +
                  app.root / "empty" + "\"\r\n");
    support::frmAbout(app.context, nullptr).StartSysInfo();
    EXPECT_TRUE(app.shell.started.empty());
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text, "System Information Is Unavailable At This Time");
    EXPECT_EQ(app.messages.shown[0].icon, app::MsgIcon::None);
}

}  // namespace
