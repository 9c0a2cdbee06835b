#include "core/support/registry_access.h"

#include <gtest/gtest.h>

using platform::Registry;
using platform::RegistryRoot;

TEST(RegDirNet, FlagIsSetOnlyByANetscapeBrowserEntryWithoutVersion6Or7) {
    const std::string uninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    const auto entry = [&](const std::string& name) { return "[HKLM\\" + uninstall + "\\" + name + "]\r\n"; };
    const std::pair<std::string, bool> cases[] = {
        {entry("Netscape (7.2)") + entry("Netscape Browser"), true},
        {entry("Netscape Browser") + entry("Netscape (7.2)"), true},
        {entry("Netscape 6.2.3 Browser"), false},
        {entry("Netscape Browser 7.1"), false},
        {entry("netscape browser (8.1)"), true},
        {entry("Netscape Navigator") + entry("Mozilla Browser"), false},
        {entry(std::string(260, 'x') + " Netscape Browser"), false},  // a name that cannot be fetched reads as empty
    };
    for (const auto& [body, expected] : cases) {
        bool flag = true;  // the scan clears it first
        support::cRegistry(Registry::fromText("REGEDIT4\r\n" + body, ""))
            .RegDirNet(RegistryRoot::LocalMachine, "", uninstall, "Netscape", flag);
        EXPECT_EQ(flag, expected) << body;
    }
}

// Without a stored value the Favorites path is empty, and its users take their default.
TEST(GetIEFavoritesPath, ReturnsTheStoredPathWhenItFits) {
    const std::string value =
        "[HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]\r\n"
        "\"Favorites\"=";
    const std::string longest = "/" + std::string(253, 'f');  // with its NUL it fills the buffer
    const std::pair<std::string, std::string> cases[] = {
        {value + "\"/home/user/Favorites\"", "/home/user/Favorites"},
        {value + "\"" + longest + "\"", longest},
        {value + "\"" + longest + "g\"", ""},
        {value + "hex(1):2f,61", "/a"},  // a text without its terminating NUL
        {"", ""},
    };
    for (const auto& [body, expected] : cases) {
        EXPECT_EQ(support::GetIEFavoritesPath(Registry::fromText("REGEDIT4\r\n" + body + "\r\n", "")), expected)
            << body;
    }
}
