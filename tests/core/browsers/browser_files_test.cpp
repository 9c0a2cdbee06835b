#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <tuple>

#include "core/app/texts.h"
#include "core/browsers/bookmark_loads.h"
#include "core/browsers/bookmark_reader.h"
#include "core/browsers/browser_locations.h"
#include "core/browsers/export_writer.h"
#include "testing/files.h"
#include "testing/read_only.h"
#include "testing/test_app.h"

namespace {

using browsers::ExportItem;
using browsers::LinkTable;
using browsers::LoadOutcome;
using store::Browser;
using testing_support::BookmarkLinks;
using testing_support::readFile;
using testing_support::shortcutBytes;
using testing_support::treeOf;
using testing_support::writeFile;
using testing_support::writeLink;
using Entries = std::vector<std::string>;

std::string staged(const std::string& name, const std::string& url) { return name + ".url=" + shortcutBytes(url); }

BookmarkLinks linksOf(const LinkTable& table) {
    BookmarkLinks links;
    for (std::size_t i = 0; i < table.size(); ++i) {
        links.emplace_back(table.at(i).name, table.at(i).url);
    }
    return links;
}

LinkTable tableOf(std::string_view text) {
    LinkTable table;
    browsers::extractFURL(text, table);
    return table;
}

std::string corpusFolder() { return std::string(DORVANE_CORPUS_DIR) + "/bookmarks-html/"; }

std::string lineFor(const std::string& name, const std::string& url) {
    return "<DT><A HREF=\"" + url + "\" ADD_DATE =\"1113502144\" LAST_MODIFIED =\"1113502155\">" + name + "</A>\r\n";
}

// Bookmark files read into the staging folder, and store links written into browsers.
class BrowserFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.loadShippedTextLibraries();
        ASSERT_FALSE(app::languageText(app.context, 540).empty());
        app.context.ownerName = "Ada";
        writeLink(staging, "Left over", "http://old/");
    }

    void writeBookmarks(const std::string& relative, const BookmarkLinks& links) {
        writeFile(profiles + "/" + relative, testing_support::bookmarkFileText(links));
    }
    // A link of the store, listed as the export list lists it.
    ExportItem link(const std::string& name, const std::string& url, bool checked = true,
                    const std::string& folder = "favorites/Firefox") {
        writeLink(app.appPath(folder), name, url);
        return ExportItem{name + ".url", app.appPath(folder) + "/" + name + ".url", checked};
    }
    // Exports into the single bookmark file of a profile below the test's profile root.
    std::string exportInto(const std::string& bookmarks, const std::vector<ExportItem>& items) {
        writeFile(profileRoot + "/x1.default/bookmarks.html", bookmarks);
        EXPECT_EQ(browsers::EditHTML(profileRoot, items), browsers::ExportOutcome::Done);
        return readFile(profileRoot + "/x1.default/bookmarks.html");
    }

    testing_support::TestApp app;
    std::string profiles = app.root / "profiles";
    std::string staging = app.context.stagingFolder();
    std::string profileRoot = app.root / "profile/Application data/Mozilla/Firefox/Profiles";
    std::string favorites = app.root / "home/Favorites";
};

TEST_F(BrowserFilesTest, OnlyFirefoxTellsOfAMissingFileOrPassesOverBackupsAndAnUnreadableFileEndsTheLoad) {
    EXPECT_EQ(browsers::loadURLFirefox({profiles}, staging), LoadOutcome::NoBookmarkFile);
    EXPECT_EQ(browsers::loadURLFirefox({""}, staging), LoadOutcome::NoBookmarkFile);
    EXPECT_EQ(browsers::loadURLMozilla(profiles, staging), LoadOutcome::Staged);

    writeBookmarks("a1/bookmarkbackups/bookmarks.html", {{"Backup", "http://backup/"}});
    // copies alone are no missing file, yet nothing is loaded and the staging folder stays
    EXPECT_EQ(browsers::loadURLFirefox({profiles}, staging), LoadOutcome::Staged);
    EXPECT_EQ(treeOf(staging), Entries{staged("Left over", "http://old/")});
    for (const auto load : {browsers::loadURLMozilla, browsers::loadURLNetscape}) {
        EXPECT_EQ(load(profiles, staging), LoadOutcome::Staged);
        EXPECT_EQ(treeOf(staging), Entries{staged("Backup", "http://backup/")});
    }

    // a file that cannot be read ends the load
    writeBookmarks("a1/bookmarks.html", {{"Alpha", "http://alpha/"}});
    std::filesystem::create_directories(profiles + "/b2/bookmarks.html");
    writeBookmarks("c3/bookmarks.html", {{"Gamma", "http://gamma/"}});
    EXPECT_EQ(browsers::loadURLFirefox({profiles}, staging), LoadOutcome::Unreadable);
    EXPECT_EQ(treeOf(staging), Entries{});
}

// Internet Explorer's favorites are staged side by side, without names the program cannot show.
TEST_F(BrowserFilesTest, InternetExplorerFavoritesAreStagedSideBySideWithoutUnshowableNames) {
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

// The top folder is chosen by how the path below the store root begins, ignoring case.
TEST_F(BrowserFilesTest, StoringGoesToTheTopFolderMakesItWhenMissingAndReportsWhatCannotBeCopied) {
    const std::pair<const char*, const char*> cases[] = {{"internet explorer/Work", "Internet Explorer"},
                                                         {"netscape", "Netscape"},
                                                         {"MOZILLA/Deep", "Mozilla"},
                                                         {"FIREFOX/Work", "Firefox"},
                                                         {"Firefox2", "Firefox"},
                                                         {"Other/Firefox", "none"},
                                                         {"Other/Internet Explorer", "none"},
                                                         {"", "none"}};
    for (const auto& [destination, folder] : cases) {
        const std::optional<store::Browser> browser = store::browserOfPath(destination);
        EXPECT_EQ(browser ? store::topFolderName(*browser) : "none", folder) << destination;
    }
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
TEST_F(BrowserFilesTest, ProfileRootsLieBelowTheFolderThatHoldsTheFavorites) {
    const std::tuple<const char*, const char*, Browser, const char*> cases[] = {
        {"/u/Favorites", "Netscape Browser", Browser::Netscape, "/u/Application Data/Netscape/NSB/Profiles/"},
        {"/u/Favorites", "Netscape 7.2", Browser::Netscape, "/u/Application data/Mozilla/Profiles/"},
        {"/u/Favorites", "Other", Browser::Mozilla, "/u/Application data/Mozilla/Profiles/"},
        {"/u/Favorites", "Other", Browser::Firefox, "/u/Application data/Mozilla/Firefox/Profiles/"},
        // without a folder holding the Favorites there is no browser to look for
        {"Favorites", "Other", Browser::Firefox, ""},
        {"", "Other", Browser::Firefox, ""}};
    for (const auto& [favorites, uninstallEntry, browser, root] : cases) {
        writeFile(app.context.registryFile,
                  std::string("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\"
                              "Windows\\CurrentVersion\\Explorer\\Shell Folders]\r\n\"Favorites\"=\"") +
                      favorites + "\"\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\" +
                      "Uninstall\\" + uninstallEntry + "]\r\n");
        EXPECT_EQ(browsers::ieFavoritesFolder(app.context), favorites);
        EXPECT_EQ(browsers::profileRootOf(app.context, browser), root) << favorites << uninstallEntry;
    }
    EXPECT_TRUE(browsers::findBookmarkFiles("").empty());
}

// The names of one export are compared only with the file's old lines, so two checked links
// of one name are both written, and so are "Sport" and "Sports"; the bookmark reader reads
// every written link back.
TEST_F(BrowserFilesTest, CheckedLinksGoBeforeTheClosingLineAndEveryLineEndsInCrLf) {
    // a link file without a target gives an empty address
    writeFile(app.appPath("favorites/Firefox/Empty.url"), "[InternetShortcut]\r\n");
    const std::vector<ExportItem> items{link("News", "http://news/?a=1&b=2", true, "favorites/Firefox/A"),
                                        link("Skipped", "http://s/", false),
                                        link("Caf\xC3\xA9 (new)", "x y"),
                                        {"Empty.url", app.appPath("favorites/Firefox/Empty.url"), true},
                                        link("News", "http://two/", true, "favorites/Firefox/B"),
                                        link("Sport", "http://three/"),
                                        link("Sports", "http://four/")};
    const std::string written =
        exportInto("<TITLE>Bookmarks</TITLE>\n<DL><p>\r    <DT><H3>Old</H3>\r\n</DL><p>\n", items);
    EXPECT_EQ(written, "<TITLE>Bookmarks</TITLE>\r\n<DL><p>\r\n    <DT><H3>Old</H3>\r\n" +
                           lineFor("News", "http://news/?a=1&b=2") + lineFor("Caf\xC3\xA9 (new)", "x y") +
                           lineFor("Empty", "") + lineFor("News", "http://two/") + lineFor("Sport", "http://three/") +
                           lineFor("Sports", "http://four/") + "</DL><p>\r\n");
    EXPECT_EQ(treeOf(profileRoot), (Entries{"x1.default/", "x1.default/bookmarks.html=" + written}));
    // an address ends at its first blank
    EXPECT_EQ(linksOf(tableOf(written)), (BookmarkLinks{{"News", "http://news/?a=1&b=2"},
                                                        {"Caf\xC3\xA9 (new)", "x"},
                                                        {"Empty", ""},
                                                        {"News", "http://two/"},
                                                        {"Sport", "http://three/"},
                                                        {"Sports", "http://four/"}}));
}

TEST_F(BrowserFilesTest, WhateverTheLastLineIsItIsReplacedByTheClosingLine) {
    const std::pair<std::string, std::string> cases[] = {{"", ""},
                                                         {"<DL><p>", ""},
                                                         {"<DL><p>\n</DL><p>\n\n", "<DL><p>\r\n</DL><p>\r\n"},
                                                         {"<DL><p>\r\nlast", "<DL><p>\r\n"}};
    for (const auto& [bookmarks, start] : cases) {
        EXPECT_EQ(exportInto(bookmarks, {link("Q", "u")}), start + lineFor("Q", "u") + "</DL><p>\r\n") << bookmarks;
    }
}

// A name counts as present when an old line holds it after the line's first character,
// letters compared without regard to case.
TEST_F(BrowserFilesTest, LinkIsLeftOutWhenAnOldLineHoldsItsNameAfterTheLinesFirstCharacter) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"Mail", "<DT><A HREF=\"http://w/\">Webmail</A>\n</DL><p>\n", false},
        {"ab", "xab\n</DL><p>\n", false},
        {"news", "<DT><A HREF=\"http://n/\">NEWS</A>\n</DL><p>\n", false},
        {"ab", "x\nab\n</DL><p>\n", true},
        {"Mail", "Mail\nMail box\n</DL><p>\n", true},
        {"abc", "xa\nbc\n</DL><p>\n", true},
        {"Home", "<DL><p>\n  HomeX", false},
        {"Größe", "xGRößE\n</DL><p>\n", false},
        {"é", "éx\n</DL><p>\n", true},
        {"Folder", "<DT><H3>Folder</H3>\n</DL><p>\n", false}};
    for (const auto& [name, bookmarks, written] : cases) {
        EXPECT_EQ(exportInto(bookmarks, {link(name, "u")}).find(lineFor(name, "u")) != std::string::npos, written)
            << name << " in " << bookmarks;
    }
}

TEST_F(BrowserFilesTest, TheFileFoundLastReceivesTheLinksAndAMissingFileIsReported) {
    std::filesystem::create_directories(profileRoot + "/x1.default");
    EXPECT_EQ(browsers::EditHTML(profileRoot, {link("A", "u")}), browsers::ExportOutcome::NoBookmarkFile);
    EXPECT_EQ(treeOf(profileRoot), Entries{"x1.default/"});

    writeFile(profileRoot + "/a.default/bookmarks.html", "</DL><p>\n");
    writeFile(profileRoot + "/b.default/bookmarks.html", "</DL><p>\n");
    EXPECT_EQ(browsers::EditHTML(profileRoot, {link("A", "u")}), browsers::ExportOutcome::Done);
    EXPECT_EQ(readFile(profileRoot + "/a.default/bookmarks.html"), "</DL><p>\n");
    EXPECT_EQ(readFile(profileRoot + "/b.default/bookmarks.html"), lineFor("A", "u") + "</DL><p>\r\n");

    // a file the user may not write is left as it is, though its folder would take a new one
    const std::vector<browsers::ExportItem> items{link("B", "u")};
    for (const std::string& inner : {app.appPath("favorites/Firefox"), profileRoot + "/b.default"}) {
        for (std::filesystem::path folder = inner; folder != app.root.path(); folder = folder.parent_path()) {
            std::filesystem::permissions(folder, std::filesystem::perms::all);
        }
    }
    std::filesystem::permissions(app.root.path(), std::filesystem::perms::all);
    const testing_support::ChildOutcome outcome = testing_support::runAsNobody(
        [&] { return browsers::EditHTML(profileRoot, items) == browsers::ExportOutcome::NotWritten; });
    if (!outcome.skipReason.empty()) {
        GTEST_SKIP() << outcome.skipReason;
    }
    EXPECT_EQ(outcome.answer, true);
    EXPECT_EQ(treeOf(profileRoot + "/b.default"), Entries{"bookmarks.html=" + lineFor("A", "u") + "</DL><p>\r\n"});
}

// Only the top folder's links are staged, also for a list that shows a subfolder: the files of
// the listed names beside the top folder's links travel, checked or not, replacing a favorite
// of the same name.
TEST_F(BrowserFilesTest, InternetExplorerReceivesTheTopFoldersCopiesOfEveryListedLink) {
    testing_support::writeFavoritesRegistry(app.context.registryFile, favorites);
    writeFile(favorites + "/both.URL", "replaced without asking");
    link("Top", "http://top/", true, "favorites/Internet Explorer");
    link("Both", "http://top-both/", true, "favorites/Internet Explorer");
    link("Both", "http://sub-both/", false, "favorites/Internet Explorer/Sub");
    link("Only here", "http://sub/", true, "favorites/Internet Explorer/Sub");
    // the list's bytes are those of the subfolder's files: they are not what is staged
    const browsers::StagedLinks staged = browsers::stageLinks(
        app.context, store::Browser::InternetExplorer, app.appPath("favorites/Internet Explorer/Sub"),
        {{"Both.url", shortcutBytes("http://sub-both/")}, {"Only here.url", shortcutBytes("http://sub/")}});
    browsers::StoreURLIE(app.context, {"Both.url", "Only here.url"}, staged);
    EXPECT_EQ(treeOf(favorites), Entries{"both.URL=" + shortcutBytes("http://top-both/")});
}

// Fields end at commas and line ends (CR LF, CR or LF); blanks at a field's start are
// skipped; a quoted field is read whole, even over line ends, up to its closing quote and
// what follows it is dropped; other quotes and NULs are dropped; Ctrl-Z ends the text.
TEST(FieldReader, CutsFieldsAtCommasAndLineEndsAndReadsQuotedFieldsWhole) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"a,b\nc", {"a", "b", "c"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb", {"a", "b"}},
        {"a\n\nb", {"a", "", "b"}},
        {" \t x y ,\t z", {"x y ", "z"}},
        {"\"Hello, W\"  x,  b c\r\ny", {"Hello, W", "b c", "y"}},
        {"\"one\ntwo\" rest\nnext", {"one\ntwo", "next"}},
        {"\"abc\ndef", {"abc\ndef"}},
        {"a,\nb", {"a", "", "b"}},
        {"<A HREF=\"http://x/\">N</A>", {"<A HREF=http://x/>N</A>"}},
        {std::string("a\0b,\"c\0d\"", 9), {"ab", "cd"}},
        {"a\nb\x1A,c\nd", {"a", "b"}},
        {"a\n  \t", {"a"}},
        {"", {}}};
    for (const auto& [text, expected] : cases) {
        browsers::FieldReader reader(text);
        std::vector<std::string> fields;
        while (auto field = reader.next()) {
            fields.push_back(*field);
        }
        EXPECT_EQ(fields, expected) << text;
    }
}

TEST(BookmarkReader, AnchorsGiveNameAndUrl) {
    const std::pair<std::string, BookmarkLinks> cases[] = {
        {"  <DT><A HREF=\"http://e/\" ADD_DATE=\"1\">A Site</A>\n", {{"A Site", "http://e/"}}},
        // comma in a title dropped
        {"<A HREF=\"http://t/\" ADD_DATE=1>Tools, etc</A>\n", {{"Toolsetc", "http://t/"}}},
        // comma in the address dropped
        {"<A HREF=\"http://c/?a=1,2\">C</A>\n", {{"C", "http://c/?a=12"}}},
        {"<dt><a href=\"http://low/\">Lower case</a>\n", {{"Lower case", "http://low/"}}},
        // tags in any case
        {"<A Href=\"http://mixed/\">Mixed</a>\n", {{"Mixed", "http://mixed/"}}},
        {"<A HREF=1>One</A> <A HREF=2>Two</A>\n", {{"O", "1"}, {"T", "2"}}},
        // split anchor joined as is
        {"<A HREF=\"http://s/\"\nICON=\"1\">S</A>\n", {{"S", "http://s/ICON=1"}}},
        // attributes after a tab
        {"<A HREF=\"http://tab/\"\tICON=\"x\">Tab</A>\n", {{"Tab", "http://tab/"}}},
        // name never longer than the text before its '>'
        {"<A HREF=ab>Longname</A>\n", {{"Lo", "ab"}}},
        // the cut counts characters, not bytes
        {"<A HREF=ab>\u00d1and\u00fa</A>\n", {{"\u00d1a", "ab"}}},
        // no '>' in the body
        {"<A HREF=nothing</A>\n", {}},
        // missing </A> at the end of the file
        {"<DT><A HREF=\"http://open/\">Open\n</DL><p>\n", {}},
        // no </A>: next line taken
        {"<A HREF=\"http://a/\">A\n<A HREF=b>B</A>", {{"A<A HREF=", "http://a/"}}},
        {"<A HREF=\"http://trail/\">  Trail   </A>\n", {{"Trail", "http://trail/"}}},
        // entities kept
        {"<A HREF=\"http://e/?a&amp;b\">T &amp; J</A>", {{"T &amp; J", "http://e/?a&amp;b"}}},
        // byte order mark skipped
        {"\xEF\xBB\xBF<A HREF=\"http://b/\">B</A>\n", {{"B", "http://b/"}}},
        // comma in an icon
        {"<A HREF=\"http://m/\" ICON=\"data:image/png;base64,AB\">M</A>\n", {{"M", "http://m/"}}},
        {"<A HREF=\"http://empty/\"></A>\n", {{"", "http://empty/"}}},
        // folders, separators, descriptions ignored
        {"<DT><H3>Folder</H3>\n<DL><p>\n<HR>\n<DD>About, it\n", {}},
    };
    for (const auto& [text, links] : cases) {
        EXPECT_EQ(linksOf(tableOf(text)), links) << text;
    }
}

TEST(LinkTable, NamesAreCutTo400CharactersThenTrimmed) {
    LinkTable table;
    table.add(std::string(450, 'n'), "u");
    table.add(std::string(398, ' ') + "abcdef", "u");
    table.add("\u00e9" + std::string(399, 'x') + "\u00e9tail", "u");
    EXPECT_EQ(linksOf(table),
              (BookmarkLinks{{std::string(400, 'n'), "u"}, {"ab", "u"}, {"\u00e9" + std::string(399, 'x'), "u"}}));
}

// The staging folder compares names without regard to case: one file per name, holding the
// later link's URL under the later spelling. A name that cannot be one file name in the
// staging folder or one a Windows drive refuses (a device name) is left out, and so is one that a folder of the staging
// folder holds already.
TEST(CreateURLFile, StagesOneShortcutPerNameAndNothingOutsideTheStagingFolder) {
    const testing_support::TempFolder root;
    const std::string staging = root / "Fav";
    testing_support::writeFile(staging + "/EXAMPLE.URL", shortcutBytes("http://old.example/"));
    std::filesystem::create_directories(staging + "/Folder.url");
    LinkTable table;
    table.add("Example", "http://example.org/");
    table.add("Cut  ", "http://cut.example/>rest");
    for (const char* name : {"News", "NEWS ", "news"}) {
        table.add(name, std::string("http://") + name + "/");
    }
    for (const char* name :
         {"../escape", "a/b", "..",  ".",    "",          "   ",    "back\\slash", "what?", "c:drive",  "a*b",
          "a<b",       "a>b", "a|b", "a\"b", "tab\there", "folder", "CON",         "nul",   "Com1.old", "lpt9 "}) {
        table.add(name, "http://bad.example/");
    }
    table.add(std::string(300, 'L'), "http://long.example/");  // longer than a file name may be
    table.add("Console", "http://console.example/");           // no device, though it begins like one
    browsers::createURLFile(table, staging);

    EXPECT_EQ(testing_support::treeOf(root.path()),
              (std::vector<std::string>{"Fav/", "Fav/Console.url=" + shortcutBytes("http://console.example/"),
                                        "Fav/Cut.url=" + shortcutBytes("http://cut.example/"),
                                        "Fav/Example.url=" + shortcutBytes("http://example.org/"), "Fav/Folder.url/",
                                        "Fav/news.url=" + shortcutBytes("http://news/")}));
}

TEST(BookmarkReader, ReadsEverySampleBookmarkFile) {
    // Per file (named after its "__"): links read / shortcut files staged. Every anchor of
    // these files that starts with "<A HREF=" has its "</A>" and a '>'; the iCab and
    // redditsaver files put other attributes in front of HREF, so none of their anchors is a
    // link. Fewer files than links are staged where names repeat (in any case) or cannot be
    // file names ("C:\...", "a/b"): of the 400 bookmarks of export.html, 41 names hold one of
    // : ? * | / \ and 3 repeat.
    if (!std::filesystem::is_directory(corpusFolder())) {
        GTEST_SKIP() << "no sample bookmark files at " << corpusFolder();
    }
    std::set<std::string> counts;
    for (const auto& entry : std::filesystem::directory_iterator(corpusFolder())) {
        const std::string name = entry.path().filename().string();
        const LinkTable table = tableOf(testing_support::readFile(corpusFolder() + name));
        const testing_support::TempFolder staging;
        browsers::createURLFile(table, staging.path());
        counts.insert(name.substr(name.find("__") + 2) + " " + std::to_string(table.size()) + "/" +
                      std::to_string(testing_support::treeOf(staging.path()).size()));
    }
    std::string joined;
    for (const std::string& count : counts) {
        joined += count + ", ";
    }
    EXPECT_EQ(joined,
              "Bookmarks.html 10/8, Bookmarks4.7.html 110/109, Favorites.html 149/115, bookmarks.corrupt.html 10/8, "
              "bookmarks.exported.html 8/8, bookmarks.invalid.html 0/0, bookmarks.preplaces.html 9/9, "
              "bookmarks_html_localized.html 1/1, bookmarks_html_singleframe.html 1/1, chromium_nested.htm 18/13, "
              "delicious.htm 5/5, empty.htm 0/0, empty_folder.html 2/2, export.html 400/356, "
              "firefox_nested.htm 24/16, google_bookmarks_nested.htm 6/4, iCab.Hotlist.html 0/0, input 3/3, "
              "internet_explorer_11_nested.htm 27/27, mozilla.html 219/170, netscape_basic.htm 2/2, "
              "netscape_multiline.htm 3/1, netscape_nested.htm 8/8, redditsaver.html 0/0, safari_folded.htm 3/2, "
              "scuttle.htm 4/3, scuttle_new_line.htm 1/1, shaarli.htm 6/5, simple_valid_import_file.html 3/3, "
              "sync_utils_bookmarks.html 2/2, test.html 2/1, ");
}

}  // namespace
