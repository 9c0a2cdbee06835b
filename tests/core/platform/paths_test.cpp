#include "core/platform/paths.h"

#include <gtest/gtest.h>

#include "testing/read_only.h"

using namespace testing_support;

TEST(Paths, EachComponentResolvesToItsExactNameElseTheFirstOfAnyCaseInNameOrder) {
    TempFolder root;
    for (const char* file : {"favorites/Firefox/News/Daily.url", "data/x", "Data/x", "DATA/x"}) {
        writeFile(root / file, "");
    }
    const std::pair<const char*, const char*> cases[] = {
        // as written, and as stored
        {"Favorites/FIREFOX/news/DAILY.URL", "favorites/Firefox/News/Daily.url"},
        {"Favorites/Firefox/", "favorites/Firefox/"},
        {"Data/X", "Data/x"},
        {"dATA", "DATA"},
        // below a missing component everything is kept as written
        {"FAVORITES/Mozilla/news", "favorites/Mozilla/news"},
        {"Favorites/firefox/news/missing.url", "favorites/Firefox/News/missing.url"},
    };
    for (const auto& [written, stored] : cases) {
        EXPECT_EQ(platform::resolvePath(root / written), root / stored) << written;
    }
}

TEST(Paths, ProductFamilyAndRegistryFollowTheXdgFoldersElseHome) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        // XDG_CACHE_HOME and XDG_CONFIG_HOME; a relative folder is not to be used
        {"/x", "/x/Velqor", "/x/Velqor/registry.reg"},
        {nullptr, "/home/u/.cache/Velqor", "/home/u/.config/Velqor/registry.reg"},
        {"rel", "/home/u/.cache/Velqor", "/home/u/.config/Velqor/registry.reg"}};
    for (const auto& [xdgHome, family, registry] : cases) {
        // in a child process, so that this process's environment stays as it was
        const ChildOutcome outcome = runInChild([&] {
            ::setenv("HOME", "/home/u", 1);
            xdgHome ? ::setenv("XDG_CACHE_HOME", xdgHome, 1) : ::unsetenv("XDG_CACHE_HOME");
            xdgHome ? ::setenv("XDG_CONFIG_HOME", xdgHome, 1) : ::unsetenv("XDG_CONFIG_HOME");
            return platform::defaultProductFamilyFolder() == family && platform::defaultRegistryFile() == registry;
        });
        EXPECT_EQ(outcome.answer, true) << (xdgHome ? xdgHome : "(unset)");
    }
}
