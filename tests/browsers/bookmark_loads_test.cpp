#include "browsers/bookmark_loads.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "testing/file_tree.h"
#include "testing/store_builder.h"
#include "testing/test_app.h"

namespace {

using testing_support::shortcutBytes;
using testing_support::treeOf;
using testing_support::writeFile;
using testing_support::writeLink;
using Entries = std::vector<std::string>;

// A bookmark file as a browser writes it: one anchor line per (name, URL) inside the root list.
std::string bookmarkFile(const std::vector<std::pair<std::string, std::string>>& links) {
    std::string text = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<TITLE>Bookmarks</TITLE>\n<DL><p>\n";
    for (const auto& [name, url] : links) {
        text += "    <DT><A HREF=\"" + url + "\" ADD_DATE=\"1113502144\">" + name + "</A>\n";
    }
    return text + "</DL><p>\n";
}

std::string staged(const std::string& name, const std::string& url) { return name + ".url=" + shortcutBytes(url); }

class BookmarkLoadsTest : public ::testing::Test {
protected:
    BookmarkLoadsTest() { writeFile(staging + "/Left over.url", shortcutBytes("http://old.example/")); }

    void writeBookmarks(const std::string& relative, const std::vector<std::pair<std::string, std::string>>& links) {
        writeFile(profiles + "/" + relative, bookmarkFile(links));
    }

    testing_support::TestApp app;
    std::string profiles = app.root / "home/u1/Application data/Mozilla/Firefox/Profiles";
    std::string staging = app.context.stagingFolder();
};

TEST_F(BookmarkLoadsTest, FirefoxStagesTheLinksOfEveryProfileButNeverOfItsBackups) {
    writeBookmarks("a1.default/bookmarks.html", {{"Alpha", "http://alpha.example/"}, {"News", "http://news1/"}});
    writeBookmarks("a1.default/bookmarkbackups/bookmarks.html", {{"Backup", "http://backup.example/"}});
    writeBookmarks("b2.default/BookmarkBackups/old/bookmarks.html", {{"Old", "http://old.example/"}});
    writeBookmarks("b2.default/bookmarks.html", {{"Beta", "http://beta.example/"}, {"News", "http://news2/"}});

    EXPECT_EQ(browsers::loadURLFirefox(profiles, staging), browsers::LoadOutcome::Staged);
    // the later profile's News wins; what the staging folder held before is gone
    EXPECT_EQ(treeOf(staging), (Entries{staged("Alpha", "http://alpha.example/"),
                                        staged("Beta", "http://beta.example/"), staged("News", "http://news2/")}));
}

TEST_F(BookmarkLoadsTest, FirefoxTellsWhenNoBookmarkFileIsFoundAtAll) {
    EXPECT_EQ(browsers::loadURLFirefox(profiles, staging), browsers::LoadOutcome::NoBookmarkFile);
    EXPECT_EQ(browsers::loadURLFirefox("", staging), browsers::LoadOutcome::NoBookmarkFile);
    // the other browsers load nothing without a word
    EXPECT_EQ(browsers::loadURLMozilla(profiles, staging), browsers::LoadOutcome::Staged);
    EXPECT_EQ(browsers::loadURLNetscape(profiles, staging), browsers::LoadOutcome::Staged);

    // backup copies alone are found, so that is no missing file, yet nothing is loaded
    writeBookmarks("a1.default/bookmarkbackups/bookmarks.html", {{"Backup", "http://backup.example/"}});
    EXPECT_EQ(browsers::loadURLFirefox(profiles, staging), browsers::LoadOutcome::Staged);
    EXPECT_EQ(treeOf(staging), Entries{staged("Left over", "http://old.example/")});
}

TEST_F(BookmarkLoadsTest, MozillaAndNetscapeReadEveryFileFoundBackupsIncluded) {
    writeBookmarks("a1/bookmarks.html", {{"Alpha", "http://alpha.example/"}});
    writeBookmarks("a1/bookmarkbackups/bookmarks.html", {{"Backup", "http://backup.example/"}});
    for (const auto load : {browsers::loadURLMozilla, browsers::loadURLNetscape}) {
        EXPECT_EQ(load(profiles, staging), browsers::LoadOutcome::Staged);
        EXPECT_EQ(treeOf(staging), (Entries{staged("Alpha", "http://alpha.example/"),
                                            staged("Backup", "http://backup.example/")}));
    }
}

TEST_F(BookmarkLoadsTest, AFileThatCannotBeReadEndsTheLoad) {
    writeBookmarks("a1.default/bookmarks.html", {{"Alpha", "http://alpha.example/"}});
    std::filesystem::create_directories(profiles + "/b2.default/bookmarks.html");
    writeBookmarks("c3.default/bookmarks.html", {{"Gamma", "http://gamma.example/"}});

    EXPECT_EQ(browsers::loadURLFirefox(profiles, staging), browsers::LoadOutcome::Unreadable);
    EXPECT_EQ(treeOf(staging), Entries{});
}

TEST_F(BookmarkLoadsTest, InternetExplorerFavoritesAreStagedSideBySideWithoutUnshowableNames) {
    const std::string favorites = app.root / "home/u1/Favorites";
    writeFile(app.context.registryFile,
              "Windows Registry Editor Version 5.00\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]\r\n"
              "\"Favorites\"=\"" + favorites + "\"\r\n");
    writeLink(favorites, "Home", "http://home1/");
    writeLink(favorites, "Odd?", "http://odd.example/");
    writeFile(favorites + "/notes.txt", "not a link");
    writeLink(favorites + "/Links", "News", "http://news.example/");
    writeLink(favorites + "/Links/Deep", "Home", "http://home2/");
    writeLink(favorites + "/Odd? folder", "Inside", "http://inside.example/");
    std::filesystem::create_directories(favorites + "/Archive.url");

    browsers::loadURLIE(app.context);
    // files of a folder come before those of its subfolders: the deeper Home replaces the first
    EXPECT_EQ(treeOf(staging), (Entries{"Archive.url/", "Deep/", staged("Home", "http://home2/"), "Links/",
                                        staged("News", "http://news.example/")}));
}

TEST(ImportTopFolder, IsChosenByHowTheDestinationBeginsIgnoringCase) {
    const std::pair<const char*, const char*> cases[] = {
        {"Internet Explorer/Work", "Internet Explorer"},
        {"internet explorer", "Internet Explorer"},
        {"Netscape", "Netscape"},
        {"MOZILLA/Deep/Deeper", "Mozilla"},
        {"Firefox/Work", "Firefox"},
        {"Firefox2", "Firefox"},
        {"Other/Firefox", nullptr},
        {"Fire", nullptr},
        {"", nullptr},
    };
    for (const auto& [destination, folder] : cases) {
        const std::optional<std::string> top = browsers::importTopFolder(destination);
        EXPECT_EQ(top.value_or("none"), folder ? folder : "none") << destination;
    }
}

class StoreImportedLinksTest : public BookmarkLoadsTest {
protected:
    std::vector<std::string> store(const std::string& target, const std::vector<std::string>& names) {
        std::vector<std::string> failed;
        browsers::storeImportedLinks(staging, target, names, [&](const std::string& name) { failed.push_back(name); });
        return failed;
    }

    std::string storeRoot = app.appPath("favorites");
};

TEST_F(StoreImportedLinksTest, CopiesIntoTheTopFolderReplacingLinksOfTheSameName) {
    writeLink(staging, "News", "http://new.example/");
    writeLink(staging, "Sport", "http://sport.example/");
    writeLink(storeRoot + "/Firefox", "news", "http://old.example/");
    writeLink(storeRoot + "/Firefox", "Kept", "http://kept.example/");

    EXPECT_EQ(store(storeRoot + "/Firefox", {"News.url", "Sport.url", "Gone.url"}), Entries{});
    // the file system finds "News" under the name it already has
    EXPECT_EQ(treeOf(storeRoot + "/Firefox"), (Entries{staged("Kept", "http://kept.example/"),
                                                       staged("Sport", "http://sport.example/"),
                                                       staged("news", "http://new.example/")}));
}

TEST_F(StoreImportedLinksTest, MakesAMissingTopFolderAndReportsRowsThatCannotBeCopied) {
    writeLink(staging, "What?", "http://what.example/");
    writeLink(staging, "Fine", "http://fine.example/");
    std::filesystem::create_directories(storeRoot);

    EXPECT_EQ(store(storeRoot + "/Mozilla", {"What?.url", "Fine.url"}), Entries{"What?.url"});
    EXPECT_EQ(treeOf(storeRoot + "/Mozilla"), Entries{staged("Fine", "http://fine.example/")});

    // a file in the place of the top folder takes nothing
    writeFile(storeRoot + "/Netscape", "a file");
    EXPECT_EQ(store(storeRoot + "/Netscape", {"Fine.url"}), Entries{"Fine.url"});
    EXPECT_EQ(testing_support::readFile(storeRoot + "/Netscape"), "a file");
}

}  // namespace
