#include "core/platform/registry.h"

#include <gtest/gtest.h>

using namespace std::string_literals;
using platform::Registry;
using platform::RegistryRoot;

// The bytes of a value, or "<absent>" when the key or the value is missing.
static std::string valueOf(const Registry& registry, std::string_view key, std::string_view name,
                           RegistryRoot root = RegistryRoot::CurrentUser) {
    const auto opened = registry.openKey(root, key);
    const auto value = opened ? opened->queryValue(name) : std::nullopt;
    return value ? value->data : "<absent>";
}

// The program reads texts and key names only, so the rules for numbers and binary data
// matter only in that such lines leave the rest of the file readable.
TEST(Registry, ReadsTextValuesAsTheRegistryEditorWritesThem) {
    const std::string v4 = "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\K]\r\n", absent = "<absent>";
    const std::string v5 = "Windows Registry Editor Version 5.00\r\n[HKLM\\K]\r\n";
    const auto utf16 = [](std::u16string_view text) {
        return "\xFF\xFE"s + std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    };
    const std::pair<std::string, std::string> cases[] = {
        // the file, and value V of HKEY_LOCAL_MACHINE\K
        {v4 + R"("V"="C:\\Temp\\say \"hi\"")", "C:\\Temp\\say \"hi\"\0"s},
        {v4 + R"(  "v"  =  "a\tb;c"   ; a comment)", "a\\tb;c\0"s},
        {v4 + "\"V\"=dword:1\r\n\"V\"=hex:01,ff,7F\r\n\"V\"=\"after a number\"", "after a number\0"s},
        // an expandable text gains a NUL and is UTF-16 in a version 5 file; a long one goes on in the next line
        {v5 + "\"V\"=hex(2):25,00,41,00,\\\r\n  25,00,00,00 ; end", "%A%\0"s},
        {v5 + "\"V\"=hex(1):41,00,42,00", "AB"},
        {v4 + "\"V\"=hex(2):25,50,41,54,48,25", "%PATH%\0"s},
        // either header, in 8-bit text or UTF-16, with any line ends
        {"  REGEDIT4\n[hklm\\k]\n\n\"V\"=\"M\u00fcller\"", "M\u00fcller\0"s},
        {"REGEDIT4\r[HKLM\\K]\r\r\"V\"=\"1\"", "1\0"s},
        {"\xEF\xBB\xBF" + v5 + "\"V\"=\"1\"", "1\0"s},
        {utf16(u"Windows Registry Editor Version 5.00\r\n[HKLM\\K]\r\n\"V\"=\"M\u00fcller\""), "M\u00fcller\0"s},
        {utf16(u"REGEDIT4\r\n[HKLM\\K]\r\n\"V\"=\"1\""), "1\0"s},
        // unreadable lines are passed over, and a file without a known header is not read at all
        {v4 + R"("V"="x" junk)", absent},
        {v4 + R"("V"="x)", absent},
        {v4 + "\"V\"=hex(0x2):41,00", absent},
        {v4 + "\"V\"=hex(2):41,2g,00", absent},
        {v4 + R"("V" "x")", absent},
        {v4 + R"(; "V"="x")", absent},
        {v4 + "[NOT_A_ROOT\\K]\r\n\"V\"=\"x\"", absent},
        {v4 + "[ HKLM\\K]\r\n\"V\"=\"x\"", absent},
        {"\xFF\xFE" + v4 + "\"V\"=\"1\"", absent},
        {"REGEDIT4\r\n\"V\"=\"before any key\"\r\n[HKLM\\K]\r\n", absent},
        {"[HKLM\\K]\r\n\"V\"=\"1\"", absent},
        {"REGEDIT5\r\n[HKLM\\K]\r\n\"V\"=\"1\"", absent},
        {"REGEDIT\r\n[HKLM\\K]\r\n\"V\"=\"1\"", absent},
    };
    for (const auto& [file, expected] : cases) {
        EXPECT_EQ(valueOf(Registry::fromText(file, ""), "K", "V", RegistryRoot::LocalMachine), expected) << file;
    }
}

TEST(Registry, KeysIgnoreCaseKeepTheirFirstOrderAndAreDeletedWithAllBelowThem) {
    const Registry registry = Registry::fromText(
        "REGEDIT4\n[HKCU\\U\\Zeta]\n[hkey_current_user\\u\\Alpha]\n\"Name\"=\"first\"\n[HKCU\\U\\Mid]\n"
        "[HKCU\\U\\ALPHA]\n\"NAME\"=\"second\"\n@=\"default\"\n\"With \\\"quote\\\" name\"=\"q\"\n"
        "[HKCU\\U\\Mid\\Below]\n[HKCU\\U\\Zeta]\n\"Gone\"=\"x\"\n\"Stays\"=\"y\"\n\"Gone\"=-\n[-HKCU\\U\\Mid]\n"
        "[-HKCU\\U\\Missing]\n[-HKCU]\n",
        "");
    const auto keys = registry.openKey(RegistryRoot::CurrentUser, "u");
    ASSERT_TRUE(keys);
    EXPECT_EQ(keys->subkeyNames(), (std::vector<std::string>{"Zeta", "Alpha"}));
    EXPECT_FALSE(keys->openSubkey("Mid\\Below") || registry.openKey(RegistryRoot::LocalMachine, "U"));
    const std::tuple<const char*, const char*, std::string> values[] = {
        {"U\\alpha", "name", "second\0"s}, {"U\\Alpha", "", "default\0"s}, {"U\\Alpha", "With \"quote\" name", "q\0"s},
        {"U\\Zeta", "Gone", "<absent>"},   {"U\\Zeta", "Stays", "y\0"s},
    };
    for (const auto& [key, name, expected] : values) {
        EXPECT_EQ(valueOf(registry, key, name), expected) << name;
    }
}

TEST(Registry, FavoritesFolderDefaultsToTheHomeFolderUnlessTheFileSaysOtherwise) {
    const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    const std::string shellFolders = "[HKCU\\" + key + "]\n", u1 = "/home/u1", home = "/home/u1/Favorites\0"s;
    const std::string file4 = "REGEDIT4\n" + shellFolders, absent = "<absent>";
    const std::tuple<std::string, std::string, std::string> cases[] = {
        // the file (empty when there is none), the home folder, and the Favorites value read; without a home folder
        // there is no default
        {"", u1, home},
        {"", "", absent},
        {"REGEDIT4\n[HKCU\\Software\\Other]\n", u1, home},
        {file4 + "\"Desktop\"=\"/d\"\n", u1, home},
        {"REGEDIT5\n" + shellFolders + "\"Favorites\"=\"/m\"\n", u1, home},
        {file4 + "\"Favorites\"=\"/mnt/fav\"\n", u1, "/mnt/fav\0"s},
        {file4 + "\"Favorites\"=-\n", u1, absent},
        {"REGEDIT4\n[-" + shellFolders.substr(1), u1, absent},
    };
    for (const auto& [file, homeFolder, expected] : cases) {
        EXPECT_EQ(valueOf(Registry::fromText(file, homeFolder), key, "Favorites"), expected) << file;
    }
}
