#include "platform/file_listing.h"

#include <gtest/gtest.h>

#include <tuple>

#include "testing/read_only.h"
#include "testing/files.h"

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

std::vector<std::string> namesOf(const std::vector<platform::FindEntry>& entries) {
    std::vector<std::string> names;
    for (const platform::FindEntry& entry : entries) {
        names.push_back(entry.name);
    }
    return names;
}

}  // namespace

TEST(FilePattern, MatchesAsWindowsDoes) {
    const struct {
        const char* name;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"NEWS.URL", "*.url", true},
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
        {"name", "", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::matchesPattern(c.name, c.pattern), c.matches) << c.name << " vs " << c.pattern;
    }
}

TEST(FolderListing, DotEntriesFirstThenNamesInCaseInsensitiveOrderWithAttributes) {
    TempFolder root;
    writeFile(root / "Links/b.url", "bb");
    writeFile(root / "Links/A.url", "a");
    writeFile(root / "Links/_notes.txt", "");
    writeFile(root / "Links/.hidden", "12345");
    writeFile(root / "Links/Sub/x.url", "");
    writeFile(root / "Links/x.url.bak", "");
    constexpr std::uint32_t dir = platform::kAttrDirectory;
    constexpr std::uint32_t file = platform::kAttrArchive;
    EXPECT_EQ(describe(platform::listFolder(root / "LINKS", "*")),
              (std::vector<Described>{{".", dir, 0},
                                      {"..", dir, 0},
                                      {".hidden", file | platform::kAttrHidden, 5},
                                      {"A.url", file, 1},
                                      {"b.url", file, 2},
                                      {"Sub", dir, 0},
                                      {"x.url.bak", file, 0},
                                      // upper-case order puts '_' after the letters
                                      {"_notes.txt", file, 0}}));
    EXPECT_EQ(namesOf(platform::listFolder(root / "links", "*.URL")), (std::vector<std::string>{"A.url", "b.url"}));
    EXPECT_EQ(namesOf(platform::listFolder(root / "links", "sub")), (std::vector<std::string>{"Sub"}));
    EXPECT_TRUE(platform::listFolder(root / "missing", "*").empty());
    EXPECT_TRUE(platform::listFolder(root / "Links/A.url", "*").empty());
}

TEST(FolderListing, EntriesOnAReadOnlyDriveAreReadOnly) {
    TmpfsMount drive({{"favorites/Firefox/a.url", "x"}}, TmpfsMount::Access::ReadOnly);
    if (!drive.mounted()) {
        GTEST_SKIP() << drive.skipReason();
    }
    EXPECT_EQ(namesOf(platform::listFolder(drive / "Favorites", "*.*")),
              (std::vector<std::string>{".", "..", "Firefox"}));
    EXPECT_EQ(platform::listFolder(drive / "Favorites", "firefox").at(0).attributes,
              platform::kAttrDirectory | platform::kAttrReadOnly);
    EXPECT_EQ(platform::fileAttributes(drive / "favorites/firefox/A.URL"),
              platform::kAttrArchive | platform::kAttrReadOnly);
}

TEST(FileAttributes, ExistenceTestsIgnoreCase) {
    TempFolder root;
    writeFile(root / "App/langfile0409.dll", "MZ");
    const struct {
        const char* path;
        bool file;
        bool folder;
    } cases[] = {
        {"app/LANGFILE0409.DLL", true, false},
        {"APP", false, true},
        {"App/", false, true},
        {"App/langfile0804.dll", false, false},
        {"Other/langfile0409.dll", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::fileExists(root / c.path), c.file) << c.path;
        EXPECT_EQ(platform::folderExists(root / c.path), c.folder) << c.path;
    }
}
