#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <string>
#include <tuple>
#include <vector>

#include "core/store/folder_scan.h"
#include "core/store/shortcut.h"
#include "testing/files.h"

using testing_support::writeFile;

TEST(Shortcut, LinkFileHoldsExactlyTwoLinesWhateverItHeldBeforeAndItsTargetIsReadBack) {
    testing_support::TempFolder folder;
    writeFile(folder / "Old.url",
              "[DEFAULT]\r\nBASEURL=http://old/\r\n[InternetShortcut]\r\nURL=http://old/\r\nIconIndex=1\r\n");
    ASSERT_TRUE(store::writeLink(folder / "Old.url", "not a url, with spaces"));
    ASSERT_TRUE(store::writeLink(folder / "News.url", "abc"));
    EXPECT_EQ(testing_support::treeOf(folder.path()),
              (std::vector<std::string>{"News.url=[InternetShortcut]\r\nURL=abc\r\n",
                                        "Old.url=[InternetShortcut]\r\nURL=not a url, with spaces\r\n"}));

    // the target is read from its section only, and whole
    const std::string file = folder / "t.url";
    const std::string longTarget = "http://example.com/?q=" + std::string(2000, 'q');
    const std::pair<std::string, std::string> cases[] = {
        {"[InternetShortcut]\r\nURL=http://a/\r\n", "http://a/"},
        {"[internetshortcut]\rurl = http://b/ \r", "http://b/"},
        {"[Other]\r\nURL=http://c/\r\n[InternetShortcut]\r\nIDList=\r\n", ""},
        {"not a shortcut at all", ""},
        {store::linkFileText(longTarget), longTarget}};
    for (const auto& [contents, target] : cases) {
        writeFile(file, contents);
        EXPECT_EQ(store::readLinkTarget(file), target) << contents;
    }
    EXPECT_EQ(store::readLinkTarget(folder / "missing.url"), "");
}

// A link shows as the file name before its last ".url"; a typed name gets ".url" unless it
// holds one already.
TEST(Shortcut, LinkNamesAndFileNamesAreTiedByTheirUrl) {
    const std::tuple<std::string_view, std::string_view, std::string_view> cases[] = {
        {"News.url", "News", "News.url"},
        {"Page.url.url", "Page.url", "Page.url.url"},
        {"Page.URL", "Page", "Page.URL"},
        {"my.url.backup", "my", "my.url.backup"},
        {".url", "", ".url"},
        {"readme.txt", "readme.txt", "readme.txt.url"},
        {"a.urlx", "a", "a.urlx"},
        {"a.Url.b.uRL.c", "a.Url.b", "a.Url.b.uRL.c"},
        {"url", "url", "url.url"},
        {"Page.ur", "Page.ur", "Page.ur.url"}};
    for (const auto& [name, linkName, fileName] : cases) {
        EXPECT_EQ(store::linkNameOf(name), linkName) << name;
        EXPECT_EQ(store::fileNameForTypedName(name), fileName) << name;
    }
}

// The name is cut at the last ".url" only; a folder named like a link is listed only when it
// carries another attribute; only plain files are read.
TEST(FolderScan, LinkRowsShowNameTargetAndFullPath) {
    const testing_support::TempFolder folder;
    testing_support::writeLink(folder.path(), "News", "http://news.example/");
    testing_support::writeLink(folder.path(), "Page.url", "http://page.example/");
    writeFile(folder / "Broken.url", "not a shortcut at all");
    writeFile(folder / "notes.txt", "ignored");
    std::filesystem::create_directories(folder / "Plain.url");
    std::filesystem::create_directories(folder / ".Hidden.url");
    // a pipe is passed over unopened, also through a symbolic link: opening it would wait for a writer
    ASSERT_EQ(::mkfifo((folder / "Pipe.url").c_str(), 0600), 0);
    std::filesystem::create_symlink(folder / "Pipe.url", folder / "ToPipe.url");
    std::string rows;
    for (const auto text : {store::RowText::LinkName, store::RowText::FileName}) {
        std::vector<std::string> listed;
        for (const store::LinkRow& row : store::listLinks(folder.path() + "/", text)) {
            listed.push_back(row.name + " | " + row.target + " | " + row.fullPath.substr(folder.path().size()) + ", ");
        }
        std::sort(listed.begin(), listed.end());
        rows += std::accumulate(listed.begin(), listed.end(), std::string());
    }
    EXPECT_EQ(rows,
              ".Hidden |  | /.Hidden.url, Broken |  | /Broken.url, News | http://news.example/ | /News.url, "
              "Page.url | http://page.example/ | /Page.url.url, .Hidden.url |  | /.Hidden.url, Broken.url |  | "
              "/Broken.url, News.url | http://news.example/ | /News.url, Page.url.url | http://page.example/ | "
              "/Page.url.url, ");
    EXPECT_TRUE(store::listLinks(folder / "missing/", store::RowText::LinkName).empty());
}
