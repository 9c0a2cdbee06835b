#include "store/shortcut.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "testing/files.h"

using testing_support::readFile;
using testing_support::TempFolder;
using testing_support::writeFile;

TEST(Shortcut, LinkFileHoldsExactlyTwoLinesWhateverItHeldBefore) {
    TempFolder folder;
    const std::string file = folder / "Old.url";
    writeFile(file, "[DEFAULT]\r\nBASEURL=http://old/\r\n[InternetShortcut]\r\nURL=http://old/\r\nIconIndex=1\r\n");
    ASSERT_TRUE(store::writeLink(file, "not a url, with spaces"));
    EXPECT_EQ(readFile(file), "[InternetShortcut]\r\nURL=not a url, with spaces\r\n");
    ASSERT_TRUE(store::writeLink(folder / "News.url", "abc"));
    EXPECT_EQ(readFile(folder / "News.url"), "[InternetShortcut]\r\nURL=abc\r\n");
}

TEST(Shortcut, TargetIsReadFromItsSectionOnly) {
    TempFolder folder;
    const std::string file = folder / "t.url";
    const struct {
        std::string_view contents, target;
    } cases[] = {
        {"[InternetShortcut]\r\nURL=http://a/\r\n", "http://a/"},
        {"[internetshortcut]\rurl = http://b/ \r", "http://b/"},
        {"[Other]\r\nURL=http://c/\r\n[InternetShortcut]\r\nIDList=\r\n", ""},
        {"not a shortcut at all", ""},
    };
    for (const auto& c : cases) {
        writeFile(file, c.contents);
        EXPECT_EQ(store::readLinkTarget(file), c.target) << c.contents;
    }
    EXPECT_EQ(store::readLinkTarget(folder / "missing.url"), "");
    // a long target is read whole
    const std::string target = "http://example.com/?q=" + std::string(2000, 'q');
    ASSERT_TRUE(store::writeLink(file, target));
    EXPECT_EQ(store::readLinkTarget(file), target);
}

TEST(Shortcut, LinkNameIsTheFileNameBeforeItsLastUrl) {
    const struct {
        std::string_view fileName, linkName;
    } cases[] = {
        {"News.url", "News"},         {"Page.url.url", "Page.url"}, {"Page.URL", "Page"},
        {"my.url.backup", "my"},      {"readme.txt", "readme.txt"}, {".url", ""},
        {"a.Url.b.uRL.c", "a.Url.b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(store::linkNameOf(c.fileName), c.linkName) << c.fileName;
    }
}

TEST(Shortcut, TypedNameGetsUrlUnlessItHoldsOne) {
    const struct {
        std::string_view typed, fileName;
    } cases[] = {
        {"News", "News.url"}, {"Page.URL", "Page.URL"}, {"my.url.backup", "my.url.backup"},
        {"a.urlx", "a.urlx"}, {"url", "url.url"},       {"Page.ur", "Page.ur.url"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(store::fileNameForTypedName(c.typed), c.fileName) << c.typed;
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
