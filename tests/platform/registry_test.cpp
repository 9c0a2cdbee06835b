#include "platform/registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/files.h"

namespace {

using platform::Registry;
using platform::RegistryRoot;

constexpr std::string_view kV4 = "REGEDIT4\r\n";
constexpr std::string_view kV5 = "Windows Registry Editor Version 5.00\r\n";
constexpr std::string_view kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The text as a registry editor saves it in Unicode: FF FE, then UTF-16LE.
std::string utf16File(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

// The value's bytes, or "<absent>" when the key or value is missing.
std::string valueOf(const Registry& registry, RegistryRoot root, std::string_view key, std::string_view name) {
    const auto opened = registry.openKey(root, key);
    if (!opened) {
        return "<absent>";
    }
    const auto value = opened->queryValue(name);
    return value ? value->data : "<absent>";
}

std::vector<std::string> subkeysOf(const Registry& registry, RegistryRoot root, std::string_view key) {
    const auto opened = registry.openKey(root, key);
    return opened ? opened->subkeyNames() : std::vector<std::string>{"<absent>"};
}

}  // namespace

TEST(Registry, ReadsBothHeadersInBothEncodings) {
    const std::string body = "[HKEY_CURRENT_USER\\Software\\Velqor]\r\n\"Owner\"=\"M\u00fcller\"\r\n";
    const std::u16string body16 = u"[HKEY_CURRENT_USER\\Software\\Velqor]\r\n\"Owner\"=\"M\u00fcller\"\r\n";
    const struct {
        const char* what;
        std::string file;
    } cases[] = {
        {"REGEDIT4, 8-bit", std::string(kV4) + body},
        {"version 5, 8-bit", std::string(kV5) + body},
        {"version 5, UTF-16", utf16File(u"Windows Registry Editor Version 5.00\r\n" + body16)},
        {"REGEDIT4, UTF-16", utf16File(u"REGEDIT4\r\n" + body16)},
        {"leading blanks before the header", "  REGEDIT4\n" + body},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBF" + std::string(kV5) + body},
    };
    for (const auto& test : cases) {
        const Registry registry = Registry::fromText(test.file, "");
        EXPECT_EQ(valueOf(registry, RegistryRoot::CurrentUser, "Software\\Velqor", "Owner"),
                  std::string("M\u00fcller") + '\0')
            << test.what;
    }
}

TEST(Registry, StringEscapesAndValueForms) {
    const Registry registry = Registry::fromText(std::string(kV5) +
                                                     "[HKEY_LOCAL_MACHINE\\Software\\Test]\r\n"
                                                     "\"Path\"=\"C:\\\\Temp\\\\a.txt\"\r\n"
                                                     "\"Quote\"=\"say \\\"hi\\\"\"\r\n"
                                                     "\"Other\"=\"a\\tb\"\r\n"
                                                     "  \"Spaced\"  =  \"x\"   ; a comment\r\n"
                                                     "\"Semi\"=\"a;b\"\r\n"
                                                     "\"With \\\"quote\\\" name\"=\"q\"\r\n"
                                                     "@=\"default\"\r\n"
                                                     "\"Count\"=dword:0000001a\r\n"
                                                     "\"Short\"=dword:1\r\n"
                                                     "\"Bin\"=hex:01,ff,7F\r\n"
                                                     "\"Empty\"=hex:\r\n"
                                                     "\"Long\"=hex:01,02,\\\r\n"
                                                     "  03,04 ; end\r\n"
                                                     "\"Expand\"=hex(2):25,00,41,00,25,00,00,00\r\n"
                                                     "\"NoNul\"=hex(1):41,00,42,00\r\n"
                                                     "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n",
                                                 "");
    const struct {
        const char* name;
        std::string data;
        std::uint32_t type;
    } cases[] = {
        {"Path", std::string("C:\\Temp\\a.txt\0", 14), platform::kRegSz},
        {"Quote", std::string("say \"hi\"\0", 9), platform::kRegSz},
        {"Other", std::string("a\\tb\0", 5), platform::kRegSz},
        {"spaced", std::string("x\0", 2), platform::kRegSz},
        {"Semi", std::string("a;b\0", 4), platform::kRegSz},
        {"With \"quote\" name", std::string("q\0", 2), platform::kRegSz},
        {"", std::string("default\0", 8), platform::kRegSz},
        {"Count", std::string("\x1a\0\0\0", 4), platform::kRegDword},
        {"Short", std::string("\x01\0\0\0", 4), platform::kRegDword},
        {"Bin", "\x01\xff\x7f", platform::kRegBinary},
        {"Empty", "", platform::kRegBinary},
        {"Long", "\x01\x02\x03\x04", platform::kRegBinary},
        {"Expand", std::string("%A%\0", 4), platform::kRegExpandSz},
        {"NoNul", "AB", platform::kRegSz},
        {"Multi", std::string("a\0b\0\0", 5), platform::kRegMultiSz},
    };
    const auto key = registry.openKey(RegistryRoot::LocalMachine, "Software\\Test");
    ASSERT_TRUE(key);
    for (const auto& test : cases) {
        const auto value = key->queryValue(test.name);
        ASSERT_TRUE(value) << test.name;
        EXPECT_EQ(value->data, test.data) << test.name;
        EXPECT_EQ(value->type, test.type) << test.name;
    }
}

TEST(Registry, EightBitFileKeepsTextBytesOfHexValues) {
    const Registry registry =
        Registry::fromText(std::string(kV4) + "[HKLM\\A]\n\"Expand\"=hex(2):25,50,41,54,48,25\n", "");
    EXPECT_EQ(valueOf(registry, RegistryRoot::LocalMachine, "A", "Expand"), std::string("%PATH%\0", 7));
}

TEST(Registry, UnreadableLinesArePassedOverAndTheRestIsRead) {
    const Registry registry = Registry::fromText(std::string(kV5) +
                                                     "\"Orphan\"=\"before any key\"\n"
                                                     "[HKEY_CURRENT_USER\\K]\n"
                                                     "\"Good1\"=\"1\"\n"
                                                     "\"Trailing\"=\"x\" junk\n"
                                                     "\"NoClose\"=\"x\n"
                                                     "\"TooLong\"=dword:123456789\n"
                                                     "\"NotHex\"=dword:xyz\n"
                                                     "\"Prefixed\"=hex(0x2):41,00\n"
                                                     "\"BadByte\"=hex:1,2g,3\n"
                                                     "\"NoEquals\" \"x\"\n"
                                                     "garbage line\n"
                                                     "; \"Commented\"=\"x\"\n"
                                                     "# \"Hashed\"=\"x\"\n"
                                                     "[NOT_A_ROOT\\K]\n"
                                                     "\"Lost\"=\"x\"\n"
                                                     "[ HKEY_CURRENT_USER\\K]\n"
                                                     "\"AlsoLost\"=\"x\"\n"
                                                     "[HKEY_CURRENT_USER\\K]\n"
                                                     "\"Good2\"=\"2\"\n",
                                                 "");
    const auto key = registry.openKey(RegistryRoot::CurrentUser, "K");
    ASSERT_TRUE(key);
    for (const char* name : {"Good1", "Good2"}) {
        EXPECT_TRUE(key->queryValue(name)) << name;
    }
    for (const char* name : {"Orphan", "Trailing", "NoClose", "TooLong", "NotHex", "Prefixed", "BadByte", "NoEquals",
                             "Commented", "Hashed", "Lost", "AlsoLost"}) {
        EXPECT_FALSE(key->queryValue(name)) << name;
    }
}

TEST(Registry, KeysAndValueNamesIgnoreCaseAndSubkeysKeepTheirFirstOrder) {
    const Registry registry = Registry::fromText(std::string(kV4) +
                                                     "[HKEY_LOCAL_MACHINE\\Software\\Uninstall\\Zeta]\n"
                                                     "[hkey_local_machine\\SOFTWARE\\uninstall\\Alpha]\n"
                                                     "\"DisplayName\"=\"first\"\n"
                                                     "[HKLM\\Software\\Uninstall\\Mid]\n"
                                                     "[HKEY_LOCAL_MACHINE\\Software\\Uninstall\\ALPHA]\n"
                                                     "\"displayname\"=\"second\"\n",
                                                 "");
    EXPECT_EQ(subkeysOf(registry, RegistryRoot::LocalMachine, "software\\UNINSTALL"),
              (std::vector<std::string>{"Zeta", "Alpha", "Mid"}));
    EXPECT_EQ(valueOf(registry, RegistryRoot::LocalMachine, "Software\\Uninstall\\alpha", "DISPLAYNAME"),
              std::string("second\0", 7));
    const auto uninstall = registry.openKey(RegistryRoot::LocalMachine, "Software\\Uninstall");
    ASSERT_TRUE(uninstall);
    EXPECT_EQ(uninstall->subkeyCount(), 3U);
    EXPECT_TRUE(uninstall->openSubkey("zeta"));
    EXPECT_FALSE(uninstall->openSubkey("Omega"));
    EXPECT_FALSE(registry.openKey(RegistryRoot::CurrentUser, "Software\\Uninstall"));
}

TEST(Registry, DeletionsRemoveKeysWithAllBelowThemAndSingleValues) {
    const Registry registry = Registry::fromText(std::string(kV5) +
                                                     "[HKEY_CURRENT_USER\\A\\B\\C]\n"
                                                     "[HKEY_CURRENT_USER\\A\\Keep]\n"
                                                     "\"Gone\"=\"x\"\n"
                                                     "\"Stays\"=\"y\"\n"
                                                     "\"Gone\"=-\n"
                                                     "[-HKEY_CURRENT_USER\\A\\B]\n"
                                                     "\"AfterDeletion\"=\"lost\"\n"
                                                     "[-HKEY_CURRENT_USER\\A\\Missing]\n"
                                                     "[-HKEY_CURRENT_USER]\n",
                                                 "");
    EXPECT_FALSE(registry.openKey(RegistryRoot::CurrentUser, "A\\B"));
    EXPECT_FALSE(registry.openKey(RegistryRoot::CurrentUser, "A\\B\\C"));
    EXPECT_EQ(subkeysOf(registry, RegistryRoot::CurrentUser, "A"), (std::vector<std::string>{"Keep"}));
    EXPECT_EQ(valueOf(registry, RegistryRoot::CurrentUser, "A\\Keep", "Gone"), "<absent>");
    EXPECT_EQ(valueOf(registry, RegistryRoot::CurrentUser, "A\\Keep", "Stays"), std::string("y\0", 2));
}

TEST(Registry, KeysDeeperThan512LevelsAreRefused) {
    std::string deepest = "K";
    for (int level = 1; level < 512; ++level) {
        deepest += "\\K";
    }
    const std::string tooDeep = deepest + "\\K";
    const Registry registry = Registry::fromText(
        std::string(kV4) + "[HKCU\\" + deepest + "]\n\"A\"=\"1\"\n[HKCU\\" + tooDeep + "]\n\"B\"=\"2\"\n", "");
    EXPECT_EQ(valueOf(registry, RegistryRoot::CurrentUser, deepest, "A"), std::string("1\0", 2));
    EXPECT_FALSE(registry.openKey(RegistryRoot::CurrentUser, tooDeep));
}

TEST(Registry, EveryLineEndingSeparatesLines) {
    for (const char* end : {"\r\n", "\n", "\r"}) {
        const std::string file =
            std::string("REGEDIT4") + end + "[HKCU\\K]" + end + "\"A\"=\"1\"" + end + end + "\"B\"=\"2\"";
        const Registry registry = Registry::fromText(file, "");
        EXPECT_EQ(valueOf(registry, RegistryRoot::CurrentUser, "K", "A"), std::string("1\0", 2));
        EXPECT_EQ(valueOf(registry, RegistryRoot::CurrentUser, "K", "B"), std::string("2\0", 2));
    }
}

TEST(Registry, FavoritesFolderDefaultsToTheHomeFolderUnlessTheFileSaysOtherwise) {
    const std::string favorites = "/home/u1/Favorites";
    const struct {
        const char* what;
        std::string file;
        std::string home;
        std::string expected;
    } cases[] = {
        {"no file", "", "/home/u1", favorites + '\0'},
        {"file without the key", std::string(kV4) + "[HKCU\\Software\\Other]\n", "/home/u1", favorites + '\0'},
        {"file with the key but no value",
         std::string(kV4) + "[HKCU\\" + std::string(kShellFolders) + "]\n\"Desktop\"=\"/d\"\n", "/home/u1",
         favorites + '\0'},
        {"file with its own value",
         std::string(kV4) + "[HKCU\\" + std::string(kShellFolders) + "]\n\"Favorites\"=\"/mnt/fav\"\n", "/home/u1",
         std::string("/mnt/fav\0", 9)},
        {"file deleting the value", std::string(kV4) + "[HKCU\\" + std::string(kShellFolders) + "]\n\"Favorites\"=-\n",
         "/home/u1", "<absent>"},
        {"file deleting the key", std::string(kV4) + "[-HKCU\\" + std::string(kShellFolders) + "]\n", "/home/u1",
         "<absent>"},
        {"no home folder", "", "", "<absent>"},
    };
    for (const auto& test : cases) {
        const Registry registry = Registry::fromText(test.file, test.home);
        EXPECT_EQ(valueOf(registry, RegistryRoot::CurrentUser, kShellFolders, "Favorites"), test.expected) << test.what;
    }
}

TEST(Registry, MalformedFileGivesAnEmptyRegistryWithTheDefault) {
    const std::string body = "[HKEY_LOCAL_MACHINE\\Software\\X]\n\"A\"=\"1\"\n";
    const struct {
        const char* what;
        std::string file;
    } cases[] = {
        {"empty", ""},
        {"no header", body},
        {"unknown header", "REGEDIT5\n" + body},
        {"old format header", "REGEDIT\n" + body},
        {"binary noise", std::string("\x00\xff\x01[\\\"=\x1a", 8) + body},
        {"half a UTF-16 unit",
         "\xFF\xFE"
         "R"},
        {"UTF-16 of an 8-bit body", "\xFF\xFE" + std::string(kV4) + body},
    };
    for (const auto& test : cases) {
        const Registry registry = Registry::fromText(test.file, "/home/u1");
        EXPECT_FALSE(registry.openKey(RegistryRoot::LocalMachine, "Software\\X")) << test.what;
        EXPECT_EQ(subkeysOf(registry, RegistryRoot::LocalMachine, ""), std::vector<std::string>{}) << test.what;
        EXPECT_EQ(valueOf(registry, RegistryRoot::CurrentUser, kShellFolders, "Favorites"),
                  std::string("/home/u1/Favorites\0", 19))
            << test.what;
    }
}

TEST(Registry, LoadsFromAFileAndKeepsDefaultsWhenTheFileIsMissing) {
    const testing_support::TempFolder folder;
    testing_support::writeFile(folder / "registry.reg", std::string(kV4) + "[HKLM\\Software\\X]\n\"A\"=\"1\"\n");

    const Registry loaded = Registry::load(folder / "registry.reg", "/home/u1");
    EXPECT_EQ(valueOf(loaded, RegistryRoot::LocalMachine, "Software\\X", "A"), std::string("1\0", 2));

    const Registry missing = Registry::load(folder / "absent.reg", "/home/u1");
    EXPECT_FALSE(missing.openKey(RegistryRoot::LocalMachine, "Software\\X"));
    EXPECT_NE(valueOf(missing, RegistryRoot::CurrentUser, kShellFolders, "Favorites"), "<absent>");
}
