#include <QLabel>

#include "gui/windows/about_dialog.h"
#include "gui/windows/help_commands.h"
#include "gui/windows/main_window.h"
#include "gui/windows/store_window_fixture.h"
#include "testing/local_server.h"

struct HelpMenuTest : testing_support::StoreWindowTest {
    // What the user was shown since the last call: each message as "title: text" and its
    // icon, each update notice as "title: description link".
    std::string takeShown() {
        static constexpr const char* kIcons[] = {"", " (stop)", " (?)", " (!)", " (i)"};
        std::string shown;
        for (const ui::Message& message : std::exchange(app.messages.shown, {})) {
            shown += message.title + ": " + message.text + kIcons[static_cast<int>(message.icon)] + "\n";
        }
        for (QWidget* notice : window.findChildren<QWidget*>("frmUpdateNotice")) {
            const auto label = [&](const char* name) { return notice->findChild<QLabel*>(name)->text().toStdString(); };
            shown += notice->windowTitle().toStdString() + ": " + label("lbDesc") + " " + label("lburl") + "\n";
            delete notice;
        }
        return shown;
    }

    ui::MainWindow window{gui};
};

TEST_F(HelpMenuTest, DocumentsOfTheLanguageAndTheSupportPageOpenThroughTheShellWhichMayFail) {
    window.help().openWhatDocument();
    app.context.language = "0804";
    const std::string feature = app.appPath("feature_0804.pdf");
    const std::string support = "http://www.velqor.example/support/";
    testing_support::writeFile(app.appPath("what_0804.pdf"), "%PDF-1.4");
    testing_support::writeFile(feature, "%PDF-1.4");
    app.shell.result = 33;  // 32 and below are the shell's failures
    window.help().openWhatDocument();
    app.shell.result = 32;
    window.help().openComparisonDocument();
    window.help().openOnlineSupport();
    EXPECT_EQ(app.shell.opened, (std::vector<std::string>{app.appPath("what_0804.pdf"), feature, support}));
    EXPECT_EQ(takeShown(), std::string("Warning: The document could not be found. Please make sure that it lies in the "
                                       "program's folder. (!)\nError: Error: the document ") +
                               feature + " could not be opened. (stop)\nError: Error: no program could open " +
                               support + ". (stop)\n");
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
        reply = answer;
    });
    app.context.updateServer = {"http://127.0.0.1", server.port};
    const std::string upToDate = "Velqor: You are using the latest version of Dorvane Lite. (i)\n";
    const std::string notice =
        "Velqor: A newer version of Dorvane Lite is available. You can download it from: <a "
        "href=\"http://www.velqor.example/support/software.html\">"
        "http://www.velqor.example/support/software.html</a>\n";
    const std::string failure = "Error: Failure connecting to internet or webserver. HTTP response code: ";
    const std::tuple<int, const char*, std::string> cases[] = {
        {206, "  <html><status>1</status></html>\r\n", upToDate},
        {200, "\r\n", notice},
        {200, "<status> 1</status>", notice},
        {200, "<status>2</status><status>1</status>", notice},
        {200, "</status><status>1</status>", notice},
        {200, "<status>1", notice},
        {404, "<status>1</status>", failure + "404 (stop)\n"},
        {200, "     ", failure + "200 (stop)\n"},
    };
    for (const auto& [status, body, shown] : cases) {
        answer.status = status;
        answer.body = body;
        window.help().checkForUpdates();
        EXPECT_EQ(takeShown(), shown) << status << " " << body;
    }
    const auto header = [&](const char* name) { return "|" + arrived.get_header_value(name); };
    EXPECT_EQ(arrived.method + " " + arrived.path + " " + arrived.version + header("User-Agent") +
                  header("Content-Type") + header("Cache-Control") + header("Pragma") + "|" + arrived.body,
              "POST /support/checkupdates.php HTTP/1.0|Velqor_App|application/x-www-form-urlencoded|no-cache|no-cache|"
              "appid=LE&version=1.0.0");
}

// System information starts from the program the registry names, a text read with or without
// its NUL and of at most 1,024 bytes, or else from the tools location.
TEST_F(HelpMenuTest, AboutBoxShowsTheProductAndStartsSystemInformationWhereTheRegistrySays) {
    ui::AboutDialog about(app.context, nullptr);
    EXPECT_EQ(about.windowTitle(), "About Dorvane Lite");
    const std::string tools = app.root / "tools";
    const auto startWithPath = [&](const std::string& path) {
        testing_support::writeFile(app.context.registryFile,
                                   "REGEDIT4\r\n[HKLM\\SOFTWARE\\Microsoft\\Shared Tools Location]\r\n\"MSINFO\"=\"" +
                                       tools + "\"\r\n[HKLM\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\r\n" + path);
        about.StartSysInfo();
    };
    startWithPath("");
    EXPECT_EQ(takeShown(), "Dorvane Lite: System Information Is Unavailable At This Time\n");
    testing_support::writeFile(tools + "/MSINFO32.EXE", "program");
    const std::string longest = "/" + std::string(1022, 'A');
    // the last: no value at all
    for (const std::string& value :
         std::vector<std::string>{"\"PATH\"=hex(1):2f,61,00", "\"PATH\"=hex(1):2f,61", "\"PATH\"=\"" + longest + "\"",
                                  "\"PATH\"=\"" + longest + "A\"", ""}) {
        startWithPath(value);
    }
    EXPECT_EQ(app.shell.started,
              (std::vector<std::string>{"/a", "/a", longest, tools + "/MSINFO32.EXE", tools + "/MSINFO32.EXE"}));
    EXPECT_EQ(takeShown(), "");
}
