#include <gtest/gtest.h>

#include <cstdio>

#include "gui/windows/export_dialog.h"
#include "gui/windows/store_window_fixture.h"

namespace {

namespace fs = std::filesystem;
using Entries = std::vector<std::string>;

// Export to FireFox through the dialog, into the profile a Linux desktop's Firefox starts.
class FirefoxExport : public testing_support::StoreWindowTest {
protected:
    // Exports the checked links of the store's Firefox folder; the messages shown.
    Entries exportChecked(const std::vector<std::pair<std::string, std::string>>& links) {
        fs::remove_all(store("Firefox"));
        for (const auto& [name, url] : links) {
            testing_support::writeLink(store("Firefox"), name, url);
        }
        ui::ExportDialog dialog(app.context);
        click(dialog.storeTree().view(), "Firefox");
        for (int row = 0; row < dialog.linkList().rowCount(); ++row) {
            dialog.linkList().setChecked(row, dialog.linkList().nameOf(row) != "Unchecked.url");
        }
        click(dialog.browserTree(), "FireFox");
        dialog.findChild<QPushButton*>("btnExport")->click();
        return shown();
    }
    [[nodiscard]] Entries closeFirefox() const { return {said(570, 300, ui::MsgIcon::Exclamation)}; }
    [[nodiscard]] Entries exported() const { return {said(539, 313, ui::MsgIcon::Information)}; }
};

// Output of a command, and whether it ended well.
std::pair<std::string, bool> run(const std::string& command) {
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    for (char buffer[4096]; pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr;) {
        output += buffer;
    }
    return {output, pipe != nullptr && ::pclose(pipe) == 0};
}

// Firefox itself makes the profile, lists the exported links in its Bookmarks Menu, finds each
// by its address and finds nothing to repair; an export tried while it runs changes nothing.
TEST_F(FirefoxExport, FirefoxFindsTheExportedLinks) {
    if (!run("command -v firefox-esr").second) {
        GTEST_SKIP() << "firefox-esr is not installed: the export is not checked with Firefox itself";
    }
    const std::string check = "python3 " DORVANE_SOURCE_DIR "/tests/firefox/firefox_check.py ";
    const auto [made, madeWell] = run(check + "make '" + app.context.homeFolder + "'");
    ASSERT_TRUE(madeWell) << made;
    const std::string profile = made.substr(0, made.find('\n'));
    // in the order the list shows them, which is the order they are exported in
    const std::vector<std::pair<std::string, std::string>> links = {
        {"Café & Co", "https://de.wikipedia.org/wiki/Caf%C3%A9?a=1&b=2#x"},
        {"Long", "https://long.example/" + std::string(1600, 'l')},
        {"Mail", "mailto:ann@example.com"},
        {"Port", "http://user@host.example:8080/"},
        {"Upper", "HTTP://Upper.Example:80"},
    };
    auto withUnchecked = links;
    withUnchecked.emplace_back("Unchecked", "https://unchecked.example/");
    EXPECT_EQ(exportChecked(withUnchecked), exported());
    std::string menu;
    for (const auto& [name, url] : links) {
        // an address is kept in the form Firefox gives it, in which Firefox finds its page
        menu += name + "\t" + (name == "Upper" ? "http://upper.example/" : url) + "\n";
    }
    EXPECT_EQ(run(check + "check '" + profile + "'"), std::pair(menu, true));

    const std::string stop = app.root / "stop";
    FILE* firefox = ::popen((check + "hold '" + profile + "' '" + stop + "'").c_str(), "r");
    char running[16] = {};
    ASSERT_NE(std::fgets(running, sizeof running, firefox), nullptr);
    EXPECT_EQ(exportChecked({{"While running", "https://running.example/"}}), closeFirefox());
    testing_support::writeFile(stop, "");
    EXPECT_EQ(::pclose(firefox), 0);
    EXPECT_EQ(run(check + "check '" + profile + "'"), std::pair(menu, true));
}

}  // namespace
