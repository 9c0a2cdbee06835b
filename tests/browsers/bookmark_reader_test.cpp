#include "browsers/bookmark_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "testing/temp_folder.h"

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

std::string shortcut(std::string_view url) { return "[InternetShortcut]\r\nURL=" + std::string(url) + "\r\n"; }

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

TEST(BookmarkReader, LinksOfSeveralFilesAccumulateInOneTable) {
    LinkTable table;
    browsers::extractFURL("<A HREF=\"http://first.example/\">First</A>\n", table);
    browsers::extractFURL("<A HREF=\"http://second.example/\">Second</A>\n", table);
    ASSERT_EQ(table.size(), 2U);
    EXPECT_EQ(table.at(0).name, "First");
    EXPECT_EQ(table.at(1).name, "Second");
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

TEST(CreateURLFile, WritesOneShortcutPerLink) {
    const testing_support::TempFolder staging;
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

TEST(CreateURLFile, ReplacesAFileAlreadyStagedUnderAnotherCase) {
    const testing_support::TempFolder staging;
    testing_support::writeFile(staging / "HOME.URL", shortcut("http://old.example/"));
    testing_support::writeFile(staging / "Other.url", shortcut("http://other.example/"));
    LinkTable table;
    table.add("Home", "http://new.example/");
    browsers::createURLFile(table, staging.path());

    EXPECT_EQ(filesIn(staging.path()), (std::vector<std::string>{"Home.url", "Other.url"}));
    EXPECT_EQ(testing_support::readFile(staging / "Home.url"), shortcut("http://new.example/"));
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

TEST(IsValidFilename, CreatesAndRemovesATestFile) {
    const testing_support::TempFolder folder;
    EXPECT_TRUE(browsers::isValidFilename(folder / "ok.url"));
    EXPECT_FALSE(std::filesystem::exists(folder / "ok.url"));
    EXPECT_FALSE(browsers::isValidFilename(folder / "missing/ok.url"));
    EXPECT_FALSE(browsers::isValidFilename(folder / (std::string(300, 'x') + ".url")));
}
