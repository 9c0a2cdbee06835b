#include "platform/file_listing.h"

#include <gtest/gtest.h>

#include "testing/read_only.h"

using namespace testing_support;
using Names = std::vector<std::string>;

// Each entry as "name attributes size", in listing order; the attributes as Windows numbers them
// (1 read-only, 2 hidden, 16 folder, 32 file).
static Names describe(const std::vector<platform::FindEntry>& entries) {
    Names described;
    for (const platform::FindEntry& entry : entries) {
        described.push_back(entry.name + " " + std::to_string(entry.attributes) + " " + std::to_string(entry.size));
    }
    return described;
}

TEST(FilePattern, MatchesAsWindowsDoes) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        // a name, a pattern, and whether it matches
        {"NEWS.URL", "*.url", true},   {"a.b.url", "*.url", true},    {".url", "*.url", true},
        {"x.url.bak", "*.url", false}, {"x.urls", "*.url", false},    {"url", "*.url", false},
        {"..", "*.url", false},        {"readme", "*.*", true},       {"a.b.c", "*.*", true},
        {".", "*.*", true},            {"test1.txt", "test?.txt", true}, {"test.txt", "test?.txt", true},
        {"test12.txt", "test?.txt", false}, {"Bookmarks.HTML", "bookmarks.html", true},
        {"bookmarks.html.bak", "bookmarks.html", false}, {"xbookmarks.html", "bookmarks.html", false},
        {"langfile0409.dll", "langfile0409.dll.", true}, {"noext", "*.", true}, {"with.ext", "*.", false},
        {"abxc", "a*c", true},         {"abcd", "a*c", false},        {"name", "", false},
    };
    for (const auto& [name, pattern, matches] : cases) {
        EXPECT_EQ(platform::matchesPattern(name, pattern), matches) << name << " vs " << pattern;
    }
}

TEST(FolderListing, DotEntriesFirstThenNamesInCaseInsensitiveOrderWithAttributes) {
    TempFolder root;
    writeFile(root / "Links/b.url", "bb");
    writeFile(root / "Links/A.url", "a");
    writeFile(root / "Links/_notes.txt", "");
    writeFile(root / "Links/.hidden", "12345");
    writeFile(root / "Links/Sub/x.url", "");
    // upper-case order puts '_' after the letters
    EXPECT_EQ(describe(platform::listFolder(root / "LINKS", "*")),
              (Names{". 16 0", ".. 16 0", ".hidden 34 5", "A.url 32 1", "b.url 32 2", "Sub 16 0", "_notes.txt 32 0"}));
    EXPECT_EQ(describe(platform::listFolder(root / "links", "*.URL")), (Names{"A.url 32 1", "b.url 32 2"}));
    EXPECT_TRUE(platform::listFolder(root / "missing", "*").empty());
    EXPECT_TRUE(platform::listFolder(root / "Links/A.url", "*").empty());
    // existence tests find files and folders whatever the case
    EXPECT_TRUE(platform::fileExists(root / "links/a.URL") && platform::folderExists(root / "LINKS/sub/"));
    EXPECT_FALSE(platform::fileExists(root / "Links/Sub") || platform::folderExists(root / "Links/A.url"));
    EXPECT_FALSE(platform::fileExists(root / "Links/c.url") || platform::folderExists(root / "Other/Sub"));
}

// What a read-only drive refuses is the fault matrix's to show; here, how it lists.
TEST(FolderListing, OnAReadOnlyDriveEveryEntryIsReadOnly) {
    TmpfsMount drive({{"favorites/Firefox/a.url", "a"}}, TmpfsMount::Access::ReadOnly);
    if (!drive.mounted()) {
        GTEST_SKIP() << drive.skipReason();
    }
    EXPECT_EQ(describe(platform::listFolder(drive / "Favorites", "*.*")), (Names{". 17 0", ".. 17 0", "Firefox 17 0"}));
    EXPECT_EQ(platform::fileAttributes(drive / "favorites/firefox/A.URL"), 33U);
}
