#include "core/platform/file_ops.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testing/files.h"

using namespace testing_support;
using Tree = std::vector<std::string>;

TEST(FileOps, DeleteRenameAndCreateFolderFindTheirNamesWhateverTheCase) {
    TempFolder root;
    writeFile(root / "favorites/Firefox/News/Deep/a.url", "a");
    writeFile(root / "favorites/Internet Explorer/b.url", "b");
    writeFile(root / "favorites/Internet Explorer/c.url", "c");
    writeFile(root / "favorites/Internet Explorer/d.url", "d");
    EXPECT_TRUE(platform::shellDelete(root / "Favorites/FIREFOX"));
    EXPECT_TRUE(platform::shellDelete(root / "favorites/internet explorer/C.URL"));
    EXPECT_FALSE(platform::shellDelete(root / "missing") || platform::shellDelete(""));
    // a rename refuses an existing target, but a change of case names the same entry
    const std::string ie = root / "favorites/Internet Explorer/";
    EXPECT_FALSE(platform::renamePath(ie + "d.url", root / "FAVORITES/internet explorer/B.URL"));
    EXPECT_TRUE(platform::renamePath(ie + "d.url", ie + "D.url"));
    EXPECT_TRUE(platform::renamePath(root / "FAVORITES", root / "Store"));
    EXPECT_FALSE(platform::renamePath(root / "missing", root / "other"));
    // a folder is made with the name as given, below a parent of any case
    EXPECT_TRUE(platform::createFolder(root / "STORE/Mozilla"));
    EXPECT_FALSE(platform::createFolder(root / "store/mozilla") || platform::createFolder(root / "missing/child"));
    EXPECT_EQ(treeOf(root.path()), (Tree{"Store/", "Store/Internet Explorer/", "Store/Internet Explorer/D.url=d",
                                         "Store/Internet Explorer/b.url=b", "Store/Mozilla/"}));
}

TEST(ShellCopy, GoesIntoAnExistingFolderElseUnderTheTargetNameAndReplacesWhatIsThereWhateverItsCase) {
    TempFolder root;
    writeFile(root / "staging/News.url", "new");
    writeFile(root / "staging/Fav/Sub/Deep.url", "new deep");
    writeFile(root / "store/Fav/SUB/deep.url", "old deep");
    writeFile(root / "store/Fav/Kept.url", "kept");
    std::filesystem::create_directories(root / "staging/Fav/Empty");
    EXPECT_TRUE(platform::shellCopy(root / "staging/News.url", root / "STORE/fav"));
    EXPECT_TRUE(platform::shellCopy(root / "staging/News.url", root / "store/fav/news.URL"));
    EXPECT_TRUE(platform::shellCopy(root / "Staging/fav", root / "store"));
    EXPECT_TRUE(platform::shellCopy(root / "staging/News.url", root / "Renamed/Deeper/Other.url"));
    EXPECT_EQ(treeOf(root / "store"), (Tree{"Fav/", "Fav/Empty/", "Fav/Kept.url=kept", "Fav/News.url=new", "Fav/SUB/",
                                            "Fav/SUB/deep.url=new deep"}));
    EXPECT_EQ(treeOf(root / "Renamed"), (Tree{"Deeper/", "Deeper/Other.url=new"}));
    // a missing source, and a folder into itself, are refused
    EXPECT_FALSE(platform::shellCopy(root / "missing.url", root / "target/x.url"));
    EXPECT_FALSE(platform::shellCopy(root / "store", root / "store") ||
                 platform::shellCopy(root / "store", root / "STORE/Inner"));
    EXPECT_FALSE(std::filesystem::exists(root / "target") || std::filesystem::exists(root / "store/Inner"));
}

TEST(WholeFile, WriteThenReadGivesTheSameBytesWhateverTheCase) {
    TempFolder root;
    const std::string bytes("line\r\n\0binary\xff", 15);
    ASSERT_TRUE(platform::writeWholeFile(root / "a.bin", bytes));
    ASSERT_TRUE(platform::writeWholeFile(root / "short.txt", "longer text"));
    ASSERT_TRUE(platform::writeWholeFile(root / "SHORT.TXT", "short"));
    std::string read;
    ASSERT_TRUE(platform::readWholeFile(root / "A.BIN", read));
    EXPECT_EQ(treeOf(root.path()), (Tree{"a.bin=" + bytes, "short.txt=short"}));
    // a failed read leaves what the caller had
    EXPECT_FALSE(platform::readWholeFile(root / "missing.txt", read) || platform::readWholeFile(root.path(), read));
    EXPECT_EQ(read, bytes);
}
