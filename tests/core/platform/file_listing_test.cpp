#include "core/platform/file_listing.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/platform/file_ops.h"
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
        {"NEWS.URL", "*.url", true},
        {"a.b.url", "*.url", true},
        {".url", "*.url", true},
        {"x.url.bak", "*.url", false},
        {"x.urls", "*.url", false},
        {"url", "*.url", false},
        {"..", "*.url", false},
        {"readme", "*.*", true},
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
        {"name", "", false},
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

TEST(FileOps, DeleteRenameCreateFolderAndWriteFindTheirNamesWhateverTheCase) {
    TempFolder root;
    const std::string ie = root / "favorites/Internet Explorer/";
    for (const char* name : {"b", "c", "d"}) {
        writeFile(ie + name + ".url", name);
    }
    writeFile(root / "favorites/Firefox/News/Deep/a.url", "a");
    EXPECT_TRUE(platform::shellDelete(root / "Favorites/FIREFOX") &&
                platform::shellDelete(root / "favorites/internet explorer/C.URL"));
    EXPECT_FALSE(platform::shellDelete(root / "missing") || platform::shellDelete(""));
    // a rename refuses an existing target, but a change of case names the same entry
    EXPECT_FALSE(platform::renamePath(ie + "d.url", root / "FAVORITES/internet explorer/B.URL"));
    EXPECT_TRUE(platform::renamePath(ie + "d.url", ie + "D.url"));
    EXPECT_TRUE(platform::renamePath(root / "FAVORITES", root / "Store"));
    EXPECT_FALSE(platform::renamePath(root / "missing", root / "other"));
    // a folder is made with the name as given, below a parent of any case
    EXPECT_TRUE(platform::createFolder(root / "STORE/Mozilla"));
    EXPECT_FALSE(platform::createFolder(root / "store/mozilla") || platform::createFolder(root / "missing/child"));
    // a file is written over whatever its case, wholly, and read back byte for byte
    const std::string bytes("line\r\n\0binary\xff", 15);
    ASSERT_TRUE(platform::writeWholeFile(root / "store/internet explorer/b.URL", bytes));
    std::string read;
    EXPECT_TRUE(platform::readWholeFile(root / "STORE/internet explorer/B.url", read) && read == bytes);
    // a failed read leaves what the caller had
    EXPECT_FALSE(platform::readWholeFile(root / "missing.txt", read) || platform::readWholeFile(root.path(), read));
    EXPECT_EQ(read, bytes);
    ASSERT_TRUE(platform::writeWholeFile(root / "Store/Internet Explorer/B.URL", "short"));
    EXPECT_EQ(treeOf(root.path()), (Names{"Store/", "Store/Internet Explorer/", "Store/Internet Explorer/D.url=d",
                                          "Store/Internet Explorer/b.url=short", "Store/Mozilla/"}));
}

TEST(ShellCopy, GoesIntoAnExistingFolderElseUnderTheTargetNameAndReplacesWhatIsThereWhateverItsCase) {
    TempFolder root;
    writeFile(root / "staging/News.url", "new");
    writeFile(root / "staging/Fav/Sub/Deep.url", "new deep");
    writeFile(root / "store/Fav/SUB/deep.url", "old deep");
    writeFile(root / "store/Fav/Kept.url", "kept");
    std::filesystem::create_directories(root / "staging/Fav/Empty");
    EXPECT_TRUE(platform::shellCopy(root / "staging/News.url", root / "STORE/fav") &&
                platform::shellCopy(root / "staging/News.url", root / "store/fav/news.URL"));
    EXPECT_TRUE(platform::shellCopy(root / "Staging/fav", root / "store"));
    EXPECT_EQ(treeOf(root / "store"), (Names{"Fav/", "Fav/Empty/", "Fav/Kept.url=kept", "Fav/News.url=new", "Fav/SUB/",
                                             "Fav/SUB/deep.url=new deep"}));
    // a missing source, and a folder into itself, are refused
    EXPECT_FALSE(platform::shellCopy(root / "missing.url", root / "target/x.url"));
    EXPECT_FALSE(platform::shellCopy(root / "store", root / "store") ||
                 platform::shellCopy(root / "store", root / "STORE/Inner"));
    EXPECT_FALSE(std::filesystem::exists(root / "target") || std::filesystem::exists(root / "store/Inner"));
}
