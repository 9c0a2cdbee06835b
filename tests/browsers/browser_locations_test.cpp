#include "browsers/browser_locations.h"

#include <gtest/gtest.h>

#include "testing/temp_folder.h"
#include "testing/test_app.h"

namespace {

using browsers::BookmarkBrowser;
using testing_support::writeFile;

}  // namespace

TEST(BrowserLocations, ProfileRootsLieBelowTheFolderThatHoldsTheFavorites) {
    const std::string profile = browsers::userProfileFolder("/profiles/u1/Favorites");
    EXPECT_EQ(profile, "/profiles/u1/");
    const struct {
        BookmarkBrowser browser;
        bool netscapeBrowser;
        const char* root;
    } cases[] = {
        {BookmarkBrowser::Firefox, false, "/profiles/u1/Application data/Mozilla/Firefox/Profiles/"},
        {BookmarkBrowser::Mozilla, true, "/profiles/u1/Application data/Mozilla/Profiles/"},
        {BookmarkBrowser::Netscape, true, "/profiles/u1/Application Data/Netscape/NSB/Profiles/"},
        {BookmarkBrowser::Netscape, false, "/profiles/u1/Application data/Mozilla/Profiles/"},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(browsers::profileRoot(test.browser, profile, test.netscapeBrowser), test.root) << test.root;
    }
}

TEST(BrowserLocations, FavoritesPathWithoutAFolderMeansNoBrowserIsThere) {
    EXPECT_EQ(browsers::userProfileFolder("Favorites"), "");
    EXPECT_EQ(browsers::userProfileFolder(""), "");
    EXPECT_EQ(browsers::profileRoot(BookmarkBrowser::Firefox, "", false), "");
    EXPECT_TRUE(browsers::findBookmarkFiles("").empty());
}

TEST(BrowserLocations, FirefoxReadsEveryProfileButNotItsBackupCopies) {
    const testing_support::TempFolder root;
    for (const char* file :
         {"b.default/bookmarks.html", "b.default/BookmarkBackups/bookmarks.html", "a.work/bookmarks.html",
          "a.work/bookmarkbackups/old/bookmarks.html", "a.work/other.html"}) {
        writeFile(root / file, "x");
    }
    EXPECT_EQ(browsers::bookmarkFiles(BookmarkBrowser::Firefox, root.path()),
              (std::vector<std::string>{root / "a.work/bookmarks.html", root / "b.default/bookmarks.html"}));
    // the other browsers take every file found, a folder's own before its subfolders'
    EXPECT_EQ(browsers::bookmarkFiles(BookmarkBrowser::Mozilla, root.path()),
              (std::vector<std::string>{
                  root / "a.work/bookmarks.html", root / "a.work/bookmarkbackups/old/bookmarks.html",
                  root / "b.default/bookmarks.html", root / "b.default/BookmarkBackups/bookmarks.html"}));
}

TEST(BrowserLocations, NetscapeUsesItsOwnProfilesOnlyWhenTheBrowserEditionIsInstalled) {
    testing_support::TestApp app;
    const auto writeRegistry = [&](const char* uninstallEntry) {
        writeFile(app.context.registryFile,
                  std::string("Windows Registry Editor Version 5.00\r\n\r\n"
                              "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
                              "Folders]\r\n\"Favorites\"=\"/home/u2/Favorites\"\r\n\r\n"
                              "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") +
                      uninstallEntry + "]\r\n");
    };
    writeRegistry("Netscape Browser");
    EXPECT_EQ(browsers::ieFavoritesFolder(app.context), "/home/u2/Favorites");
    EXPECT_EQ(browsers::profileRootOf(app.context, BookmarkBrowser::Netscape),
              "/home/u2/Application Data/Netscape/NSB/Profiles/");
    EXPECT_TRUE(app.context.netscapeBrowserInstalled);

    writeRegistry("Netscape 7.2");
    EXPECT_EQ(browsers::profileRootOf(app.context, BookmarkBrowser::Netscape),
              "/home/u2/Application data/Mozilla/Profiles/");
    EXPECT_FALSE(app.context.netscapeBrowserInstalled);
}
