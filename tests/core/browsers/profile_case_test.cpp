#include <gtest/gtest.h>

#include "core/browsers/export_writer.h"
#include "testing/files.h"
#include "testing/test_app.h"

namespace {

using testing_support::readFile;

// Windows keeps "Application Data" where the program looks for "Application data": every
// path reaches the drive in the case the drive holds it, whatever case it is written in.
TEST(ProfileCase, ExportToFirefoxWritesABookmarkFileWhoseFoldersDifferInCaseInEveryComponent) {
    testing_support::TestApp app;
    testing_support::writeFavoritesRegistry(app.context.registryFile, app.root / "home/Favorites");
    const std::string bookmarkFile =
        app.root / "HOME/APPLICATION DATA/MOZILLA/FIREFOX/PROFILES/X1.DEFAULT/BOOKMARKS.HTML";
    testing_support::writeFile(bookmarkFile, "<DL><p>\r\n</DL><p>\r\n");
    testing_support::writeLink(app.appPath("favorites/Firefox"), "News", "http://news.example/");

    static_cast<void>(browsers::StoreURLFirefox(
        app.context, {browsers::ExportItem{"News.url", app.appPath("favorites/Firefox/News.url"), true}}));

    EXPECT_EQ(readFile(bookmarkFile),
              "<DL><p>\r\n" + browsers::bookmarkLine("News", "http://news.example/") + "\r\n</DL><p>\r\n");
}

}  // namespace
