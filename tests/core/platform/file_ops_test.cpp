#include "core/platform/file_ops.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testing/files.h"

using namespace testing_support;
using Tree = std::vector<std::string>;

TEST(FileOps, DeleteRenameCreateFolderAndWriteFindTheirNamesWhateverTheCase) {
    TempFolder root;
    const std::string ie = root / "favorites/Internet Explorer/";
    for (const char* name : {"b", "c", "d"}) {
        writeFile(ie + name + ".url", name);
    }
    writeFile(root / "favorites/Firefox/News/Deep/a.url", "a");
    EXPECT_TRUE(platform::shellDelete(root / "Favorites/FIREFOX"));
    EXPECT_TRUE(platform::shellDelete(root / "favorites/internet explorer/C.URL"));
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
    std::string read = "kept";
    EXPECT_FALSE(platform::readWholeFile(root / "missing.txt", read) || platform::readWholeFile(root.path(), read));
    EXPECT_TRUE(read == "kept" && platform::readWholeFile(root / "STORE/internet explorer/B.url", read));
    EXPECT_EQ(read, bytes);
    ASSERT_TRUE(platform::writeWholeFile(root / "Store/Internet Explorer/B.URL", "short"));
    EXPECT_EQ(treeOf(root.path()), (Tree{"Store/", "Store/Internet Explorer/", "Store/Internet Explorer/D.url=d",
                                         "Store/Internet Explorer/b.url=short", "Store/Mozilla/"}));
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
