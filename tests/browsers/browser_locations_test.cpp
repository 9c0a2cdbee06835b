#include "browsers/browser_locations.h"

#include <gtest/gtest.h>

#include "testing/files.h"
#include "testing/test_app.h"

namespace {

using browsers::BookmarkBrowser;
using testing_support::writeFile;

}  // namespace

TEST(BrowserLocations, ProfileRootsLieBelowTheFolderThatHoldsTheFavorites) {
    const struct {
        const char* favorites;
        BookmarkBrowser browser;
        bool netscapeBrowser;
        const char* root;
    } cases[] = {
        {"/p/u1/Favorites", BookmarkBrowser::Firefox, false, "/p/u1/Application data/Mozilla/Firefox/Profiles/"},
        {"/p/u1/Favorites", BookmarkBrowser::Mozilla, true, "/p/u1/Application data/Mozilla/Profiles/"},
        {"/p/u1/Favorites", BookmarkBrowser::Netscape, true, "/p/u1/Application Data/Netscape/NSB/Profiles/"},
        {"/p/u1/Favorites", BookmarkBrowser::Netscape, false, "/p/u1/Application data/Mozilla/Profiles/"},
        // without a folder holding the Favorites there is no browser to look for
        {"Favorites", BookmarkBrowser::Firefox, false, ""},
        {"", BookmarkBrowser::Firefox, false, ""},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(
            browsers::profileRoot(test.browser, browsers::userProfileFolder(test.favorites), test.netscapeBrowser),
            test.root)
            << test.favorites;
    }
    EXPECT_TRUE(browsers::findBookmarkFiles("").empty());
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
