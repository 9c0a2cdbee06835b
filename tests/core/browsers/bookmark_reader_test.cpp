#include "core/browsers/bookmark_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "testing/files.h"

namespace {

using browsers::LinkTable;
using testing_support::BookmarkLinks;
using testing_support::shortcutBytes;

BookmarkLinks linksOf(const LinkTable& table) {
    BookmarkLinks links;
    for (std::size_t i = 0; i < table.size(); ++i) {
        links.emplace_back(table.at(i).name, table.at(i).url);
    }
    return links;
}

BookmarkLinks linksOf(std::string_view text) {
    LinkTable table;
    browsers::extractFURL(text, table);
    return linksOf(table);
}

std::string corpusFolder() { return std::string(DORVANE_CORPUS_DIR) + "/bookmarks-html"; }

LinkTable linksOfCorpusFile(const std::string& name) {
    LinkTable table;
    browsers::extractFURL(testing_support::readFile(corpusFolder() + "/" + name), table);
    return table;
}

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
        browsers::FieldReader reader(test.text);
        std::vector<std::string> fields;
        while (auto field = reader.next()) {
            fields.push_back(*field);
        }
        EXPECT_EQ(fields, test.fields) << test.what;
    }
}

TEST(BookmarkReader, AnchorsGiveNameAndUrl) {
    const struct {
        const char* what;
        std::string text;
        BookmarkLinks links;
    } cases[] = {
        {"typical anchor", "  <DT><A HREF=\"http://e/\" ADD_DATE=\"1\">A Site</A>\n", {{"A Site", "http://e/"}}},
        {"comma in a title dropped", "<A HREF=\"http://t/\" ADD_DATE=1>Tools, etc</A>\n", {{"Toolsetc", "http://t/"}}},
        {"comma in the address dropped", "<A HREF=\"http://c/?a=1,2\">C</A>\n", {{"C", "http://c/?a=12"}}},
        {"lower-case tags", "<dt><a href=\"http://low/\">Lower case</a>\n", {{"Lower case", "http://low/"}}},
        {"mixed-case tags", "<A Href=\"http://mixed/\">Mixed</a>\n", {{"Mixed", "http://mixed/"}}},
        {"two anchors on one line", "<A HREF=1>One</A> <A HREF=2>Two</A>\n", {{"O", "1"}, {"T", "2"}}},
        {"split anchor joined as is", "<A HREF=\"http://s/\"\nICON=\"1\">S</A>\n", {{"S", "http://s/ICON=1"}}},
        {"attributes after a tab", "<A HREF=\"http://tab/\"\tICON=\"x\">Tab</A>\n", {{"Tab", "http://tab/"}}},
        {"name never longer than the text before its '>'", "<A HREF=ab>Longname</A>\n", {{"Lo", "ab"}}},
        {"the cut counts characters, not bytes", "<A HREF=ab>\u00d1and\u00fa</A>\n", {{"\u00d1a", "ab"}}},
        {"no '>' in the body", "<A HREF=nothing</A>\n", {}},
        {"missing </A> at the end of the file", "<DT><A HREF=\"http://open/\">Open\n</DL><p>\n", {}},
        {"no </A>: next line taken", "<A HREF=\"http://a/\">A\n<A HREF=b>B</A>", {{"A<A HREF=", "http://a/"}}},
        {"trailing blanks trimmed", "<A HREF=\"http://trail/\">  Trail   </A>\n", {{"Trail", "http://trail/"}}},
        {"entities kept", "<A HREF=\"http://e/?a&amp;b\">T &amp; J</A>", {{"T &amp; J", "http://e/?a&amp;b"}}},
        {"empty name", "<A HREF=\"http://empty/\"></A>\n", {{"", "http://empty/"}}},
        {"folders, separators, descriptions ignored", "<DT><H3>Folder</H3>\n<DL><p>\n<HR>\n<DD>About, it\n", {}},
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
    EXPECT_EQ(linksOf(table),
              (BookmarkLinks{{std::string(400, 'n'), "u"}, {"ab", "u"}, {"\u00e9" + std::string(399, 'x'), "u"}}));
}

// The staging folder compares names without regard to case: one file per name, holding the
// later link's URL under the later spelling. A name that cannot be one file name in the
// staging folder is left out, and so is one that a folder of the staging folder holds already.
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
    for (const char* name : {"../escape", "a/b", "..", ".", "", "   ", "back\\slash", "what?", "c:drive", "a*b", "a<b",
                             "a>b", "a|b", "a\"b", "tab\there", "folder"}) {
        table.add(name, "http://bad.example/");
    }
    table.add(std::string(300, 'L'), "http://long.example/");  // longer than a file name may be
    browsers::createURLFile(table, staging);

    EXPECT_EQ(testing_support::treeOf(root.path()),
              (std::vector<std::string>{"Fav/", "Fav/Cut.url=" + shortcutBytes("http://cut.example/"),
                                        "Fav/Example.url=" + shortcutBytes("http://example.org/"), "Fav/Folder.url/",
                                        "Fav/news.url=" + shortcutBytes("http://news/")}));
}

TEST(BookmarkReader, ReadsEverySampleBookmarkFile) {
    if (!std::filesystem::is_directory(corpusFolder())) {
        GTEST_SKIP() << "no sample bookmark files at " << corpusFolder();
    }
    // Links read and shortcut files staged per file. Every anchor of these files that starts
    // with "<A HREF=" has its "</A>" and a '>'; the iCab and redditsaver files put other
    // attributes in front of HREF, so none of their anchors is a link. Fewer files than links
    // are staged where names repeat (in any case) or cannot be file names ("C:\...", "a/b").
    const std::map<std::string, std::pair<std::size_t, std::size_t>> expected = {
        {"chromium-via-fastvc__empty_folder.html", {2, 2}},
        {"chromium-via-fastvc__redditsaver.html", {0, 0}},
        {"cpan-netscape-bookmarks__Bookmarks.html", {10, 8}},
        {"cpan-netscape-bookmarks__Bookmarks4.7.html", {110, 109}},
        {"cpan-netscape-bookmarks__Favorites.html", {149, 115}},
        {"cpan-netscape-bookmarks__iCab.Hotlist.html", {0, 0}},
        {"cpan-netscape-bookmarks__mozilla.html", {219, 170}},
        // 400 bookmarks: 41 names hold one of : ? * | / \ that no file name may hold; 3 repeat
        {"firefox153esr__export.html", {400, 356}},
        {"floorp__bookmarks.corrupt.html", {10, 8}},
        {"floorp__bookmarks.exported.html", {8, 8}},
        {"floorp__bookmarks.invalid.html", {0, 0}},
        {"floorp__bookmarks.preplaces.html", {9, 9}},
        {"floorp__bookmarks_html_localized.html", {1, 1}},
        {"floorp__bookmarks_html_singleframe.html", {1, 1}},
        {"floorp__sync_utils_bookmarks.html", {2, 2}},
        {"flyingwolfox-nbfp__test.html", {2, 1}},
        {"linkding__simple_valid_import_file.html", {3, 3}},
        {"qutebrowser__input", {3, 3}},
        {"shaarli-nbp__chromium_nested.htm", {18, 13}},
        {"shaarli-nbp__delicious.htm", {5, 5}},
        {"shaarli-nbp__empty.htm", {0, 0}},
        {"shaarli-nbp__firefox_nested.htm", {24, 16}},
        {"shaarli-nbp__google_bookmarks_nested.htm", {6, 4}},
        {"shaarli-nbp__internet_explorer_11_nested.htm", {27, 27}},
        {"shaarli-nbp__netscape_basic.htm", {2, 2}},
        {"shaarli-nbp__netscape_multiline.htm", {3, 1}},
        {"shaarli-nbp__netscape_nested.htm", {8, 8}},
        {"shaarli-nbp__safari_folded.htm", {3, 2}},
        {"shaarli-nbp__scuttle.htm", {4, 3}},
        {"shaarli-nbp__scuttle_new_line.htm", {1, 1}},
        {"shaarli-nbp__shaarli.htm", {6, 5}},
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
        EXPECT_EQ(table.size(), count->second.first) << name;
        const testing_support::TempFolder staging;
        browsers::createURLFile(table, staging.path());
        EXPECT_EQ(testing_support::treeOf(staging.path()).size(), count->second.second) << name;
        ++filesRead;
    }
    EXPECT_EQ(filesRead, expected.size());

    const struct {
        const char* file;
        const char* name;
        const char* url;
    } checked[] = {
        // the commas of a title cut the line into fields that are joined again without them
        {"cpan-netscape-bookmarks__Bookmarks.html", "Cisco Connection Online by Cisco SystemsInc.",
         "http://www.cisco.com/"},
        // and the blank after a comma begins the next field, which skips it
        {"firefox153esr__export.html", "\u041f\u0440\u0438\u0432\u0435\u0442\u043c\u0438\u0440 class history",
         "https://blog.buildchat.org/create/wireless/news-desktop-desktop-script-zone-time-e2f0b36.html"
         "?id=sale769&amp;view=hosting123"},
        {"firefox153esr__export.html", "&lt;Linux Tracker&gt; review tree search",
         "https://en.wikipedia.org/wiki/Caf%C3%A9_Garden_40d7032?sort=market220&amp;lang=agent94"
         "&amp;view=database320&amp;utm_medium=calendar48"},
        // the comma of an icon's "data:image/png;base64," splits the anchor over two fields
        {"floorp__bookmarks_html_localized.html", "bookmarks-html-localized-bookmark",
         "http://www.mozilla.com/firefox/help/"},
        // a file that starts with a byte order mark
        {"shaarli-nbp__internet_explorer_11_nested.htm", "It Never works with cats...",
         "http://lizclimo.tumblr.com/post/132165201759/bonus-comic-for-national-cat-day"},
    };
    for (const auto& test : checked) {
        const BookmarkLinks links = linksOf(linksOfCorpusFile(test.file));
        EXPECT_NE(std::find(links.begin(), links.end(), std::pair<std::string, std::string>(test.name, test.url)),
                  links.end())
            << test.file << ": " << test.name << " -> " << test.url;
    }
}
