#include "store/folder_scan.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testing/files.h"

using testing_support::TempFolder;
using testing_support::writeFile;
using testing_support::writeLink;

TEST(FolderScan, EachFolderCarriesTheImageOfTheBrowserWhoseTopFolderHoldsIt) {
    struct Case {
        const char* folder;
        int image;
    };
    const Case cases[] = {
        {"/stick/app/Favorites/Internet Explorer", store::kImageInternetExplorer},
        {"/stick/app/favorites/internet explorer/Links/Deep", store::kImageInternetExplorer},
        {"/stick/app/Favorites/Firefox/Work", store::kImageFirefox},
        {"/stick/app/Favorites/Mozilla", store::kImageMozilla},
        {"/stick/app/Favorites/Netscape/News", store::kImageNetscape},
        {"/stick/app/Favorites/Firefo", store::kImagePlainFolder},
        {"/stick/app/Favorites/FirefoxStuff", store::kImageFirefox},
    };
    for (const Case& each : cases) {
        EXPECT_EQ(store::folderImage("/stick/app", each.folder), each.image) << each.folder;
    }
}

TEST(FolderScan, SubfoldersSkipFilesAndDotNamesAndAreKeyedByTheirStorePath) {
    const TempFolder app;
    const std::string root = app / "Favorites/";
    std::filesystem::create_directories(root + "Firefox/Work");
    std::filesystem::create_directories(root + ".hidden");
    std::filesystem::create_directories(root + "Internet Explorer");
    writeLink(root, "Loose", "http://loose");

    const std::vector<store::SubfolderEntry> folders = store::scanSubfolders(app.path(), root);

    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(folders[0].name, "Firefox");
    EXPECT_EQ(folders[0].key, root + "Firefox");
    EXPECT_EQ(folders[0].image, store::kImageFirefox);
    EXPECT_EQ(folders[1].name, "Internet Explorer");
    EXPECT_EQ(folders[1].image, store::kImageInternetExplorer);
}

TEST(FolderScan, LinkRowsShowNameTargetAndFullPath) {
    const TempFolder store;
    writeLink(store.path(), "News", "http://news.example/");
    writeLink(store.path(), "Page.url", "http://page.example/");
    writeFile(store / "Broken.url", "not a shortcut at all");
    writeFile(store / "notes.txt", "ignored");
    // a folder named like a link is listed only when it carries another attribute
    std::filesystem::create_directories(store / "Plain.url");
    std::filesystem::create_directories(store / ".Hidden.url");

    const std::vector<store::LinkRow> rows = store::listLinks(store.path() + "/", store::RowText::LinkName);

    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].name, ".Hidden");
    EXPECT_EQ(rows[0].target, "");
    EXPECT_EQ(rows[1].name, "Broken");
    EXPECT_EQ(rows[1].target, "");
    EXPECT_EQ(rows[2].name, "News");
    EXPECT_EQ(rows[2].target, "http://news.example/");
    EXPECT_EQ(rows[2].fullPath, store / "News.url");
    // the name is cut at the last ".url" only
    EXPECT_EQ(rows[3].name, "Page.url");

    const std::vector<store::LinkRow> files = store::listLinks(store.path() + "/", store::RowText::FileName);
    EXPECT_EQ(files[2].name, "News.url");
    EXPECT_TRUE(store::listLinks(store / "missing/", store::RowText::LinkName).empty());
}
