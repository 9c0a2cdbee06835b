#include "platform/file_listing.h"

#include <gtest/gtest.h>

#include "testing/read_only.h"
#include "testing/temp_folder.h"

using testing_support::TempFolder;
using testing_support::TmpfsMount;
using testing_support::writeFile;

namespace {

std::vector<std::string> namesOf(const std::vector<platform::FindEntry>& entries) {
    std::vector<std::string> names;
    for (const platform::FindEntry& entry : entries) {
        names.push_back(entry.name);
    }
    return names;
}

const platform::FindEntry* findEntry(const std::vector<platform::FindEntry>& entries, std::string_view name) {
    for (const platform::FindEntry& entry : entries) {
        if (entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace

TEST(FilePattern, MatchesAsWindowsDoes) {
    const struct {
        const char* name;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"News.url", "*.url", true},
        {"NEWS.URL", "*.url", true},
        {"a.b.url", "*.url", true},
        {".url", "*.url", true},
        {"x.url.bak", "*.url", false},
        {"x.urls", "*.url", false},
        {"url", "*.url", false},
        {"readme", "*.*", true},
        {"a.b.c", "*.*", true},
        {".", "*.*", true},
        {"..", "*", true},
        {"..", "*.url", false},
        {"test1.txt", "test?.txt", true},
        {"test.txt", "test?.txt", true},
        {"test12.txt", "test?.txt", false},
        {"bookmarks.html", "bookmarks.html", true},
        {"Bookmarks.HTML", "bookmarks.html", true},
        {"bookmarks.html.bak", "bookmarks.html", false},
        {"xbookmarks.html", "bookmarks.html", false},
        {"langfile0409.dll", "langfile0409.dll.", true},
        {"noext", "*.", true},
        {"with.ext", "*.", false},
        {"abc", "a*c", true},
        {"abxc", "a*c", true},
        {"abcd", "a*c", false},
        {"name", "", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::matchesPattern(c.name, c.pattern), c.matches) << c.name << " vs " << c.pattern;
    }
}

TEST(FolderListing, DotEntriesFirstThenNamesInCaseInsensitiveOrder) {
    TempFolder root;
    writeFile(root / "b.url", "");
    writeFile(root / "A.url", "");
    writeFile(root / "c.URL", "");
    writeFile(root / "_notes.txt", "");
    writeFile(root / ".hidden", "");
    writeFile(root / "Sub/x.url", "");
    writeFile(root / "x.url.bak", "");
    EXPECT_EQ(namesOf(platform::listFolder(root.path(), "*")),
              (std::vector<std::string>{".", "..", ".hidden", "A.url", "b.url", "c.URL", "Sub", "x.url.bak",
                                        "_notes.txt"}));
    EXPECT_EQ(namesOf(platform::listFolder(root.path(), "*.url")), (std::vector<std::string>{"A.url", "b.url", "c.URL"}));
    EXPECT_EQ(namesOf(platform::listFolder(root.path(), "SUB")), (std::vector<std::string>{"Sub"}));
}

TEST(FolderListing, AttributesAndSizes) {
    TempFolder root;
    writeFile(root / "Folder/Link.url", "[InternetShortcut]\r\nURL=http://a/\r\n");
    writeFile(root / "Folder/.profile", "12345");
    writeFile(root / "Folder/Sub/x", "");
    const auto entries = platform::listFolder(root / "folder", "*");
    ASSERT_EQ(entries.size(), 5u);
    const struct {
        const char* name;
        std::uint32_t attributes;
        std::uint64_t size;
    } expected[] = {
        {".", platform::kAttrDirectory, 0},
        {"..", platform::kAttrDirectory, 0},
        {".profile", platform::kAttrHidden | platform::kAttrArchive, 5},
        {"Link.url", platform::kAttrArchive, 35},
        {"Sub", platform::kAttrDirectory, 0},
    };
    for (const auto& e : expected) {
        const platform::FindEntry* entry = findEntry(entries, e.name);
        ASSERT_NE(entry, nullptr) << e.name;
        EXPECT_EQ(entry->attributes, e.attributes) << e.name;
        EXPECT_EQ(entry->size, e.size) << e.name;
    }
}

TEST(FolderListing, EntriesOnAReadOnlyDriveAreReadOnly) {
    TmpfsMount drive({{"favorites/Firefox/a.url", "x"}}, TmpfsMount::Access::ReadOnly);
    if (!drive.mounted()) {
        GTEST_SKIP() << drive.skipReason();
    }
    const auto entries = platform::listFolder(drive / "Favorites", "*.*");
    const platform::FindEntry* folder = findEntry(entries, "Firefox");
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(folder->attributes, platform::kAttrDirectory | platform::kAttrReadOnly);
    EXPECT_EQ(platform::fileAttributes(drive / "favorites/firefox/A.URL"),
              platform::kAttrArchive | platform::kAttrReadOnly);
}

TEST(FolderListing, MissingFolderOrFileListsNothing) {
    TempFolder root;
    writeFile(root / "file.txt", "");
    EXPECT_TRUE(platform::listFolder(root / "missing", "*").empty());
    EXPECT_TRUE(platform::listFolder(root / "file.txt", "*").empty());
    EXPECT_TRUE(platform::listFolder(root.path(), "other.txt").empty());
}

TEST(FileAttributes, ExistenceTestsIgnoreCase) {
    TempFolder root;
    writeFile(root / "App/langfile0409.dll", "MZ");
    const struct {
        const char* path;
        bool file;
        bool folder;
    } cases[] = {
        {"App/langfile0409.dll", true, false},
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
    EXPECT_FALSE(platform::fileAttributes(root / "app/none").has_value());
}
