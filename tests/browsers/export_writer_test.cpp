#include "browsers/export_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "app/scratch_folder.h"
#include "browsers/bookmark_reader.h"
#include "app/texts.h"
#include "testing/files.h"
#include "testing/read_only.h"
#include "testing/test_app.h"

namespace {

using browsers::ExportItem;
using testing_support::readFile;
using testing_support::writeFile;

constexpr const char* kTail = "\" ADD_DATE =\"1113502144\" LAST_MODIFIED =\"1113502155\">";

std::string lineFor(const std::string& name, const std::string& url) {
    return "<DT><A HREF=\"" + url + kTail + name + "</A>\r\n";
}

class ExportWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.loadShippedTextLibraries();
        app.context.ownerName = "Ada";
    }

    // A link in the store's Firefox folder, listed as the export list lists it.
    ExportItem link(const std::string& name, const std::string& url, bool checked = true,
                    const std::string& folder = "favorites/Firefox") {
        testing_support::writeLink(app.appPath(folder), name, url);
        return ExportItem{name + ".url", app.appPath(folder) + "/" + name + ".url", checked};
    }

    // Exports into the single bookmark file of a profile below the test's profile root.
    std::string exportInto(const std::string& bookmarks, const std::vector<ExportItem>& items) {
        writeFile(bookmarkFile(), bookmarks);
        EXPECT_TRUE(browsers::EditHTML(app.context, profileRoot(), items));
        return readFile(bookmarkFile());
    }

    std::string profileRoot() const { return app.root / "profile/Application data/Mozilla/Firefox/Profiles"; }
    std::string bookmarkFile() const { return profileRoot() + "/x1.default/bookmarks.html"; }

    std::string notWrittenText() { return app::withOwnerName(app::languageText(app.context, 558), "Ada"); }

    testing_support::TestApp app;
};

}  // namespace

TEST_F(ExportWriterTest, CheckedLinksGoBeforeTheClosingLineAndEveryLineEndsInCrLf) {
    // a link file without a target gives an empty address
    writeFile(app.appPath("favorites/Firefox/Empty.url"), "[InternetShortcut]\r\n");
    const std::vector<ExportItem> items{link("News", "http://news.example/?a=1&b=2"),
                                        link("Skipped", "http://s/", false),
                                        link("Bare", "x y"),
                                        {"Empty.url", app.appPath("favorites/Firefox/Empty.url"), true}};
    const std::string written =
        exportInto("<TITLE>Bookmarks</TITLE>\n<DL><p>\r    <DT><H3>Old</H3>\r\n</DL><p>\n", items);
    EXPECT_EQ(written, "<TITLE>Bookmarks</TITLE>\r\n<DL><p>\r\n    <DT><H3>Old</H3>\r\n" +
                           lineFor("News", "http://news.example/?a=1&b=2") + lineFor("Bare", "x y") +
                           lineFor("Empty", "") + "</DL><p>\r\n");
    EXPECT_FALSE(std::filesystem::exists(bookmarkFile() + ".tmp"));
    EXPECT_TRUE(app.messages.shown.empty());
}

TEST_F(ExportWriterTest, WhateverTheLastLineIsItIsReplacedByTheClosingLine) {
    const struct {
        const char* what;
        std::string bookmarks;
        std::string expectedStart;
    } cases[] = {
        {"empty file", "", ""},
        {"one line without an end", "<DL><p>", ""},
        {"closing line followed by a blank line", "<DL><p>\n</DL><p>\n\n", "<DL><p>\r\n</DL><p>\r\n"},
        {"last line without an end", "<DL><p>\r\nlast", "<DL><p>\r\n"},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(exportInto(test.bookmarks, {link("Q", "u")}), test.expectedStart + lineFor("Q", "u") + "</DL><p>\r\n")
            << test.what;
    }
}

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

TEST_F(ExportWriterTest, LinksOfOneExportAreOnlyComparedWithTheOldLines) {
    const std::vector<ExportItem> items{link("News", "http://one/", true, "favorites/Firefox/A"),
                                        link("News", "http://two/", true, "favorites/Firefox/B"),
                                        link("Sport", "http://three/"), link("Sports", "http://four/")};
    EXPECT_EQ(exportInto("</DL><p>\n", items), lineFor("News", "http://one/") + lineFor("News", "http://two/") +
                                                   lineFor("Sport", "http://three/") +
                                                   lineFor("Sports", "http://four/") + "</DL><p>\r\n");
}

TEST_F(ExportWriterTest, ExportedLinksAreReadBackByTheBookmarkReader) {
    const std::vector<std::pair<std::string, std::string>> links{
        {"Search engine", "https://search.example/?q=a&lang=en"},
        {"Docs (new)", "http://docs.example/index.html"},
        {"caf\xC3\xA9", "http://cafe.example/"}};
    std::vector<ExportItem> items;
    for (const auto& [name, url] : links) {
        items.push_back(link(name, url));
    }
    const std::string written = exportInto("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n</DL><p>\n", items);
    browsers::LinkTable table;
    browsers::extractFURL(written, table);
    std::vector<std::pair<std::string, std::string>> readBack;
    for (std::size_t i = 0; i < table.size(); ++i) {
        readBack.emplace_back(table.at(i).name, table.at(i).url);
    }
    EXPECT_EQ(readBack, links);
}

TEST_F(ExportWriterTest, WithSeveralProfilesTheFileFoundLastReceivesTheLinks) {
    const std::string first = profileRoot() + "/a.default/bookmarks.html";
    const std::string last = profileRoot() + "/b.default/bookmarks.html";
    writeFile(first, "</DL><p>\n");
    writeFile(last, "</DL><p>\n");
    EXPECT_TRUE(browsers::EditHTML(app.context, profileRoot(), {link("A", "u")}));
    EXPECT_EQ(readFile(first), "</DL><p>\n");
    EXPECT_EQ(readFile(last), lineFor("A", "u") + "</DL><p>\r\n");
}

TEST_F(ExportWriterTest, MissingBookmarkFileIsReportedAndNothingIsWritten) {
    std::filesystem::create_directories(profileRoot() + "/x1.default");
    EXPECT_FALSE(browsers::EditHTML(app.context, profileRoot(), {link("A", "u")}));
    ASSERT_EQ(app.messages.shown.size(), 1U);
    const app::Message& shown = app.messages.shown[0];
    EXPECT_EQ(shown.text, app::languageText(app.context, 540) + "\r\n" +
                              app::withOwnerName(app::languageText(app.context, 541), "Ada"));
    EXPECT_NE(shown.text.find("Ada"), std::string::npos);
    EXPECT_EQ(shown.title, app::languageText(app.context, 301));
    EXPECT_EQ(shown.icon, app::MsgIcon::Critical);
    EXPECT_EQ(testing_support::treeOf(profileRoot()), std::vector<std::string>{"x1.default/"});
}

TEST_F(ExportWriterTest, BookmarkFileOnAReadOnlyOrFullDriveStaysAsItWas) {
    const std::string original = "<DL><p>\n" + std::string(40 * 1024, 'x') + "\n</DL><p>\n";
    const std::vector<testing_support::TreeEntry> profile{{"p1/bookmarks.html", original}};
    const std::vector<ExportItem> items{link("A", "http://a/")};
    for (const auto& [access, size] :
         {std::pair{testing_support::TmpfsMount::Access::ReadOnly, testing_support::TmpfsMount::kDefaultSize},
          std::pair{testing_support::TmpfsMount::Access::Writable, testing_support::TmpfsMount::kFullDiskSize}}) {
        const testing_support::TmpfsMount drive(profile, access, size);
        if (!drive.mounted()) {
            GTEST_SKIP() << drive.skipReason();
        }
        app.messages.shown.clear();
        EXPECT_FALSE(browsers::EditHTML(app.context, drive.path(), items));
        EXPECT_EQ(testing_support::treeOf(drive.path()),
                  (std::vector<std::string>{"p1/", "p1/bookmarks.html=" + original}));
        ASSERT_EQ(app.messages.shown.size(), 1U);
        EXPECT_EQ(app.messages.shown[0].text, notWrittenText());
        EXPECT_NE(app.messages.shown[0].text, "");
        EXPECT_EQ(app.messages.shown[0].icon, app::MsgIcon::Critical);
    }
}

TEST_F(ExportWriterTest, BookmarkFileTheUserMayNotWriteStaysAsItWas) {
    const std::vector<ExportItem> items{link("A", "http://a/")};
    writeFile(bookmarkFile(), "</DL><p>\n");
    // every folder open to others and the profile folder writable by them: only the file is read-only
    for (const std::string& inner : {app.appPath("favorites/Firefox"), profileRoot()}) {
        for (std::filesystem::path folder = inner; folder != app.root.path(); folder = folder.parent_path()) {
            testing_support::openToOthers(folder.string());
        }
    }
    testing_support::openToOthers(app.root.path());
    ::chmod((profileRoot() + "/x1.default").c_str(), 0777);
    ::chmod(bookmarkFile().c_str(), 0644);
    const testing_support::ChildOutcome outcome = testing_support::runAsNobody([&] {
        return !browsers::EditHTML(app.context, profileRoot(), items) && app.messages.shown.size() == 1 &&
               app.messages.shown[0].text == notWrittenText();
    });
    if (!outcome.skipReason.empty()) {
        GTEST_SKIP() << outcome.skipReason;
    }
    EXPECT_EQ(outcome.answer, true);
    EXPECT_EQ(testing_support::treeOf(profileRoot() + "/x1.default"),
              std::vector<std::string>{"bookmarks.html=</DL><p>\n"});
}

TEST(ExportSource, StoreFolderIsChosenByHowTheSourcePathBegins) {
    using browsers::StoreBrowser;
    const std::pair<const char*, std::optional<StoreBrowser>> cases[] = {
        {"internet explorer/News", StoreBrowser::InternetExplorer},
        {"FIREFOX/Work", StoreBrowser::Firefox},
        {"Firefox2", StoreBrowser::Firefox},
        {"Mozilla", StoreBrowser::Mozilla},
        {"Netscape/x", StoreBrowser::Netscape},
        {"Other/Internet Explorer", std::nullopt},
    };
    for (const auto& [path, browser] : cases) {
        EXPECT_EQ(browsers::storeBrowserOf(path), browser) << path;
    }
}

TEST_F(ExportWriterTest, InternetExplorerReceivesTheTopFoldersCopiesOfEveryListedLink) {
    const std::string favorites = app.root / "home/Favorites";
    testing_support::writeFavoritesRegistry(app.context.registryFile, favorites);
    link("Top", "http://top/", true, "favorites/Internet Explorer");
    link("Both", "http://top-both/", true, "favorites/Internet Explorer");
    writeFile(app.context.stagingFolder() + "/Stale.url", "old");
    // the list shows a subfolder: only names that also lie in the top folder are staged, from there
    const std::vector<ExportItem> listed{link("Both", "http://sub-both/", false, "favorites/Internet Explorer/Sub"),
                                         link("Only here", "http://sub/", true, "favorites/Internet Explorer/Sub")};
    app::ensureScratchFolder(app.context);
    browsers::stageLinks(app.context, browsers::StoreBrowser::InternetExplorer, listed);
    EXPECT_EQ(testing_support::treeOf(app.context.stagingFolder()),
              std::vector<std::string>{"Both.url=" + testing_support::shortcutBytes("http://top-both/")});

    writeFile(favorites + "/both.URL", "replaced without asking");
    for (int time = 0; time < 2; ++time) {
        browsers::StoreURLIE(app.context, listed);
        EXPECT_EQ(testing_support::treeOf(favorites),
                  std::vector<std::string>{"both.URL=" + testing_support::shortcutBytes("http://top-both/")});
    }
}
