#include "support/registry_access.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::Registry;
using platform::RegistryRoot;

constexpr std::string_view kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

Registry registryWith(const std::string& body) { return Registry::fromText("REGEDIT4\r\n" + body, ""); }

std::string uninstallEntries(const std::vector<std::string>& names) {
    std::string body;
    for (const std::string& name : names) {
        body += "[HKEY_LOCAL_MACHINE\\" + std::string(kUninstall) + "\\" + name + "]\r\n";
    }
    return body;
}

std::string favoritesValue(const std::string& path) {
    return "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]\r\n"
           "\"Favorites\"=\"" +
           path + "\"\r\n";
}

bool scanNetscape(const Registry& registry) {
    bool flag = true;  // the scan clears it first
    support::cRegistry(registry).RegDirNet(RegistryRoot::LocalMachine, "HKEY_LOCAL_MACHINE", kUninstall, "Netscape",
                                           flag);
    return flag;
}

}  // namespace

TEST(RegDirNet, FlagIsSetOnlyByANetscapeBrowserEntryWithoutVersion6Or7) {
    const struct {
        std::vector<std::string> subkeys;
        bool expected;
    } cases[] = {
        {{"Netscape (7.2)", "Netscape Browser"}, true},
        {{"Netscape Browser", "Netscape (7.2)"}, true},
        {{"Netscape 6.2.3 Browser"}, false},
        {{"Netscape Browser 7.1"}, false},
        {{"NETSCAPE BROWSER"}, true},
        {{"netscape browser (8.1)"}, true},
        {{"Netscape (7.2)"}, false},
        {{"Netscape Navigator"}, false},
        {{"Mozilla Browser", "Opera Browser"}, false},
        {{"Adobe Reader", "Netscape Browser", "Zip"}, true},
        {{std::string(260, 'x') + " Netscape Browser"}, false},  // a name that cannot be fetched reads as empty
    };
    for (const auto& test : cases) {
        EXPECT_EQ(scanNetscape(registryWith(uninstallEntries(test.subkeys))), test.expected)
            << ::testing::PrintToString(test.subkeys);
    }
}

TEST(RegDirNet, MissingOrEmptyUninstallKeyLeavesTheFlagClear) {
    EXPECT_FALSE(scanNetscape(registryWith("")));
    EXPECT_FALSE(scanNetscape(registryWith("[HKEY_LOCAL_MACHINE\\" + std::string(kUninstall) + "]\r\n")));
    // Entries under another root do not count.
    EXPECT_FALSE(
        scanNetscape(registryWith("[HKEY_CURRENT_USER\\" + std::string(kUninstall) + "\\Netscape Browser]\r\n")));
}

TEST(GetIEFavoritesPath, ReturnsTheStoredPathExactly) {
    const std::string thirty = "/home/user/Profiles/u1/Favorit";
    ASSERT_EQ(thirty.size(), 30U);
    const std::string longest = "/" + std::string(253, 'f');
    const struct {
        const char* what;
        std::string body;
        std::string expected;
    } cases[] = {
        {"30 characters", favoritesValue(thirty), thirty},
        {"254 characters fill the buffer", favoritesValue(longest), longest},
        {"255 characters do not fit", favoritesValue(longest + "g"), ""},
        {"a text without its terminating NUL",
         "[HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]\r\n"
         "\"Favorites\"=hex(1):2f,61\r\n",
         "/a"},
        {"no value", "[HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]\r\n", ""},
        {"no key", "", ""},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(support::GetIEFavoritesPath(registryWith(test.body)), test.expected) << test.what;
    }
}

TEST(GetKeyValue, TextWithAndWithoutItsNulReadsTheSame) {
    const Registry registry = registryWith(
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\r\n"
        "\"PATH\"=\"C:\\\\Program Files\\\\msinfo32.exe\"\r\n"
        "\"WithNul\"=hex(1):61,62,00\r\n"
        "\"WithoutNul\"=hex(1):61,62\r\n");
    const struct {
        const char* name;
        bool found;
        std::string expected;
    } cases[] = {
        {"PATH", true, "C:\\Program Files\\msinfo32.exe"},
        {"WithNul", true, "ab"},
        {"WithoutNul", true, "ab"},
        {"Missing", false, ""},
    };
    for (const auto& test : cases) {
        std::string value = "stale";
        EXPECT_EQ(support::GetKeyValue(registry, RegistryRoot::LocalMachine,
                                       "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", test.name, value),
                  test.found)
            << test.name;
        EXPECT_EQ(value, test.expected) << test.name;
    }
}

TEST(GetKeyValue, MissingKeyOrOversizedValueReadsAsNothing) {
    std::string bytes;
    for (int i = 0; i < 1025; ++i) {
        bytes += "41,";
    }
    const Registry registry = registryWith("[HKLM\\Software\\Big]\r\n\"Fits\"=hex(1):" + bytes.substr(0, 1024 * 3) +
                                           "\r\n\"TooBig\"=hex(1):" + bytes + "\r\n");
    std::string value = "stale";
    EXPECT_TRUE(support::GetKeyValue(registry, RegistryRoot::LocalMachine, "Software\\Big", "Fits", value));
    EXPECT_EQ(value, std::string(1024, 'A'));
    EXPECT_FALSE(support::GetKeyValue(registry, RegistryRoot::LocalMachine, "Software\\Big", "TooBig", value));
    EXPECT_EQ(value, "");
    value = "stale";
    EXPECT_FALSE(support::GetKeyValue(registry, RegistryRoot::LocalMachine, "Software\\Absent", "Fits", value));
    EXPECT_EQ(value, "");
}
