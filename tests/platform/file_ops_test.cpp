#include "platform/file_ops.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "testing/read_only.h"
#include "testing/temp_folder.h"

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::TempFolder;
using testing_support::TmpfsMount;
using testing_support::writeFile;

namespace {

// Every file below a folder as "relative path=contents", in name order.
std::vector<std::string> treeOf(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string relative = fs::relative(entry.path(), folder).string();
        files.push_back(entry.is_directory() ? relative + "/" : relative + "=" + readFile(entry.path().string()));
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

TEST(ShellDelete, RemovesAFolderWithEverythingInIt) {
    TempFolder root;
    writeFile(root / "favorites/Firefox/News/Deep/a.url", "a");
    writeFile(root / "favorites/Firefox/b.url", "b");
    writeFile(root / "favorites/Internet Explorer/c.url", "c");
    EXPECT_TRUE(platform::shellDelete(root / "Favorites/FIREFOX"));
    EXPECT_EQ(treeOf(root.path()),
              (std::vector<std::string>{"favorites/", "favorites/Internet Explorer/",
                                        "favorites/Internet Explorer/c.url=c"}));
    EXPECT_TRUE(platform::shellDelete(root / "favorites/internet explorer/C.URL"));
    EXPECT_FALSE(fs::exists(root / "favorites/Internet Explorer/c.url"));
}

TEST(ShellDelete, FailsWhenNothingIsThereOrTheDriveIsReadOnly) {
    TempFolder root;
    EXPECT_FALSE(platform::shellDelete(root / "missing"));
    EXPECT_FALSE(platform::shellDelete(""));

    TmpfsMount drive({{"favorites/Firefox/a.url", "a"}}, TmpfsMount::Access::ReadOnly);
    if (!drive.mounted()) {
        GTEST_SKIP() << drive.skipReason();
    }
    EXPECT_FALSE(platform::shellDelete(drive / "favorites/Firefox"));
    EXPECT_EQ(readFile(drive / "favorites/Firefox/a.url"), "a");
}

TEST(ShellCopy, FileGoesIntoAnExistingFolderElseUnderTheTargetName) {
    TempFolder root;
    writeFile(root / "staging/News.url", "new");
    writeFile(root / "store/Firefox/old.url", "old");
    EXPECT_TRUE(platform::shellCopy(root / "staging/News.url", root / "store/firefox"));
    EXPECT_TRUE(platform::shellCopy(root / "staging/News.url", root / "store/Renamed/Deeper/Other.url"));
    EXPECT_EQ(treeOf(root / "store"),
              (std::vector<std::string>{"Firefox/", "Firefox/News.url=new", "Firefox/old.url=old", "Renamed/",
                                        "Renamed/Deeper/", "Renamed/Deeper/Other.url=new"}));
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
              (std::vector<std::string>{"Fav/", "Fav/Kept.url=kept", "Fav/SUB/", "Fav/SUB/deep.url=new deep",
                                        "Fav/news.url=new news"}));
}

TEST(ShellCopy, FolderToANewNameCopiesItsWholeTree) {
    TempFolder root;
    writeFile(root / "Firefox/a.url", "a");
    writeFile(root / "Firefox/Sub/b.url", "b");
    fs::create_directories(root / "Firefox/Empty");
    EXPECT_TRUE(platform::shellCopy(root / "firefox", root / "backup/Copy"));
    EXPECT_EQ(treeOf(root / "backup"), (std::vector<std::string>{"Copy/", "Copy/Empty/", "Copy/Sub/", "Copy/Sub/b.url=b",
                                                                 "Copy/a.url=a"}));
}

TEST(ShellCopy, RefusesAMissingSourceAndAFolderIntoItself) {
    TempFolder root;
    writeFile(root / "Firefox/a.url", "a");
    EXPECT_FALSE(platform::shellCopy(root / "missing.url", root / "target/x.url"));
    EXPECT_FALSE(fs::exists(root / "target"));
    EXPECT_FALSE(platform::shellCopy(root / "Firefox", root / "Firefox"));
    EXPECT_FALSE(platform::shellCopy(root / "Firefox", root / "firefox/Inner"));
    EXPECT_EQ(treeOf(root / "Firefox"), (std::vector<std::string>{"a.url=a"}));
}

TEST(ShellCopy, FailsOnAFullDisk) {
    TmpfsMount disk({}, TmpfsMount::Access::Writable, TmpfsMount::kFullDiskSize);
    if (!disk.mounted()) {
        GTEST_SKIP() << disk.skipReason();
    }
    TempFolder root;
    writeFile(root / "big.bin", std::string(256 * 1024, 'x'));
    EXPECT_FALSE(platform::shellCopy(root / "big.bin", disk.path()));
}

TEST(RenamePath, RefusesAnExistingTargetButAllowsAChangeOfCase) {
    TempFolder root;
    writeFile(root / "folder/a.url", "a");
    writeFile(root / "folder/b.url", "b");
    EXPECT_FALSE(platform::renamePath(root / "folder/a.url", root / "folder/B.URL"));
    EXPECT_TRUE(platform::renamePath(root / "folder/a.url", root / "folder/A.url"));
    EXPECT_TRUE(platform::renamePath(root / "FOLDER", root / "Renamed"));
    EXPECT_EQ(treeOf(root.path()), (std::vector<std::string>{"Renamed/", "Renamed/A.url=a", "Renamed/b.url=b"}));
    EXPECT_FALSE(platform::renamePath(root / "missing", root / "other"));
}

TEST(WholeFile, WriteThenReadGivesTheSameBytes) {
    TempFolder root;
    const std::string bytes("line\r\n\0binary\xff", 15);
    ASSERT_TRUE(platform::writeWholeFile(root / "a.bin", bytes));
    ASSERT_TRUE(platform::writeWholeFile(root / "short.txt", "longer text"));
    ASSERT_TRUE(platform::writeWholeFile(root / "SHORT.TXT", "short"));
    std::string read;
    ASSERT_TRUE(platform::readWholeFile(root / "A.BIN", read));
    EXPECT_EQ(read, bytes);
    EXPECT_EQ(treeOf(root.path()), (std::vector<std::string>{"a.bin=" + bytes, "short.txt=short"}));
}

TEST(WholeFile, ReadFailuresLeaveTheContentsAlone) {
    TempFolder root;
    fs::create_directories(root / "folder");
    std::string contents = "untouched";
    EXPECT_FALSE(platform::readWholeFile(root / "missing.txt", contents));
    EXPECT_FALSE(platform::readWholeFile(root / "folder", contents));
    EXPECT_EQ(contents, "untouched");
}

TEST(WholeFile, WritingFailsOnReadOnlyAndFullDrives) {
    TmpfsMount readOnly({{"setting.ini", "old"}}, TmpfsMount::Access::ReadOnly);
    TmpfsMount full({}, TmpfsMount::Access::Writable, TmpfsMount::kFullDiskSize);
    if (!readOnly.mounted() || !full.mounted()) {
        GTEST_SKIP() << readOnly.skipReason() << full.skipReason();
    }
    EXPECT_FALSE(platform::writeWholeFile(readOnly / "setting.ini", "new"));
    EXPECT_FALSE(platform::writeWholeFile(readOnly / "other.ini", "new"));
    EXPECT_EQ(readFile(readOnly / "setting.ini"), "old");
    EXPECT_FALSE(platform::writeWholeFile(full / "big.bin", std::string(256 * 1024, 'x')));
}

TEST(FolderCreation, MakesTheNameAsGivenBelowAParentOfAnyCase) {
    TempFolder root;
    fs::create_directories(root / "favorites");
    EXPECT_TRUE(platform::createFolder(root / "Favorites/Internet Explorer"));
    EXPECT_TRUE(fs::is_directory(root / "favorites/Internet Explorer"));
    EXPECT_FALSE(platform::createFolder(root / "favorites/internet explorer"));
    EXPECT_FALSE(platform::createFolder(root / "missing/child"));
}

TEST(FolderCreation, PrivateFolderIsOpenToItsOwnerOnly) {
    TempFolder root;
    const std::string folder = root / "cache/Velqor";
    ASSERT_TRUE(platform::createPrivateFolder(folder));
    EXPECT_TRUE(platform::createPrivateFolder(folder));
    struct stat info {};
    ASSERT_EQ(::stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    writeFile(root / "file", "");
    EXPECT_FALSE(platform::createPrivateFolder(root / "file"));
}
