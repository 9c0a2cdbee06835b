#include "core/browsers/export_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/app/scratch_folder.h"
#include "core/browsers/bookmark_reader.h"
#include "testing/files.h"
#include "testing/test_app.h"

namespace {

using browsers::ExportItem;
using testing_support::readFile;
using testing_support::shortcutBytes;
using testing_support::treeOf;
using testing_support::writeFile;
using Entries = std::vector<std::string>;

std::string lineFor(const std::string& name, const std::string& url) {
    return "<DT><A HREF=\"" + url + "\" ADD_DATE =\"1113502144\" LAST_MODIFIED =\"1113502155\">" + name + "</A>\r\n";
}

class ExportWriterTest : public ::testing::Test {
protected:
    // A link of the store, listed as the export list lists it.
    ExportItem link(const std::string& name, const std::string& url, bool checked = true,
                    const std::string& folder = "favorites/Firefox") {
        testing_support::writeLink(app.appPath(folder), name, url);
        return ExportItem{name + ".url", app.appPath(folder) + "/" + name + ".url", checked};
    }

    // Exports into the single bookmark file of a profile below the test's profile root.
    std::string exportInto(const std::string& bookmarks, const std::vector<ExportItem>& items) {
        writeFile(bookmarkFile(), bookmarks);
        EXPECT_EQ(browsers::EditHTML(profileRoot(), items), browsers::ExportOutcome::Done);
        return readFile(bookmarkFile());
    }

    std::string profileRoot() const { return app.root / "profile/Application data/Mozilla/Firefox/Profiles"; }
    std::string bookmarkFile() const { return profileRoot() + "/x1.default/bookmarks.html"; }

    testing_support::TestApp app;
};

}  // namespace

// The names of one export are compared only with the file's old lines, so two checked links
// of one name are both written, and so are "Sport" and "Sports".
TEST_F(ExportWriterTest, CheckedLinksGoBeforeTheClosingLineAndEveryLineEndsInCrLf) {
    // a link file without a target gives an empty address
    writeFile(app.appPath("favorites/Firefox/Empty.url"), "[InternetShortcut]\r\n");
    const std::vector<ExportItem> items{link("News", "http://news/?a=1&b=2", true, "favorites/Firefox/A"),
                                        link("Skipped", "http://s/", false),
                                        link("Bare", "x y"),
                                        {"Empty.url", app.appPath("favorites/Firefox/Empty.url"), true},
                                        link("News", "http://two/", true, "favorites/Firefox/B"),
                                        link("Sport", "http://three/"),
                                        link("Sports", "http://four/")};
    const std::string written =
        exportInto("<TITLE>Bookmarks</TITLE>\n<DL><p>\r    <DT><H3>Old</H3>\r\n</DL><p>\n", items);
    EXPECT_EQ(written, "<TITLE>Bookmarks</TITLE>\r\n<DL><p>\r\n    <DT><H3>Old</H3>\r\n" +
                           lineFor("News", "http://news/?a=1&b=2") + lineFor("Bare", "x y") + lineFor("Empty", "") +
                           lineFor("News", "http://two/") + lineFor("Sport", "http://three/") +
                           lineFor("Sports", "http://four/") + "</DL><p>\r\n");
    EXPECT_EQ(treeOf(profileRoot()), (Entries{"x1.default/", "x1.default/bookmarks.html=" + written}));
    EXPECT_TRUE(app.messages.shown.empty());
}

TEST_F(ExportWriterTest, WhateverTheLastLineIsItIsReplacedByTheClosingLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"<DL><p>", ""},
        {"<DL><p>\n</DL><p>\n\n", "<DL><p>\r\n</DL><p>\r\n"},
        {"<DL><p>\r\nlast", "<DL><p>\r\n"},
    };
    for (const auto& [bookmarks, start] : cases) {
        EXPECT_EQ(exportInto(bookmarks, {link("Q", "u")}), start + lineFor("Q", "u") + "</DL><p>\r\n") << bookmarks;
    }
}

// A name counts as present when an old line holds it after the line's first character,
// letters compared without regard to case.
TEST_F(ExportWriterTest, LinkIsLeftOutWhenAnOldLineHoldsItsNameAfterTheLinesFirstCharacter) {
    const struct {
        const char* name;
        std::string bookmarks;
        bool written;
    } cases[] = {
        {"Mail", "<DT><A HREF=\"http://w/\">Webmail</A>\n</DL><p>\n", false},
        {"news", "<DT><A HREF=\"http://n/\">NEWS</A>\n</DL><p>\n", false},
        {"Mail", "Mail\nMail box\n</DL><p>\n", true},
        {"ab", "xab\n</DL><p>\n", false},
        {"ab", "x\nab\n</DL><p>\n", true},
        {"abc", "xa\nbc\n</DL><p>\n", true},
        {"Home", "<DL><p>\n  HomeX", false},
        {"Größe", "xGRößE\n</DL><p>\n", false},
        {"é", "éx\n</DL><p>\n", true},
        {"Folder", "<DT><H3>Folder</H3>\n</DL><p>\n", false},
    };
    for (const auto& test : cases) {
        const std::string written = exportInto(test.bookmarks, {link(test.name, "u")});
        EXPECT_EQ(written.find(lineFor(test.name, "u")) != std::string::npos, test.written)
            << test.name << " in " << test.bookmarks;
    }
}

TEST_F(ExportWriterTest, ExportedLinksAreReadBackByTheBookmarkReader) {
    const testing_support::BookmarkLinks links{{"Search engine", "https://search.example/?q=a&lang=en"},
                                               {"Docs (new)", "http://docs.example/index.html"},
                                               {"caf\xC3\xA9", "http://cafe.example/"}};
    std::vector<ExportItem> items;
    for (const auto& [name, url] : links) {
        items.push_back(link(name, url));
    }
    browsers::LinkTable table;
    browsers::extractFURL(exportInto("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n</DL><p>\n", items), table);
    testing_support::BookmarkLinks readBack;
    for (std::size_t i = 0; i < table.size(); ++i) {
        readBack.emplace_back(table.at(i).name, table.at(i).url);
    }
    EXPECT_EQ(readBack, links);
}

TEST_F(ExportWriterTest, TheFileFoundLastReceivesTheLinksAndAMissingFileIsReported) {
    std::filesystem::create_directories(profileRoot() + "/x1.default");
    EXPECT_EQ(browsers::EditHTML(profileRoot(), {link("A", "u")}), browsers::ExportOutcome::NoBookmarkFile);
    EXPECT_EQ(treeOf(profileRoot()), Entries{"x1.default/"});

    writeFile(profileRoot() + "/a.default/bookmarks.html", "</DL><p>\n");
    writeFile(profileRoot() + "/b.default/bookmarks.html", "</DL><p>\n");
    EXPECT_EQ(browsers::EditHTML(profileRoot(), {link("A", "u")}), browsers::ExportOutcome::Done);
    EXPECT_EQ(readFile(profileRoot() + "/a.default/bookmarks.html"), "</DL><p>\n");
    EXPECT_EQ(readFile(profileRoot() + "/b.default/bookmarks.html"), lineFor("A", "u") + "</DL><p>\r\n");
}

// Only the top folder's links are staged, also for a list that shows a subfolder: the files of
// the listed names beside the top folder's links travel, checked or not.
TEST_F(ExportWriterTest, InternetExplorerReceivesTheTopFoldersCopiesOfEveryListedLink) {
    const std::string favorites = app.root / "home/Favorites";
    testing_support::writeFavoritesRegistry(app.context.registryFile, favorites);
    link("Top", "http://top/", true, "favorites/Internet Explorer");
    link("Both", "http://top-both/", true, "favorites/Internet Explorer");
    writeFile(app.context.stagingFolder() + "/Stale.url", "old");
    const std::vector<ExportItem> listed{link("Both", "http://sub-both/", false, "favorites/Internet Explorer/Sub"),
                                         link("Only here", "http://sub/", true, "favorites/Internet Explorer/Sub")};
    app::ensureScratchFolder(app.context);
    browsers::stageLinks(app.context, browsers::StoreBrowser::InternetExplorer, listed);
    EXPECT_EQ(treeOf(app.context.stagingFolder()), Entries{"Both.url=" + shortcutBytes("http://top-both/")});

    writeFile(favorites + "/both.URL", "replaced without asking");
    for (int time = 0; time < 2; ++time) {
        browsers::StoreURLIE(app.context, listed);
        EXPECT_EQ(treeOf(favorites), Entries{"both.URL=" + shortcutBytes("http://top-both/")});
    }
}
