#include "platform/file_ops.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testing/files.h"
#include "testing/read_only.h"

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::TempFolder;
using testing_support::TmpfsMount;
using testing_support::treeOf;
using testing_support::writeFile;
using Tree = std::vector<std::string>;

TEST(ShellDelete, RemovesAFolderWithEverythingInIt) {
    TempFolder root;
    writeFile(root / "favorites/Firefox/News/Deep/a.url", "a");
    writeFile(root / "favorites/Firefox/b.url", "b");
    writeFile(root / "favorites/Internet Explorer/c.url", "c");
    EXPECT_TRUE(platform::shellDelete(root / "Favorites/FIREFOX"));
    EXPECT_TRUE(platform::shellDelete(root / "favorites/internet explorer/C.URL"));
    EXPECT_EQ(treeOf(root.path()), (Tree{"favorites/", "favorites/Internet Explorer/"}));
    EXPECT_FALSE(platform::shellDelete(root / "missing"));
    EXPECT_FALSE(platform::shellDelete(""));
}

TEST(ShellDelete, FailsOnAReadOnlyDriveAndKeepsEverything) {
    TmpfsMount drive({{"favorites/Firefox/a.url", "a"}}, TmpfsMount::Access::ReadOnly);
    if (!drive.mounted()) {
        GTEST_SKIP() << drive.skipReason();
    }
    EXPECT_FALSE(platform::shellDelete(drive / "favorites/Firefox"));
    EXPECT_EQ(readFile(drive / "favorites/Firefox/a.url"), "a");
}

TEST(ShellCopy, GoesIntoAnExistingFolderElseUnderTheTargetName) {
    TempFolder root;
    writeFile(root / "staging/News.url", "new");
    writeFile(root / "Firefox/Sub/b.url", "b");
    fs::create_directories(root / "Firefox/Empty");
    EXPECT_TRUE(platform::shellCopy(root / "staging/News.url", root / "firefox"));
    EXPECT_TRUE(platform::shellCopy(root / "staging/News.url", root / "Renamed/Deeper/Other.url"));
    EXPECT_TRUE(platform::shellCopy(root / "FIREFOX", root / "backup/Copy"));
    EXPECT_EQ(treeOf(root / "Renamed"), (Tree{"Deeper/", "Deeper/Other.url=new"}));
    EXPECT_EQ(treeOf(root / "backup"),
              (Tree{"Copy/", "Copy/Empty/", "Copy/News.url=new", "Copy/Sub/", "Copy/Sub/b.url=b"}));
}

TEST(ShellCopy, ReplacesWhatIsThereEvenWhenItsNameDiffersInCase) {
    TempFolder root;
    writeFile(root / "staging/Fav/News.url", "new news");
    writeFile(root / "staging/Fav/Sub/Deep.url", "new deep");
    writeFile(root / "store/Fav/news.url", "old news");
    writeFile(root / "store/Fav/SUB/deep.url", "old deep");
    writeFile(root / "store/Fav/Kept.url", "kept");
    EXPECT_TRUE(platform::shellCopy(root / "staging/Fav", root / "store"));
    EXPECT_EQ(treeOf(root / "store"),
              (Tree{"Fav/", "Fav/Kept.url=kept", "Fav/SUB/", "Fav/SUB/deep.url=new deep", "Fav/news.url=new news"}));
}

TEST(ShellCopy, RefusesAMissingSourceAndAFolderIntoItself) {
    TempFolder root;
    writeFile(root / "Firefox/a.url", "a");
    EXPECT_FALSE(platform::shellCopy(root / "missing.url", root / "target/x.url"));
    EXPECT_FALSE(fs::exists(root / "target"));
    EXPECT_FALSE(platform::shellCopy(root / "Firefox", root / "Firefox"));
    EXPECT_FALSE(platform::shellCopy(root / "Firefox", root / "firefox/Inner"));
    EXPECT_EQ(treeOf(root / "Firefox"), (Tree{"a.url=a"}));
}

TEST(RenamePath, RefusesAnExistingTargetButAllowsAChangeOfCase) {
    TempFolder root;
    writeFile(root / "folder/a.url", "a");
    writeFile(root / "folder/b.url", "b");
    EXPECT_FALSE(platform::renamePath(root / "folder/a.url", root / "folder/B.URL"));
    EXPECT_TRUE(platform::renamePath(root / "folder/a.url", root / "folder/A.url"));
    EXPECT_TRUE(platform::renamePath(root / "FOLDER", root / "Renamed"));
    EXPECT_FALSE(platform::renamePath(root / "missing", root / "other"));
    EXPECT_EQ(treeOf(root.path()), (Tree{"Renamed/", "Renamed/A.url=a", "Renamed/b.url=b"}));
}

TEST(WholeFile, WriteThenReadGivesTheSameBytesWhateverTheCase) {
    TempFolder root;
    const std::string bytes("line\r\n\0binary\xff", 15);
    ASSERT_TRUE(platform::writeWholeFile(root / "a.bin", bytes));
    ASSERT_TRUE(platform::writeWholeFile(root / "short.txt", "longer text"));
    ASSERT_TRUE(platform::writeWholeFile(root / "SHORT.TXT", "short"));
    std::string read;
    ASSERT_TRUE(platform::readWholeFile(root / "A.BIN", read));
    EXPECT_EQ(read, bytes);
    EXPECT_EQ(treeOf(root.path()), (Tree{"a.bin=" + bytes, "short.txt=short"}));
    // a failed read leaves what the caller had
    EXPECT_FALSE(platform::readWholeFile(root / "missing.txt", read));
    EXPECT_FALSE(platform::readWholeFile(root.path(), read));
    EXPECT_EQ(read, bytes);
}

TEST(WholeFile, FailuresOnReadOnlyAndFullDrives) {
    TmpfsMount readOnly({{"setting.ini", "old"}, {"favorites/Firefox/a.url", "a"}}, TmpfsMount::Access::ReadOnly);
    TmpfsMount full({}, TmpfsMount::Access::Writable, TmpfsMount::kFullDiskSize);
    if (!readOnly.mounted() || !full.mounted()) {
        GTEST_SKIP() << readOnly.skipReason() << full.skipReason();
    }
    EXPECT_FALSE(platform::writeWholeFile(readOnly / "setting.ini", "new"));
    EXPECT_FALSE(platform::writeWholeFile(readOnly / "other.ini", "new"));
    EXPECT_EQ(readFile(readOnly / "setting.ini"), "old");
    const std::string big(256 * 1024, 'x');
    EXPECT_FALSE(platform::writeWholeFile(full / "big.bin", big));
    TempFolder root;
    writeFile(root / "big.bin", big);
    EXPECT_FALSE(platform::shellCopy(root / "big.bin", full.path()));
    EXPECT_FALSE(platform::createFolder(readOnly / "favorites/Mozilla"));
}

TEST(FolderCreation, MakesTheNameAsGivenBelowAParentOfAnyCase) {
    TempFolder root;
    fs::create_directories(root / "favorites");
    EXPECT_TRUE(platform::createFolder(root / "Favorites/Internet Explorer"));
    EXPECT_FALSE(platform::createFolder(root / "favorites/internet explorer"));
    EXPECT_FALSE(platform::createFolder(root / "missing/child"));
    EXPECT_EQ(treeOf(root.path()), (Tree{"favorites/", "favorites/Internet Explorer/"}));
}
