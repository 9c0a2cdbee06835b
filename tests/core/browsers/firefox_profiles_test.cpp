#include "core/browsers/firefox_profiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testing/files.h"

namespace {

using testing_support::writeFile;

// The profile Firefox starts: a fresh Firefox marks an empty profile "Default=1" and names
// the one it uses in the install section of both files.
TEST(FirefoxProfiles, TheProfileTheUserStartsIsTheOneTheInstallSectionNames) {
    const std::string fresh =
        "[Profile1]\nName=default\nIsRelative=1\nPath=e1.default\nDefault=1\n\n"
        "[Profile0]\nName=default-esr\nIsRelative=1\nPath=u2.default-esr\n\n";
    const std::string install = "[Install3B6073811A6ABF12]\nDefault=u2.default-esr\nLocked=1\n";
    const std::string installsIni = "[3B6073811A6ABF12]\nDefault=u2.default-esr\nLocked=1\n";
    const std::tuple<const char*, std::string, std::string, std::optional<std::string>> cases[] = {
        {"a fresh install", fresh + install, installsIni, "u2.default-esr"},
        {"an older Firefox: the install section in profiles.ini only", fresh + install, "", "u2.default-esr"},
        {"no install section", fresh, "", "e1.default"},
        {"the only profile", "[Profile0]\r\nPath=only\r\n", "", "only"},
        {"a profile by its own path", "[Profile0]\nIsRelative=0\nPath=/media/p9\nDefault=1\n", "", "/media/p9"},
        {"two profiles, none chosen", "[Profile0]\nPath=a\n[Profile1]\nPath=b\n", "", std::nullopt},
        {"no profiles.ini", "", "", std::nullopt},
    };
    for (const auto& [what, profiles, installs, expected] : cases) {
        SCOPED_TRACE(what);
        const testing_support::TempFolder root;
        if (!profiles.empty()) {
            writeFile(root / "profiles.ini", profiles);
        }
        if (!installs.empty()) {
            writeFile(root / "installs.ini", installs);
        }
        const std::optional<std::string> found = browsers::defaultProfileFolder(root.path());
        EXPECT_EQ(found,
                  expected ? std::optional(expected->starts_with('/') ? *expected : root / *expected) : std::nullopt);
    }
}

}  // namespace
