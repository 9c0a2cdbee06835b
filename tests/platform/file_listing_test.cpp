#include "platform/file_listing.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/file_ops.h"
#include "testing/files.h"
#include "testing/read_only.h"

using testing_support::TempFolder;
using testing_support::TmpfsMount;
using testing_support::writeFile;

namespace {

using Described = std::tuple<std::string, std::uint32_t, std::uint64_t>;

// Name, attributes and size of each entry, in listing order.
std::vector<Described> describe(const std::vector<platform::FindEntry>& entries) {
    std::vector<Described> described;
    for (const platform::FindEntry& entry : entries) {
        described.emplace_back(entry.name, entry.attributes, entry.size);
    }
    return described;
}

}  // namespace

TEST(FilePattern, MatchesAsWindowsDoes) {
    const std::tuple<const char*, const char*, bool> cases[] = {{"NEWS.URL", "*.url", true},
                                                                {"a.b.url", "*.url", true},
                                                                {".url", "*.url", true},
                                                                {"x.url.bak", "*.url", false},
                                                                {"x.urls", "*.url", false},
                                                                {"url", "*.url", false},
                                                                {"..", "*.url", false},
                                                                {"readme", "*.*", true},
                                                                {"a.b.c", "*.*", true},
                                                                {".", "*.*", true},
                                                                {"test1.txt", "test?.txt", true},
                                                                {"test.txt", "test?.txt", true},
                                                                {"test12.txt", "test?.txt", false},
                                                                {"Bookmarks.HTML", "bookmarks.html", true},
                                                                {"bookmarks.html.bak", "bookmarks.html", false},
                                                                {"xbookmarks.html", "bookmarks.html", false},
                                                                {"langfile0409.dll", "langfile0409.dll.", true},
                                                                {"noext", "*.", true},
                                                                {"with.ext", "*.", false},
                                                                {"abxc", "a*c", true},
                                                                {"abcd", "a*c", false},
                                                                {"name", "", false}};
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
    constexpr std::uint32_t dir = platform::kAttrDirectory;
    constexpr std::uint32_t file = platform::kAttrArchive;
    EXPECT_EQ(describe(platform::listFolder(root / "LINKS", "*")),
              (std::vector<Described>{{".", dir, 0},
                                      {"..", dir, 0},
                                      {".hidden", file | platform::kAttrHidden, 5},
                                      {"A.url", file, 1},
                                      {"b.url", file, 2},
                                      {"Sub", dir, 0},
                                      // upper-case order puts '_' after the letters
                                      {"_notes.txt", file, 0}}));
    EXPECT_EQ(describe(platform::listFolder(root / "links", "*.URL")),
              (std::vector<Described>{{"A.url", file, 1}, {"b.url", file, 2}}));
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
    constexpr std::uint32_t readOnly = platform::kAttrReadOnly;
    EXPECT_EQ(describe(platform::listFolder(drive / "Favorites", "*.*")),
              (std::vector<Described>{{".", platform::kAttrDirectory | readOnly, 0},
                                      {"..", platform::kAttrDirectory | readOnly, 0},
                                      {"Firefox", platform::kAttrDirectory | readOnly, 0}}));
    EXPECT_EQ(platform::fileAttributes(drive / "favorites/firefox/A.URL"), platform::kAttrArchive | readOnly);
    EXPECT_FALSE(platform::shellDelete(drive / "favorites/Firefox"));
    EXPECT_FALSE(platform::writeWholeFile(drive / "favorites/Firefox/a.url", "new"));
    EXPECT_FALSE(platform::createFolder(drive / "favorites/Mozilla"));
    EXPECT_EQ(testing_support::treeOf(drive.path()),
              (std::vector<std::string>{"favorites/", "favorites/Firefox/", "favorites/Firefox/a.url=a"}));
    // a full drive takes no more
    const std::string big(256 * 1024, 'x');
    EXPECT_FALSE(platform::writeWholeFile(full / "big.bin", big));
    TempFolder root;
    writeFile(root / "big.bin", big);
    EXPECT_FALSE(platform::shellCopy(root / "big.bin", full.path()));
}
