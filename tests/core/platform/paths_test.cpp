#include "core/platform/paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <tuple>
#include <vector>

#include "testing/files.h"

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

TEST(Paths, ProductFamilyAndRegistryFollowTheXdgFoldersElseHome) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        // XDG_CACHE_HOME and XDG_CONFIG_HOME; a relative folder is not to be used
        {"/x", "/x/Velqor", "/x/Velqor/registry.reg"},
        {nullptr, "/home/u/.cache/Velqor", "/home/u/.config/Velqor/registry.reg"},
        {"rel", "/home/u/.cache/Velqor", "/home/u/.config/Velqor/registry.reg"}};
    std::vector<std::pair<const char*, std::optional<std::string>>> saved;
    for (const char* name : {"HOME", "XDG_CACHE_HOME", "XDG_CONFIG_HOME"}) {
        saved.emplace_back(name, std::getenv(name) ? std::optional<std::string>(std::getenv(name)) : std::nullopt);
    }
    ::setenv("HOME", "/home/u", 1);
    for (const auto& [xdgHome, family, registry] : cases) {
        for (const char* name : {"XDG_CACHE_HOME", "XDG_CONFIG_HOME"}) {
            xdgHome ? ::setenv(name, xdgHome, 1) : ::unsetenv(name);
        }
        EXPECT_EQ(platform::defaultProductFamilyFolder(), family) << (xdgHome ? xdgHome : "(unset)");
        EXPECT_EQ(platform::defaultRegistryFile(), registry) << (xdgHome ? xdgHome : "(unset)");
    }
    for (const auto& [name, value] : saved) {
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }
}
