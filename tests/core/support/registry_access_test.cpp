#include "core/support/registry_access.h"

#include <gtest/gtest.h>

namespace {

using platform::Registry;
using platform::RegistryRoot;

Registry registryWith(const std::string& body) { return Registry::fromText("REGEDIT4\r\n" + body, ""); }

TEST(RegDirNet, FlagIsSetOnlyByANetscapeBrowserEntryWithoutVersion6Or7) {
    constexpr std::string_view kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    const std::pair<std::vector<std::string>, bool> cases[] = {
        {{"Netscape (7.2)", "Netscape Browser"}, true},
        {{"Netscape Browser", "Netscape (7.2)"}, true},
        {{"Netscape 6.2.3 Browser"}, false},
        {{"Netscape Browser 7.1"}, false},
        {{"netscape browser (8.1)"}, true},
        {{"Netscape Navigator"}, false},
        {{"Mozilla Browser", "Opera Browser"}, false},
        {{std::string(260, 'x') + " Netscape Browser"}, false},  // a name that cannot be fetched reads as empty
        {{}, false},
    };
    for (const auto& [subkeys, expected] : cases) {
        std::string body;
        for (const std::string& name : subkeys) {
            body += "[HKEY_LOCAL_MACHINE\\" + std::string(kUninstall) + "\\" + name + "]\r\n";
        }
        bool flag = true;  // the scan clears it first
        support::cRegistry(registryWith(body)).RegDirNet(RegistryRoot::LocalMachine, "", kUninstall, "Netscape", flag);
        EXPECT_EQ(flag, expected) << ::testing::PrintToString(subkeys);
    }
}

TEST(GetIEFavoritesPath, ReturnsTheStoredPathWhenItFits) {
    const std::string key = "[HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]\r\n";
    const std::string longest = "/" + std::string(253, 'f');  // with its NUL it fills the buffer
    const std::pair<std::string, std::string> cases[] = {
        {key + "\"Favorites\"=\"/home/user/Favorites\"\r\n", "/home/user/Favorites"},
        {key + "\"Favorites\"=\"" + longest + "\"\r\n", longest},
        {key + "\"Favorites\"=\"" + longest + "g\"\r\n", ""},
        {key + "\"Favorites\"=hex(1):2f,61\r\n", "/a"},  // a text without its terminating NUL
        {key, ""},
        {"", ""},
    };
    for (const auto& [body, expected] : cases) {
        EXPECT_EQ(support::GetIEFavoritesPath(registryWith(body)), expected) << body;
    }
}

TEST(GetKeyValue, ReadsTextWithOrWithoutItsNulAndNothingMissingOrTooBig) {
    std::string bytes;
    for (int i = 0; i < 1025; ++i) {
        bytes += "41,";
    }
    const Registry registry = registryWith(
        "[HKEY_LOCAL_MACHINE\\Tools]\r\n\"WithNul\"=hex(1):61,62,00\r\n"
        "\"WithoutNul\"=hex(1):61,62\r\n\"Fits\"=hex(1):" +
        bytes.substr(3) + "\r\n\"TooBig\"=hex(1):" + bytes + "\r\n");
    const std::tuple<const char*, const char*, bool, std::string> cases[] = {
        {"Tools", "WithNul", true, "ab"},
        {"Tools", "WithoutNul", true, "ab"},
        {"Tools", "Fits", true, std::string(1024, 'A')},
        {"Tools", "TooBig", false, ""},
        {"Absent", "WithNul", false, ""},
    };
    for (const auto& [key, name, found, expected] : cases) {
        std::string value = "stale";
        EXPECT_EQ(support::GetKeyValue(registry, RegistryRoot::LocalMachine, key, name, value), found) << name;
        EXPECT_EQ(value, expected) << key << "\\" << name;
    }
}

}  // namespace
