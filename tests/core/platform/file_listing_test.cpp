#include "core/platform/file_listing.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "core/platform/file_ops.h"
#include "testing/files.h"
#include "testing/read_only.h"

using testing_support::TempFolder;
using testing_support::TmpfsMount;
using testing_support::writeFile;
using Names = std::vector<std::string>;

namespace {

// Each entry as "name attributes size", in listing order; the attributes as Windows numbers them
// (1 read-only, 2 hidden, 16 folder, 32 file).
std::vector<std::string> describe(const std::vector<platform::FindEntry>& entries) {
    std::vector<std::string> described;
    for (const platform::FindEntry& entry : entries) {
        described.push_back(entry.name + " " + std::to_string(entry.attributes) + " " + std::to_string(entry.size));
    }
    return described;
}

}  // namespace

TEST(FilePattern, MatchesAsWindowsDoes) {
    const std::tuple<const char*, std::vector<const char*>, std::vector<const char*>> cases[] = {
        // a pattern, the names it matches and names it does not
        {"*.url", {"NEWS.URL", "a.b.url", ".url"}, {"x.url.bak", "x.urls", "url", ".."}},
        {"*.*", {"readme", "a.b.c", "."}, {}},
        {"test?.txt", {"test1.txt", "test.txt"}, {"test12.txt"}},
        {"bookmarks.html", {"Bookmarks.HTML"}, {"bookmarks.html.bak", "xbookmarks.html"}},
        {"langfile0409.dll.", {"langfile0409.dll"}, {}},
        {"*.", {"noext"}, {"with.ext"}},
        {"a*c", {"abxc"}, {"abcd"}},
        {"", {}, {"name"}}};
    for (const auto& [pattern, matching, other] : cases) {
        for (const char* name : matching) {
            EXPECT_TRUE(platform::matchesPattern(name, pattern)) << name << " vs " << pattern;
        }
        for (const char* name : other) {
            EXPECT_FALSE(platform::matchesPattern(name, pattern)) << name << " vs " << pattern;
        }
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

TEST(DriveFaults, OnAReadOnlyDriveEverythingIsReadOnlyAndNothingChanges) {
    TmpfsMount drive({{"favorites/Firefox/a.url", "a"}}, TmpfsMount::Access::ReadOnly);
    TmpfsMount full({}, TmpfsMount::Access::Writable, TmpfsMount::kFullDiskSize);
    if (!drive.mounted() || !full.mounted()) {
        GTEST_SKIP() << drive.skipReason() << full.skipReason();
    }
    EXPECT_EQ(describe(platform::listFolder(drive / "Favorites", "*.*")), (Names{". 17 0", ".. 17 0", "Firefox 17 0"}));
    EXPECT_EQ(platform::fileAttributes(drive / "favorites/firefox/A.URL"), 33U);
    EXPECT_FALSE(platform::shellDelete(drive / "favorites/Firefox"));
    EXPECT_FALSE(platform::writeWholeFile(drive / "favorites/Firefox/a.url", "new"));
    EXPECT_FALSE(platform::createFolder(drive / "favorites/Mozilla"));
    EXPECT_EQ(testing_support::treeOf(drive.path()),
              (Names{"favorites/", "favorites/Firefox/", "favorites/Firefox/a.url=a"}));
    // a full drive takes no more
    const std::string big(256 * 1024, 'x');
    EXPECT_FALSE(platform::writeWholeFile(full / "big.bin", big));
    TempFolder root;
    writeFile(root / "big.bin", big);
    EXPECT_FALSE(platform::shellCopy(root / "big.bin", full.path()));
}
