#include "platform/paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "testing/files.h"
#include "testing/read_only.h"

using testing_support::TempFolder;
using testing_support::writeFile;

TEST(Paths, EachComponentResolvesToItsExactNameElseTheFirstOfAnyCaseInNameOrder) {
    TempFolder root;
    writeFile(root / "favorites/Firefox/News/Daily.url", "x");
    for (const char* name : {"data", "Data", "DATA"}) {
        writeFile(root / (std::string(name) + "/x"), "");
    }
    const struct {
        const char* written;
        const char* stored;
    } cases[] = {
        {"Favorites/FIREFOX/news/DAILY.URL", "favorites/Firefox/News/Daily.url"},
        {"Favorites/Firefox/", "favorites/Firefox/"},
        // below a missing component everything is kept as written
        {"FAVORITES/Mozilla/news", "favorites/Mozilla/news"},
        {"Favorites/firefox/news/missing.url", "favorites/Firefox/News/missing.url"},
        {"Data/X", "Data/x"},
        {"dATA", "DATA"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::resolvePath(root / c.written), root / c.stored) << c.written;
    }
}

TEST(Paths, ExecutableFolderHoldsTheRunningProgram) {
    EXPECT_EQ(platform::executableName(), "platform_tests");
    EXPECT_TRUE(std::filesystem::is_regular_file(platform::executableFolder() + "/platform_tests"));
}

TEST(Paths, ProductFamilyAndRegistryFollowTheXdgFoldersElseHome) {
    const struct {
        const char* xdgHome;  // XDG_CACHE_HOME and XDG_CONFIG_HOME
        const char* family;
        const char* registry;
    } cases[] = {
        {"/x", "/x/Velqor", "/x/Velqor/registry.reg"},
        {nullptr, "/home/u/.cache/Velqor", "/home/u/.config/Velqor/registry.reg"},
        {"", "/home/u/.cache/Velqor", "/home/u/.config/Velqor/registry.reg"},
        // a relative XDG folder is not to be used
        {"rel", "/home/u/.cache/Velqor", "/home/u/.config/Velqor/registry.reg"},
    };
    const char* names[] = {"HOME", "XDG_CACHE_HOME", "XDG_CONFIG_HOME"};
    std::optional<std::string> saved[3];
    const auto set = [&](int i, const char* value) { value ? ::setenv(names[i], value, 1) : ::unsetenv(names[i]); };
    for (int i = 0; i < 3; ++i) {
        saved[i] = std::getenv(names[i]) ? std::optional<std::string>(std::getenv(names[i])) : std::nullopt;
    }
    for (const auto& c : cases) {
        set(0, "/home/u");
        set(1, c.xdgHome);
        set(2, c.xdgHome);
        EXPECT_EQ(platform::defaultProductFamilyFolder(), c.family) << (c.xdgHome ? c.xdgHome : "(unset)");
        EXPECT_EQ(platform::defaultRegistryFile(), c.registry) << (c.xdgHome ? c.xdgHome : "(unset)");
    }
    for (int i = 0; i < 3; ++i) {
        set(i, saved[i] ? saved[i]->c_str() : nullptr);
    }
}

TEST(Paths, DriveRootIsTheMountPointHoldingThePath) {
    const testing_support::TmpfsMount drive({{"stick/app/", ""}}, testing_support::TmpfsMount::Access::Writable);
    if (!drive.mounted()) {
        GTEST_SKIP() << drive.skipReason();
    }
    EXPECT_EQ(platform::driveRootOf(drive / "STICK/App/favorites/not yet made"), drive.path());
    EXPECT_EQ(platform::driveRootOf(drive.path()), drive.path());
    EXPECT_EQ(platform::driveRootOf("/"), "/");
}
