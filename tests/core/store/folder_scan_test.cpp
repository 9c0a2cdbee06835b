#include "core/store/folder_scan.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testing/files.h"

using testing_support::writeLink;

TEST(FolderScan, EachFolderCarriesTheImageOfTheBrowserWhoseTopFolderHoldsIt) {
    const std::pair<const char*, int> cases[] = {
        {"/stick/app/Favorites/Internet Explorer", store::kImageInternetExplorer},
        {"/stick/app/favorites/internet explorer/Links/Deep", store::kImageInternetExplorer},
        {"/stick/app/Favorites/Firefox/Work", store::kImageFirefox},
        {"/stick/app/Favorites/Mozilla", store::kImageMozilla},
        {"/stick/app/Favorites/Netscape/News", store::kImageNetscape},
        {"/stick/app/Favorites/Firefo", store::kImagePlainFolder},
        {"/stick/app/Favorites/FirefoxStuff", store::kImageFirefox},
    };
    for (const auto& [folder, image] : cases) {
        EXPECT_EQ(store::folderImage("/stick/app", folder), image) << folder;
    }
}

TEST(FolderScan, LinkRowsShowNameTargetAndFullPath) {
    const testing_support::TempFolder folder;
    writeLink(folder.path(), "News", "http://news.example/");
    // the name is cut at the last ".url" only
    writeLink(folder.path(), "Page.url", "http://page.example/");
    testing_support::writeFile(folder / "Broken.url", "not a shortcut at all");
    testing_support::writeFile(folder / "notes.txt", "ignored");
    // a folder named like a link is listed only when it carries another attribute
    std::filesystem::create_directories(folder / "Plain.url");
    std::filesystem::create_directories(folder / ".Hidden.url");
    const auto rowsOf = [&](store::RowText text) {
        std::vector<std::string> rows;
        for (const store::LinkRow& row : store::listLinks(folder.path() + "/", text)) {
            rows.push_back(row.name + " | " + row.target + " | " + row.fullPath);
        }
        return rows;
    };
    EXPECT_EQ(
        rowsOf(store::RowText::LinkName),
        (std::vector<std::string>{".Hidden |  | " + folder / ".Hidden.url", "Broken |  | " + folder / "Broken.url",
                                  "News | http://news.example/ | " + folder / "News.url",
                                  "Page.url | http://page.example/ | " + folder / "Page.url.url"}));
    EXPECT_EQ(rowsOf(store::RowText::FileName).at(2), "News.url | http://news.example/ | " + folder / "News.url");
    EXPECT_TRUE(store::listLinks(folder / "missing/", store::RowText::LinkName).empty());
}
