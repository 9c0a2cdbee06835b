#include "core/store/store_files.h"

#include <gtest/gtest.h>

#include "testing/files.h"

using testing_support::treeOf;
using testing_support::writeFile;

TEST(CreateFolder, OnAnEmptyDriveMakesTheStoreWithTwoBrowserFoldersAndOnACompleteOneNothing) {
    testing_support::TempFolder empty;
    store::CreateFolder(empty.path());
    EXPECT_EQ(treeOf(empty.path()),
              (std::vector<std::string>{"favorites/", "favorites/Firefox/", "favorites/Internet Explorer/"}));
    testing_support::TempFolder app;
    writeFile(app / "Favorites/FIREFOX/News/a.url", "a");
    writeFile(app / "Favorites/internet explorer/b.url", "b");
    const std::vector<std::string> before = treeOf(app.path());
    store::CreateFolder(app.path());
    EXPECT_EQ(treeOf(app.path()), before);
}
