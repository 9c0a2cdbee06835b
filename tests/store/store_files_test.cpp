#include "store/store_files.h"

#include <gtest/gtest.h>

#include "testing/files.h"
#include "testing/read_only.h"

using testing_support::TempFolder;
using testing_support::TmpfsMount;
using testing_support::treeOf;
using testing_support::writeFile;
using Tree = std::vector<std::string>;

TEST(CreateFolder, OnAnEmptyDriveMakesTheStoreWithTwoBrowserFoldersAndOnACompleteOneNothing) {
    TempFolder empty;
    store::CreateFolder(empty.path());
    EXPECT_EQ(treeOf(empty.path()), (Tree{"favorites/", "favorites/Firefox/", "favorites/Internet Explorer/"}));
    TempFolder app;
    writeFile(app / "Favorites/FIREFOX/News/a.url", "a");
    writeFile(app / "Favorites/internet explorer/b.url", "b");
    writeFile(app / "Favorites/Mozilla/c.url", "c");
    const std::vector<std::string> before = treeOf(app.path());
    store::CreateFolder(app.path());
    EXPECT_EQ(treeOf(app.path()), before);
}

TEST(CreateFolder, OnAReadOnlyDriveLeavesItAsItIs) {
    TmpfsMount drive({{"app/favorites/Firefox/a.url", "a"}}, TmpfsMount::Access::ReadOnly);
    if (!drive.mounted()) {
        GTEST_SKIP() << drive.skipReason();
    }
    store::CreateFolder(drive / "app");
    EXPECT_EQ(treeOf(drive / "app"), (Tree{"favorites/", "favorites/Firefox/", "favorites/Firefox/a.url=a"}));
}

TEST(StripNulls, CutsTheTextAtItsFirstNul) {
    using namespace std::string_literals;
    const struct {
        std::string text;
        std::string expected;
    } cases[] = {
        {"abc\0xyz"s, "abc"}, {"abc", "abc"}, {"\0abc"s, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(store::StripNulls(c.text), c.expected);
    }
}

TEST(FindFilesAPI, ListsAFoldersFilesBeforeThoseOfItsSubfoldersDepthFirst) {
    TempFolder root;
    writeFile(root / "b.url", "bb");
    writeFile(root / "A.url", "a");
    writeFile(root / "notes.txt", "not matched");
    writeFile(root / "Zeta/z.url", "zzzz");
    writeFile(root / "alpha/x.url", "xxx");
    writeFile(root / "alpha/deep/y.url", "yyyyy");
    writeFile(root / "alpha/deep/q.txt", "q");
    int files = 0;
    int folders = 0;
    std::vector<std::string> results;
    const std::uint64_t size = store::FindFilesAPI(root.path(), "*.url", files, folders, results);
    EXPECT_EQ(results, (std::vector<std::string>{root / "A.url", root / "b.url", root / "alpha/x.url",
                                                 root / "alpha/deep/y.url", root / "Zeta/z.url"}));
    EXPECT_EQ(files, 5);
    EXPECT_EQ(folders, 3);
    EXPECT_EQ(size, 15u);
}

TEST(FindFilesAPI, CountersAndResultsGrowFromWhatTheCallerHad) {
    TempFolder root;
    writeFile(root / "Profiles/abc.default/bookmarks.html", "<DL>");
    writeFile(root / "Profiles/abc.default/bookmarkbackups/bookmarks.html", "old");
    int files = 1;
    int folders = 1;
    std::vector<std::string> results{"earlier"};
    EXPECT_EQ(store::FindFilesAPI(root / "profiles", "BOOKMARKS.HTML", files, folders, results), 7u);
    EXPECT_EQ(results, (std::vector<std::string>{"earlier", root / "profiles/abc.default/bookmarks.html",
                                                 root / "profiles/abc.default/bookmarkbackups/bookmarks.html"}));
    EXPECT_EQ(files, 3);
    EXPECT_EQ(folders, 3);
}
