#include "platform/paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "testing/read_only.h"
#include "testing/temp_folder.h"

using testing_support::TempFolder;
using testing_support::TmpfsMount;
using testing_support::writeFile;

namespace {

// Sets or clears environment variables for one test and puts the old values back.
class EnvironmentOverride {
public:
    void set(const char* name, std::optional<std::string> value) {
        const char* old = std::getenv(name);
        m_saved.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
        apply(name, value);
    }
    ~EnvironmentOverride() {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
            apply(it->first, it->second);
        }
    }

private:
    static void apply(const char* name, const std::optional<std::string>& value) {
        if (value) {
            ::setenv(name, value->c_str(), 1);
        } else {
            ::unsetenv(name);
        }
    }
    std::vector<std::pair<const char*, std::optional<std::string>>> m_saved;
};

}  // namespace

TEST(Paths, JoinAndTrailingSlashPutExactlyOneSlash) {
    EXPECT_EQ(platform::joinPath("/a/", "b"), "/a/b");
    EXPECT_EQ(platform::joinPath("/a", "b"), "/a/b");
    EXPECT_EQ(platform::withTrailingSlash("/a"), "/a/");
    EXPECT_EQ(platform::withTrailingSlash("/a/"), "/a/");
}

TEST(Paths, NestedComponentsResolveWhateverTheirCase) {
    TempFolder root;
    writeFile(root / "favorites/Firefox/News/Daily.url", "x");
    writeFile(root / "favorites/Internet Explorer/a.url", "x");
    const struct {
        const char* written;
        const char* stored;
    } cases[] = {
        {"Favorites/FIREFOX/news/DAILY.URL", "favorites/Firefox/News/Daily.url"},
        {"favorites/Firefox/News/Daily.url", "favorites/Firefox/News/Daily.url"},
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
    writeFile(root / "data/x", "");
    writeFile(root / "Data/x", "");
    writeFile(root / "DATA/x", "");
    EXPECT_EQ(platform::resolvePath(root / "data"), root / "data");
    EXPECT_EQ(platform::resolvePath(root / "Data"), root / "Data");
    EXPECT_EQ(platform::resolvePath(root / "dATA"), root / "DATA");
}

TEST(Paths, RelativePathsResolveAgainstTheWorkingFolder) {
    TempFolder root;
    writeFile(root / "Store/Links/a.url", "");
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(root.path());
    const std::string resolved = platform::resolvePath("store/LINKS/A.url");
    std::filesystem::current_path(previous);
    EXPECT_EQ(resolved, "Store/Links/a.url");
}

TEST(Paths, ExecutableFolderHoldsTheRunningProgram) {
    const std::string folder = platform::executableFolder();
    EXPECT_FALSE(folder.ends_with('/'));
    EXPECT_EQ(platform::executableName(), "platform_tests");
    EXPECT_TRUE(std::filesystem::is_regular_file(platform::joinPath(folder, platform::executableName())));
}

TEST(Paths, ProductFamilyAndRegistryFollowTheXdgFoldersElseHome) {
    const struct {
        std::optional<std::string> cacheHome;
        std::optional<std::string> configHome;
        const char* family;
        const char* registry;
    } cases[] = {
        {"/x/cache", "/x/config", "/x/cache/Velqor", "/x/config/Velqor/registry.reg"},
        {std::nullopt, std::nullopt, "/home/u/.cache/Velqor", "/home/u/.config/Velqor/registry.reg"},
        {"", "", "/home/u/.cache/Velqor", "/home/u/.config/Velqor/registry.reg"},
        // a relative XDG folder is not to be used
        {"rel/cache", "rel/config", "/home/u/.cache/Velqor", "/home/u/.config/Velqor/registry.reg"},
    };
    for (const auto& c : cases) {
        EnvironmentOverride environment;
        environment.set("HOME", "/home/u");
        environment.set("XDG_CACHE_HOME", c.cacheHome);
        environment.set("XDG_CONFIG_HOME", c.configHome);
        EXPECT_EQ(platform::defaultProductFamilyFolder(), c.family) << c.cacheHome.value_or("(unset)");
        EXPECT_EQ(platform::defaultRegistryFile(), c.registry) << c.configHome.value_or("(unset)");
    }
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

TEST(Paths, NamesSortWithoutRegardToCaseAsUpperCase) {
    EXPECT_TRUE(platform::lessIgnoringCase("apple", "Banana"));
    EXPECT_TRUE(platform::lessIgnoringCase("Apple", "banana"));
    // upper-case comparison puts '_' after the letters
    EXPECT_TRUE(platform::lessIgnoringCase("zeta", "_first"));
    // names equal but for case still have a fixed order
    EXPECT_TRUE(platform::lessIgnoringCase("ABC", "abc"));
    EXPECT_FALSE(platform::lessIgnoringCase("abc", "ABC"));
    EXPECT_TRUE(platform::equalsIgnoreCase("Internet Explorer", "INTERNET explorer"));
    EXPECT_FALSE(platform::equalsIgnoreCase("Firefox", "Firefox2"));
}
