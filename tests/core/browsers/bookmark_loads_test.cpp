#include "core/browsers/bookmark_loads.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/browsers/browser_locations.h"
#include "testing/files.h"
#include "testing/test_app.h"

namespace {

using browsers::BookmarkBrowser;
using browsers::LoadOutcome;
using testing_support::shortcutBytes;
using testing_support::treeOf;
using testing_support::writeFile;
using testing_support::writeLink;
using Entries = std::vector<std::string>;

std::string staged(const std::string& name, const std::string& url) { return name + ".url=" + shortcutBytes(url); }

class BookmarkLoadsTest : public ::testing::Test {
protected:
    BookmarkLoadsTest() { writeLink(staging, "Left over", "http://old/"); }

    void writeBookmarks(const std::string& relative, const testing_support::BookmarkLinks& links) {
        writeFile(profiles + "/" + relative, testing_support::bookmarkFileText(links));
    }

    testing_support::TestApp app;
    std::string profiles = app.root / "profiles";
    std::string staging = app.context.stagingFolder();
};

TEST_F(BookmarkLoadsTest, OnlyFirefoxTellsOfAMissingBookmarkFileAndOnlyFirefoxPassesOverBackups) {
    EXPECT_EQ(browsers::loadURLFirefox(profiles, staging), LoadOutcome::NoBookmarkFile);
    EXPECT_EQ(browsers::loadURLFirefox("", staging), LoadOutcome::NoBookmarkFile);
    EXPECT_EQ(browsers::loadURLMozilla(profiles, staging), LoadOutcome::Staged);

    writeBookmarks("a1/bookmarkbackups/bookmarks.html", {{"Backup", "http://backup/"}});
    // copies alone are no missing file, yet nothing is loaded and the staging folder stays
    EXPECT_EQ(browsers::loadURLFirefox(profiles, staging), LoadOutcome::Staged);
    EXPECT_EQ(treeOf(staging), Entries{staged("Left over", "http://old/")});
    for (const auto load : {browsers::loadURLMozilla, browsers::loadURLNetscape}) {
        EXPECT_EQ(load(profiles, staging), LoadOutcome::Staged);
        EXPECT_EQ(treeOf(staging), Entries{staged("Backup", "http://backup/")});
    }
}

TEST_F(BookmarkLoadsTest, AFileThatCannotBeReadEndsTheLoad) {
    writeBookmarks("a1/bookmarks.html", {{"Alpha", "http://alpha/"}});
    std::filesystem::create_directories(profiles + "/b2/bookmarks.html");
    writeBookmarks("c3/bookmarks.html", {{"Gamma", "http://gamma/"}});
    EXPECT_EQ(browsers::loadURLFirefox(profiles, staging), LoadOutcome::Unreadable);
    EXPECT_EQ(treeOf(staging), Entries{});
}

TEST_F(BookmarkLoadsTest, InternetExplorerFavoritesAreStagedSideBySideWithoutUnshowableNames) {
    const std::string favorites = app.root / "Favorites";
    testing_support::writeFavoritesRegistry(app.context.registryFile, favorites);
    writeLink(favorites, "Home", "http://home1/");
    writeLink(favorites, "Odd?", "http://odd/");
    writeFile(favorites + "/notes.txt", "not a link");
    writeLink(favorites + "/Links", "News", "http://news/");
    writeLink(favorites + "/Links/Deep", "Home", "http://home2/");
    writeLink(favorites + "/Odd? folder", "Inside", "http://inside/");
    std::filesystem::create_directories(favorites + "/Archive.url");

    browsers::loadURLIE(app.context);
    // a folder's files come before its subfolders': the deeper Home replaces the first
    EXPECT_EQ(treeOf(staging), (Entries{"Archive.url/", "Deep/", staged("Home", "http://home2/"), "Links/",
                                        staged("News", "http://news/")}));
}

TEST(ImportTopFolder, IsChosenByHowThePathBelowTheStoreRootBeginsIgnoringCase) {
    const std::pair<const char*, const char*> cases[] = {
        {"internet explorer/Work", "Internet Explorer"},
        {"netscape", "Netscape"},
        {"MOZILLA/Deep", "Mozilla"},
        {"FIREFOX/Work", "Firefox"},
        {"Firefox2", "Firefox"},
        {"Other/Firefox", "none"},
        {"Other/Internet Explorer", "none"},
        {"", "none"},
    };
    for (const auto& [destination, folder] : cases) {
        EXPECT_EQ(browsers::importTopFolder(destination).value_or("none"), folder) << destination;
    }
}

TEST_F(BookmarkLoadsTest, StoringMakesAMissingTopFolderAndReportsWhatCannotBeCopied) {
    writeLink(staging, "What?", "http://what/");
    const std::string storeRoot = app.appPath("favorites");
    writeFile(storeRoot + "/Netscape", "a file");
    const auto store = [&](const std::string& topFolder) {
        Entries failed;
        browsers::storeImportedLinks(staging, storeRoot + "/" + topFolder, {"What?.url", "Left over.url", "Gone.url"},
                                     [&](const std::string& name) { failed.push_back(name); });
        return failed;
    };
    // a name not staged is passed over without a word
    EXPECT_EQ(store("Mozilla"), Entries{"What?.url"});
    EXPECT_EQ(treeOf(storeRoot + "/Mozilla"), Entries{staged("Left over", "http://old/")});
    // a file in the place of the top folder takes nothing
    EXPECT_EQ(store("Netscape"), (Entries{"What?.url", "Left over.url"}));
    EXPECT_EQ(testing_support::readFile(storeRoot + "/Netscape"), "a file");
}

// The user profile folder is the one that holds the Favorites folder the registry names;
// Netscape uses its own profiles only when the Netscape Browser edition is installed.
TEST_F(BookmarkLoadsTest, ProfileRootsLieBelowTheFolderThatHoldsTheFavorites) {
    const struct {
        const char* favorites;
        const char* uninstallEntry;
        BookmarkBrowser browser;
        const char* root;
    } cases[] = {
        {"/u/Favorites", "Netscape Browser", BookmarkBrowser::Netscape, "/u/Application Data/Netscape/NSB/Profiles/"},
        {"/u/Favorites", "Netscape 7.2", BookmarkBrowser::Netscape, "/u/Application data/Mozilla/Profiles/"},
        {"/u/Favorites", "Other", BookmarkBrowser::Mozilla, "/u/Application data/Mozilla/Profiles/"},
        {"/u/Favorites", "Other", BookmarkBrowser::Firefox, "/u/Application data/Mozilla/Firefox/Profiles/"},
        // without a folder holding the Favorites there is no browser to look for
        {"Favorites", "Other", BookmarkBrowser::Firefox, ""},
        {"", "Other", BookmarkBrowser::Firefox, ""},
    };
    for (const auto& test : cases) {
        writeFile(app.context.registryFile,
                  std::string("Windows Registry Editor Version 5.00\r\n\r\n"
                              "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
                              "Folders]\r\n\"Favorites\"=\"") +
                      test.favorites +
                      "\"\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" +
                      test.uninstallEntry + "]\r\n");
        EXPECT_EQ(browsers::ieFavoritesFolder(app.context), test.favorites);
        EXPECT_EQ(browsers::profileRootOf(app.context, test.browser), test.root)
            << test.favorites << test.uninstallEntry;
    }
    EXPECT_TRUE(browsers::findBookmarkFiles("").empty());
}

}  // namespace
