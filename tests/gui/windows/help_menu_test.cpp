#include <gtest/gtest.h>

#include <QLabel>

#include "gui/windows/about_dialog.h"
#include "gui/windows/help_commands.h"
#include "gui/windows/main_window.h"
#include "testing/fake_modal_forms.h"
#include "testing/local_server.h"
#include "testing/test_app.h"

namespace {

using testing_support::writeFile;

class HelpMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.loadShippedTextLibraries();
        window.load();
    }

    // The messages shown since the last call, each as "title: text" and its icon.
    std::string takeMessages() {
        static constexpr const char* kIcons[] = {"", " (stop)", " (?)", " (!)", " (i)"};
        std::string shown;
        for (const app::Message& message : app.messages.shown) {
            shown += message.title + ": " + message.text + kIcons[static_cast<int>(message.icon)] + "\n";
        }
        app.messages.shown.clear();
        return shown;
    }

    testing_support::TestApp app;
    testing_support::FakeModalForms forms;
    ui::GuiContext gui{app.context, forms};
    ui::frmMain window{gui};
};

TEST_F(HelpMenuTest, DocumentsAndSupportPageOpenThroughTheShellWhichMayFail) {
    window.help().openWhatDocument();
    EXPECT_EQ(takeMessages(),
              "Warning: The document could not be found. Please make sure that it lies in the "
              "program's folder. (!)\n");
    writeFile(app.appPath("what_0409.pdf"), "%PDF-1.4");
    writeFile(app.appPath("feature_0409.pdf"), "%PDF-1.4");
    app.shell.result = 33;  // 32 and below are the shell's failures
    window.help().openWhatDocument();
    app.shell.result = 32;
    window.help().openComparisonDocument();
    window.help().openOnlineSupport();
    EXPECT_EQ(app.shell.opened, (std::vector<std::string>{app.appPath("what_0409.pdf"), app.appPath("feature_0409.pdf"),
                                                          "http://www.velqor.example/support/"}));
    EXPECT_EQ(app.shell.slept, (std::vector<int>{1000, 1000, 1000}));
    EXPECT_EQ(takeMessages(), "Error: Error: the document " + app.appPath("feature_0409.pdf") +
                                  " could not be opened. (stop)\nError: Error: no program could open "
                                  "http://www.velqor.example/support/. (stop)\n");
}

// The check counts an answer whose code begins with "2" and whose body holds more than
// spaces; then status "1", the text between the first "<status>" and the first "</status>",
// means up to date and any other status opens the update notice.
TEST_F(HelpMenuTest, UpdateCheckPostsTheVersionAndTellsTheServersAnswer) {
    testing_support::LocalServer server;
    httplib::Request arrived;
    httplib::Response answer;
    server.Post("/support/checkupdates.php", [&](const httplib::Request& request, httplib::Response& reply) {
        arrived = request;
        reply.status = answer.status;
        reply.set_content(answer.body, "text/html");
    });
    app.context.updateServer = {"http://127.0.0.1", server.port};
    const std::string upToDate = "Velqor: You are using the latest version of Dorvane Lite. (i)\n";
    const std::string failure = "Error: Failure connecting to internet or webserver. HTTP response code: ";
    const std::tuple<int, const char*, std::string> cases[] = {
        {200, "<html><status>1</status></html>", upToDate},
        {206, "  <status>1</status>\r\n", upToDate},
        {200, "\r\n", ""},
        {200, "<status> 1</status>", ""},
        {200, "<status></status>", ""},
        {200, "<STATUS>1</STATUS>", ""},
        {200, "<status>2</status><status>1</status>", ""},
        {200, "<status>x<status>1</status>", ""},
        {200, "</status><status>1</status>", ""},
        {200, "<status>1", ""},
        {200, "1</status>", ""},
        {404, "<status>1</status>", failure + "404 (stop)\n"},
        {301, "<status>1</status>", failure + "301 (stop)\n"},
        {200, "", failure + "200 (stop)\n"},
        {200, "     ", failure + "200 (stop)\n"},
    };
    for (const auto& [status, body, messages] : cases) {
        answer.status = status;
        answer.body = body;
        const qsizetype notices = window.findChildren<QWidget*>("frmUpdateNotice").size();
        window.help().checkForUpdates();
        EXPECT_EQ(takeMessages(), messages) << status << " " << body;
        EXPECT_EQ(window.findChildren<QWidget*>("frmUpdateNotice").size() - notices, messages.empty() ? 1 : 0) << body;
    }
    EXPECT_EQ(arrived.method + " " + arrived.path + " " + arrived.version, "POST /support/checkupdates.php HTTP/1.0");
    EXPECT_EQ(arrived.get_header_value("User-Agent"), "Velqor_App");
    EXPECT_EQ(arrived.get_header_value("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(arrived.get_header_value("Cache-Control") + arrived.get_header_value("Pragma"), "no-cacheno-cache");
    EXPECT_FALSE(arrived.has_header("Authorization"));
    EXPECT_EQ(arrived.body, "appid=LE&version=1.0.0");
    const auto* notice = window.findChild<QWidget*>("frmUpdateNotice");
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->findChild<QLabel*>("lbDesc")->text(),
              "A newer version of Dorvane Lite is available. You can download it from:");
    EXPECT_TRUE(
        notice->findChild<QLabel*>("lburl")->text().contains("http://www.velqor.example/support/software.html"));

    app.context.updateServer.site = "http://127.0.0.2";  // nothing answers there
    window.help().checkForUpdates();
    EXPECT_EQ(takeMessages(), failure + " (stop)\n");
}

TEST_F(HelpMenuTest, AboutBoxShowsTheProductItsVersionAndTheNotice) {
    const support::frmAbout about(app.context, nullptr);
    const auto caption = [&](const char* name) { return about.findChild<QWidget*>(name)->property("text").toString(); };
    EXPECT_EQ(QStringList({about.windowTitle(), caption("lblTitle"), caption("lblVersion"), caption("cmdOk"),
                           caption("cmdSysInfo")}),
              QStringList({"About Dorvane Lite", "Dorvane Lite", "Version 1.0.0", "OK", "&System Info..."}));
    EXPECT_TRUE(caption("lblDisclaimer").startsWith("Warning: this program is protected by copyright law"));
    EXPECT_EQ(about.findChild<QWidget*>("cmdOk")->font().pointSize(), 8);
}

TEST_F(HelpMenuTest, SystemInformationStartsWhatTheRegistryNamesOrIsUnavailable) {
    const std::string tools = app.root / "tools";
    const std::string location =
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location]\r\n\"MSINFO\"=\"" + tools + "\"\r\n";
    const auto startWithRegistry = [&](const std::string& lines) {
        writeFile(app.context.registryFile, "REGEDIT4\r\n" + location + lines);
        support::frmAbout(app.context, nullptr).StartSysInfo();
    };
    startWithRegistry("");
    EXPECT_EQ(takeMessages(), "Dorvane Lite: System Information Is Unavailable At This Time\n");
    writeFile(tools + "/MSINFO32.EXE", "program");
    startWithRegistry("");
    // the program the registry names comes before the one in the tools location
    startWithRegistry(
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\r\n\"PATH\"=\"/opt/msinfo32\"\r\n");
    EXPECT_EQ(app.shell.started, (std::vector<std::string>{tools + "/MSINFO32.EXE", "/opt/msinfo32"}));
    EXPECT_EQ(takeMessages(), "");
}

}  // namespace
