#include "platform/paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "testing/read_only.h"
#include "testing/files.h"

using testing_support::TempFolder;
using testing_support::TmpfsMount;
using testing_support::writeFile;

TEST(Paths, NestedComponentsResolveWhateverTheirCase) {
    TempFolder root;
    writeFile(root / "favorites/Firefox/News/Daily.url", "x");
    writeFile(root / "favorites/Internet Explorer/a.url", "x");
    const struct {
        const char* written;
        const char* stored;
    } cases[] = {
        {"Favorites/FIREFOX/news/DAILY.URL", "favorites/Firefox/News/Daily.url"},
        {"FAVORITES/internet explorer", "favorites/Internet Explorer"},
        {"Favorites/Firefox/", "favorites/Firefox/"},
        // below a missing component everything is kept as written
        {"FAVORITES/Mozilla/Sub/X.url", "favorites/Mozilla/Sub/X.url"},
        {"Favorites/firefox/news/missing.url", "favorites/Firefox/News/missing.url"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::resolvePath(root / c.written), root / c.stored) << c.written;
    }
}

TEST(Paths, ExactNameWinsOverOtherCasesAndOtherwiseTheFirstInNameOrder) {
    TempFolder root;
    for (const char* name : {"data", "Data", "DATA"}) {
        writeFile(root / (std::string(name) + "/x"), "");
    }
    EXPECT_EQ(platform::resolvePath(root / "data"), root / "data");
    EXPECT_EQ(platform::resolvePath(root / "Data"), root / "Data");
    EXPECT_EQ(platform::resolvePath(root / "dATA"), root / "DATA");
}

TEST(Paths, ExecutableFolderHoldsTheRunningProgram) {
    EXPECT_EQ(platform::executableName(), "platform_tests");
    EXPECT_TRUE(std::filesystem::is_regular_file(platform::joinPath(platform::executableFolder(), "platform_tests")));
}

TEST(Paths, ProductFamilyAndRegistryFollowTheXdgFoldersElseHome) {
    const struct {
        std::optional<std::string> xdgHome;  // XDG_CACHE_HOME and XDG_CONFIG_HOME
        const char* family;
        const char* registry;
    } cases[] = {
        {"/x", "/x/Velqor", "/x/Velqor/registry.reg"},
        {std::nullopt, "/home/u/.cache/Velqor", "/home/u/.config/Velqor/registry.reg"},
        {"", "/home/u/.cache/Velqor", "/home/u/.config/Velqor/registry.reg"},
        // a relative XDG folder is not to be used
        {"rel", "/home/u/.cache/Velqor", "/home/u/.config/Velqor/registry.reg"},
    };
    const auto setVariable = [](const char* name, const std::optional<std::string>& value) {
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    };
    const auto saved = [](const char* name) {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    };
    const auto home = saved("HOME");
    const auto cacheHome = saved("XDG_CACHE_HOME");
    const auto configHome = saved("XDG_CONFIG_HOME");
    for (const auto& c : cases) {
        setVariable("HOME", "/home/u");
        setVariable("XDG_CACHE_HOME", c.xdgHome);
        setVariable("XDG_CONFIG_HOME", c.xdgHome);
        EXPECT_EQ(platform::defaultProductFamilyFolder(), c.family) << c.xdgHome.value_or("(unset)");
        EXPECT_EQ(platform::defaultRegistryFile(), c.registry) << c.xdgHome.value_or("(unset)");
    }
    setVariable("HOME", home);
    setVariable("XDG_CACHE_HOME", cacheHome);
    setVariable("XDG_CONFIG_HOME", configHome);
}

TEST(Paths, DriveRootIsTheMountPointHoldingThePath) {
    TmpfsMount drive({{"Program/Bin/OwnerInfo.ini", "[OwnerInfo]\r\n"}, {"stick/app/", ""}},
                     TmpfsMount::Access::Writable);
    if (!drive.mounted()) {
        GTEST_SKIP() << drive.skipReason();
    }
    EXPECT_EQ(platform::driveRootOf(drive / "stick/app"), drive.path());
    EXPECT_EQ(platform::driveRootOf(drive / "STICK/App/favorites/not yet made"), drive.path());
    EXPECT_EQ(platform::driveRootOf(drive.path()), drive.path());
    EXPECT_EQ(platform::driveRootOf("/"), "/");
}
