#include "core/store/shortcut.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "testing/files.h"

using testing_support::readFile;
using testing_support::writeFile;

TEST(Shortcut, LinkFileHoldsExactlyTwoLinesWhateverItHeldBefore) {
    testing_support::TempFolder folder;
    writeFile(folder / "Old.url",
              "[DEFAULT]\r\nBASEURL=http://old/\r\n[InternetShortcut]\r\nURL=http://old/\r\nIconIndex=1\r\n");
    ASSERT_TRUE(store::writeLink(folder / "Old.url", "not a url, with spaces"));
    ASSERT_TRUE(store::writeLink(folder / "News.url", "abc"));
    EXPECT_EQ(testing_support::treeOf(folder.path()),
              (std::vector<std::string>{"News.url=[InternetShortcut]\r\nURL=abc\r\n",
                                        "Old.url=[InternetShortcut]\r\nURL=not a url, with spaces\r\n"}));
}

TEST(Shortcut, TargetIsReadFromItsSectionOnlyAndWhole) {
    testing_support::TempFolder folder;
    const std::string file = folder / "t.url";
    const std::string longTarget = "http://example.com/?q=" + std::string(2000, 'q');
    const std::pair<std::string, std::string> cases[] = {
        {"[InternetShortcut]\r\nURL=http://a/\r\n", "http://a/"},
        {"[internetshortcut]\rurl = http://b/ \r", "http://b/"},
        {"[Other]\r\nURL=http://c/\r\n[InternetShortcut]\r\nIDList=\r\n", ""},
        {"not a shortcut at all", ""},
        {store::linkFileText(longTarget), longTarget},
    };
    for (const auto& [contents, target] : cases) {
        writeFile(file, contents);
        EXPECT_EQ(store::readLinkTarget(file), target) << contents;
    }
    EXPECT_EQ(store::readLinkTarget(folder / "missing.url"), "");
}

// A link shows as the file name before its last ".url"; a typed name gets ".url" unless it
// holds one already.
TEST(Shortcut, LinkNamesAndFileNamesAreTiedByTheirUrl) {
    const struct {
        std::string_view name, linkName, fileName;
    } cases[] = {
        {"News.url", "News", "News.url"},
        {"Page.url.url", "Page.url", "Page.url.url"},
        {"Page.URL", "Page", "Page.URL"},
        {"my.url.backup", "my", "my.url.backup"},
        {"readme.txt", "readme.txt", "readme.txt.url"},
        {".url", "", ".url"},
        {"a.Url.b.uRL.c", "a.Url.b", "a.Url.b.uRL.c"},
        {"a.urlx", "a", "a.urlx"},
        {"url", "url", "url.url"},
        {"Page.ur", "Page.ur", "Page.ur.url"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(store::linkNameOf(c.name), c.linkName) << c.name;
        EXPECT_EQ(store::fileNameForTypedName(c.name), c.fileName) << c.name;
    }
}

TEST(Shortcut, RealLinkFilesGiveTheirTargets) {
    const std::filesystem::path folder = std::filesystem::path(DORVANE_CORPUS_DIR) / "url-files";
    if (!std::filesystem::is_directory(folder)) {
        GTEST_SKIP() << "no sample link files at " << folder;
    }
    const std::map<std::string, std::string> targets = {
        {"ajaxmin__Documentation.url", "http://ajaxmin.codeplex.com/Documentation/"},
        {"btanks__donate.url", "http://btanks.sourceforge.net/blog/donation-page/"},
        {"btanks__homepage.url", "http://btanks.sourceforge.net/"},
        {"chromium-via-fastvc__Google.url", "http://www.google.com/"},
        {"exoline__website.url", "http://github.com/exosite/exoline"},
        {"happysolver__Homepage.url", "http://happysolver.sourceforge.net/"},
        {"sgtpuzzles__website.url", "https://www.chiark.greenend.org.uk/~sgtatham/puzzles/"},
        {"shenmue-translation-pack__website.url", "http://shenmuesubs.sourceforge.net/"},
        {"weg__email.url", "mailto:weg@davep.org"},
        {"weg__website.url", "http://www.davep.org/norton-guides/#weg"},
    };
    std::size_t checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        const auto expected = targets.find(name);
        ASSERT_NE(expected, targets.end()) << "no expected target written down for " << name;
        EXPECT_EQ(store::readLinkTarget(entry.path().string()), expected->second) << name;
        ++checked;
    }
    EXPECT_EQ(checked, targets.size());
}
