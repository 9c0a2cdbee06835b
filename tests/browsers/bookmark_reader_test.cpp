#include "browsers/bookmark_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "testing/files.h"

namespace {

using browsers::Link;
using browsers::LinkTable;

std::vector<std::string> fieldsOf(std::string_view text) {
    browsers::FieldReader reader(text);
    std::vector<std::string> fields;
    while (auto field = reader.next()) {
        fields.push_back(*field);
    }
    return fields;
}

std::vector<std::pair<std::string, std::string>> linksOf(std::string_view text) {
    LinkTable table;
    browsers::extractFURL(text, table);
    std::vector<std::pair<std::string, std::string>> links;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const Link link = table.at(i);
        links.emplace_back(link.name, link.url);
    }
    return links;
}

// The names of the files in a folder, sorted.
std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string shortcut(std::string_view url) { return testing_support::shortcutBytes(url); }

using Links = std::vector<std::pair<std::string, std::string>>;

}  // namespace

TEST(FieldReader, CutsFieldsAtCommasAndLineEndsAndReadsQuotedFieldsWhole) {
    const struct {
        const char* what;
        std::string text;
        std::vector<std::string> fields;
    } cases[] = {
        {"commas and LF", "a,b\nc", {"a", "b", "c"}},
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"CR alone", "a\rb", {"a", "b"}},
        {"blanks at the start skipped", " \t x y ,\t z", {"x y ", "z"}},
        {"quoted field keeps commas", "\"Hello, W\"  x,  b c\r\ny", {"Hello, W", "b c", "y"}},
        {"quoted field spans lines", "\"one\ntwo\" rest\nnext", {"one\ntwo", "next"}},
        {"unclosed quote runs to the end", "\"abc\ndef", {"abc\ndef"}},
        {"quotes inside a field dropped", "<A HREF=\"http://x/\">N</A>", {"<A HREF=http://x/>N</A>"}},
        {"blank lines are empty fields", "a\n\nb", {"a", "", "b"}},
        {"comma at the line end", "a,\nb", {"a", "", "b"}},
        {"NUL dropped", std::string("a\0b,\"c\0d\"", 9), {"ab", "cd"}},
        {"Ctrl-Z ends the text", "a\nb\x1A,c\nd", {"a", "b"}},
        {"blanks at the end give nothing", "a\n  \t", {"a"}},
        {"empty text", "", {}},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(fieldsOf(test.text), test.fields) << test.what;
    }
}

TEST(BookmarkReader, AnchorsGiveNameAndUrl) {
    const struct {
        const char* what;
        std::string text;
        Links links;
    } cases[] = {
        {"typical anchor line",
         "    <DT><A HREF=\"http://www.example.org/\" ADD_DATE=\"1\" LAST_MODIFIED=\"2\">Example Site</A>\n",
         {{"Example Site", "http://www.example.org/"}}},
        {"comma inside a title is dropped",
         "<DT><A HREF=\"http://tools.example/\" ADD_DATE=\"1\">Tools, misc</A>\n",
         {{"Toolsmisc", "http://tools.example/"}}},
        {"lower-case tags",
         "<dt><a href=\"http://low.example/\">Lower case</a>\n",
         {{"Lower case", "http://low.example/"}}},
        {"mixed-case tags", "<A Href=\"http://mixed.example/\">Mixed</a>\n", {{"Mixed", "http://mixed.example/"}}},
        {"two anchors on one line",
         "<A HREF=\"http://one.example/\">One</A> and <A HREF=\"http://two.example/\">Two</A>\n",
         {{"One", "http://one.example/"}, {"Two", "http://two.example/"}}},
        {"anchor split over lines joined with nothing between",
         "<DT><A HREF=\"http://split.example/\"\nADD_DATE=\"1\">Split</A>\n",
         {{"Split", "http://split.example/ADD_DATE=1"}}},
        {"attributes after a tab",
         "<A HREF=\"http://tab.example/\"\tICON=\"x\">Tab</A>\n",
         {{"Tab", "http://tab.example/"}}},
        {"name never longer than the text before its '>'", "<A HREF=ab>Longname</A>\n", {{"Lo", "ab"}}},
        {"the cut counts characters, not bytes", "<A HREF=ab>\u00d1and\u00fa</A>\n", {{"\u00d1a", "ab"}}},
        {"no '>' in the body", "<A HREF=nothing</A>\n", {}},
        {"missing </A> at the end of the file", "<DT><A HREF=\"http://open.example/\">Open\n</DL><p>\n", {}},
        {"anchor without </A> swallows the next line",
         "<A HREF=\"http://a.example/\">A\n<A HREF=\"http://b.example/\">B</A>\n",
         {{"A<A HREF=http://b", "http://a.example/"}}},
        {"trailing blanks trimmed",
         "<A HREF=\"http://trail.example/\">  Trail   </A>\n",
         {{"Trail", "http://trail.example/"}}},
        {"character references kept",
         "<A HREF=\"http://e.example/?a=1&amp;b=2\">Tom &amp; Jerry</A>\n",
         {{"Tom &amp; Jerry", "http://e.example/?a=1&amp;b=2"}}},
        {"empty name", "<A HREF=\"http://empty.example/\"></A>\n", {{"", "http://empty.example/"}}},
        {"folders, separators and descriptions ignored",
         "<DT><H3 ADD_DATE=\"1\">Folder</H3>\n<DL><p>\n<HR>\n<DD>About, this\n</DL><p>\n",
         {}},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(linksOf(test.text), test.links) << test.what;
    }
}

TEST(LinkTable, NamesAreCutTo400CharactersThenTrimmed) {
    LinkTable table;
    table.add(std::string(450, 'n'), "u");
    table.add(std::string(398, ' ') + "abcdef", "u");
    table.add("\u00e9" + std::string(399, 'x') + "\u00e9tail", "u");
    EXPECT_EQ(table.at(0).name, std::string(400, 'n'));
    EXPECT_EQ(table.at(1).name, "ab");
    EXPECT_EQ(table.at(2).name, "\u00e9" + std::string(399, 'x'));
}

TEST(CreateURLFile, WritesOneShortcutPerLinkOverAFileStagedUnderAnotherCase) {
    const testing_support::TempFolder staging;
    testing_support::writeFile(staging / "EXAMPLE.URL", shortcut("http://old.example/"));
    LinkTable table;
    table.add("Example", "http://example.org/");
    table.add("Cut  ", "http://cut.example/>rest");
    browsers::createURLFile(table, staging.path());

    EXPECT_EQ(filesIn(staging.path()), (std::vector<std::string>{"Cut.url", "Example.url"}));
    EXPECT_EQ(testing_support::readFile(staging / "Example.url"), shortcut("http://example.org/"));
    EXPECT_EQ(testing_support::readFile(staging / "Cut.url"), shortcut("http://cut.example/"));
}

TEST(CreateURLFile, SameNamesEndAsOneFileWithTheLaterUrl) {
    const testing_support::TempFolder staging;
    LinkTable table;
    browsers::extractFURL(
        "<DT><H3>Work</H3>\n<DL><p>\n<DT><A HREF=\"http://news.one/\">News</A>\n</DL><p>\n"
        "<DT><H3>Home</H3>\n<DL><p>\n<DT><A HREF=\"http://news.two/\">News</A>\n"
        "<DT><A HREF=\"http://news.three/\">NEWS </A>\n<DT><A HREF=\"http://news.four/\">news</A>\n</DL><p>\n",
        table);
    browsers::createURLFile(table, staging.path());

    EXPECT_EQ(filesIn(staging.path()), std::vector<std::string>{"news.url"});
    EXPECT_EQ(testing_support::readFile(staging / "news.url"), shortcut("http://news.four/"));
}

TEST(CreateURLFile, NamesThatCannotBeFileNamesAreDroppedAndNothingLeavesTheFolder) {
    const testing_support::TempFolder root;
    const std::string staging = root / "Fav";
    std::filesystem::create_directories(staging);
    std::filesystem::create_directories(staging + "/Folder.url");
    LinkTable table;
    for (const char* name : {"../escape", "a/b", "..", ".", "", "   ", "back\\slash", "what?", "c:drive", "a*b", "a<b",
                             "a>b", "a|b", "tab\there", "folder"}) {
        table.add(name, "http://bad.example/");
    }
    table.add(std::string(300, 'L'), "http://long.example/");  // longer than a file name may be
    table.add("Kept", "http://kept.example/");
    browsers::createURLFile(table, staging);

    EXPECT_EQ(filesIn(staging), (std::vector<std::string>{"Folder.url", "Kept.url"}));
    EXPECT_TRUE(std::filesystem::is_directory(staging + "/Folder.url"));
    EXPECT_EQ(filesIn(root.path()), std::vector<std::string>{"Fav"});
}

namespace {

std::string corpusFolder() { return std::string(DORVANE_CORPUS_DIR) + "/bookmarks-html"; }

LinkTable linksOfCorpusFile(const std::string& name) {
    LinkTable table;
    browsers::extractFURL(testing_support::readFile(corpusFolder() + "/" + name), table);
    return table;
}

bool holds(const LinkTable& table, const std::string& name, const std::string& url) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        const Link link = table.at(i);
        if (link.name == name && link.url == url) {
            return true;
        }
    }
    return false;
}

}  // namespace

TEST(BookmarkReader, ReadsEverySampleBookmarkFile) {
    if (!std::filesystem::is_directory(corpusFolder())) {
        GTEST_SKIP() << "no sample bookmark files at " << corpusFolder();
    }
    // Links per file. Every anchor of these files that starts with "<A HREF=" has its
    // "</A>" and a '>'; the iCab and redditsaver files put other attributes in front of
    // HREF, so none of their anchors is a link.
    const std::map<std::string, std::size_t> expected = {
        {"chromium-via-fastvc__empty_folder.html", 2},
        {"chromium-via-fastvc__redditsaver.html", 0},
        {"cpan-netscape-bookmarks__Bookmarks.html", 10},
        {"cpan-netscape-bookmarks__Bookmarks4.7.html", 110},
        {"cpan-netscape-bookmarks__Favorites.html", 149},
        {"cpan-netscape-bookmarks__iCab.Hotlist.html", 0},
        {"cpan-netscape-bookmarks__mozilla.html", 219},
        {"floorp__bookmarks.corrupt.html", 10},
        {"floorp__bookmarks.exported.html", 8},
        {"floorp__bookmarks.invalid.html", 0},
        {"floorp__bookmarks.preplaces.html", 9},
        {"floorp__bookmarks_html_localized.html", 1},
        {"floorp__bookmarks_html_singleframe.html", 1},
        {"floorp__sync_utils_bookmarks.html", 2},
        {"flyingwolfox-nbfp__test.html", 2},
        {"linkding__simple_valid_import_file.html", 3},
        {"qutebrowser__input", 3},
        {"shaarli-nbp__chromium_nested.htm", 18},
        {"shaarli-nbp__delicious.htm", 5},
        {"shaarli-nbp__empty.htm", 0},
        {"shaarli-nbp__firefox_nested.htm", 24},
        {"shaarli-nbp__google_bookmarks_nested.htm", 6},
        {"shaarli-nbp__internet_explorer_11_nested.htm", 27},
        {"shaarli-nbp__netscape_basic.htm", 2},
        {"shaarli-nbp__netscape_multiline.htm", 3},
        {"shaarli-nbp__netscape_nested.htm", 8},
        {"shaarli-nbp__safari_folded.htm", 3},
        {"shaarli-nbp__scuttle.htm", 4},
        {"shaarli-nbp__scuttle_new_line.htm", 1},
        {"shaarli-nbp__shaarli.htm", 6},
    };
    std::size_t filesRead = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpusFolder())) {
        const std::string name = entry.path().filename().string();
        const LinkTable table = linksOfCorpusFile(name);
        const auto count = expected.find(name);
        if (count == expected.end()) {
            ADD_FAILURE() << name << " gives " << table.size() << " links but has no count here";
            continue;
        }
        EXPECT_EQ(table.size(), count->second) << name;
        const testing_support::TempFolder staging;
        browsers::createURLFile(table, staging.path());
        EXPECT_LE(filesIn(staging.path()).size(), table.size()) << name;
        ++filesRead;
    }
    EXPECT_EQ(filesRead, expected.size());
}

TEST(BookmarkReader, SampleFilesGiveTheLinksTheirTextHolds) {
    if (!std::filesystem::is_directory(corpusFolder())) {
        GTEST_SKIP() << "no sample bookmark files at " << corpusFolder();
    }
    const struct {
        const char* file;
        const char* name;
        const char* url;
    } cases[] = {
        // the commas of a title cut the line into fields that are joined again without them
        {"cpan-netscape-bookmarks__Bookmarks.html", "Cisco Connection Online by Cisco SystemsInc.",
         "http://www.cisco.com/"},
        {"cpan-netscape-bookmarks__mozilla.html", "NYS DOSCorporationsNot-for-Profit Corpora...",
         "http://www.dos.state.ny.us/corp/nfpcorp.html"},
        // so does a comma inside the address
        {"cpan-netscape-bookmarks__mozilla.html", "Google Search:",
         "http://groups.google.com/groups?hl=en&lr=lang_en&safe=off&th=6b7ddafeb29657e53&seekm=slrn83k7vv.m2v.abigail%"
         "40alexandra.delanet.com"},
        {"cpan-netscape-bookmarks__Bookmarks4.7.html", "Market &amp; Sell",
         "http://home.netscape.com/bookmark/4_76/nbmarket.html"},
        // the comma of an icon's "data:image/png;base64," splits the anchor over two fields
        {"floorp__bookmarks_html_localized.html", "bookmarks-html-localized-bookmark",
         "http://www.mozilla.com/firefox/help/"},
        {"floorp__bookmarks.corrupt.html", "Example.tld", "http://example.tld"},
        {"floorp__bookmarks_html_singleframe.html", "Mozilla", "http://www.mozilla.org/"},
        {"shaarli-nbp__internet_explorer_11_nested.htm", "It Never works with cats...",
         "http://lizclimo.tumblr.com/post/132165201759/bonus-comic-for-national-cat-day"},
        {"shaarli-nbp__netscape_basic.htm", "Secret stuff", "https://private.tld"},
        {"shaarli-nbp__netscape_basic.htm", "Public stuff", "http://public.tld"},
    };
    for (const auto& test : cases) {
        EXPECT_TRUE(holds(linksOfCorpusFile(test.file), test.name, test.url))
            << test.file << ": " << test.name << " -> " << test.url;
    }
}
