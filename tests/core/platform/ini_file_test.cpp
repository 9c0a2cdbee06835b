#include "core/platform/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "testing/read_only.h"

using namespace testing_support;
using Text = std::string_view;

static std::string read(Text section, Text key, const std::string& file, Text defaultValue = "<default>") {
    return platform::getProfileString(section, key, defaultValue, 1024, file).value;
}

TEST(IniFile, ReadsValuesAsWindowsDoes) {
    // each line of the file, in order, and a value read after the whole file is written
    const std::tuple<Text, Text, Text, Text> lines[] = {
        {"Orphan=before any section\r\n", "Main", "Orphan", "<default>"},
        {"[Main]\n", "Main", "", "nameless"},
        {"Plain=value\r", "MAIN", "pLaIn", "value"},
        {"  Spaced  =   padded value  \r\n", " Main ", "  Spaced ", "padded value"},
        {"Tabbed\t=\tv\t\r\n", "Main", "\tTabbed", "<default>"},
        {"Quoted=  \"  inner  \"  \r\n", "Main", "Quoted", "  inner  "},
        {"Single='one'\r\n", "Main", "Single", "one"},
        {"Doubled=\"\"v\"\"\r\n", "Main", "Doubled", "\"v\""},
        {"Mismatched=\"v'\r\n", "Main", "Mismatched", "\"v'"},
        {"Dup=first\r\ndup=second\r\n", "Main", "Dup", "first"},
        {"Inline=a ;b\r\n", "Main", "Inline", "a ;b"},
        {";Comment=hidden\r\n", "Main", ";Comment", "<default>"},
        {"Equals=a=b\r\n", "Main", "Equals", "a=b"},
        {"Empty=\r\n", "Main", "Empty", ""},
        {"NoEquals\r\n", "Main", "NoEquals", "<default>"},
        {"=nameless\r\n", "Main", "Tabbed", "v"},
        {"[main]\r\nLater=in the second Main\r\n", "Main", "Later", "<default>"},
        {"[ Padded Section ]\r\nk=padded\r\n", "Padded Section", "k", "padded"},
        {"[Cut]ignored]=1\r\nafter=cut\r\n", "Cut", "after", "cut"},
        {"[Open\r\nk=open", "Open", "k", "open"},
    };
    TempFolder folder;
    const std::string file = folder / "a.ini";
    std::string contents;
    for (const auto& line : lines) {
        contents += std::get<0>(line);
    }
    writeFile(file, contents);
    for (const auto& [line, section, key, expected] : lines) {
        EXPECT_EQ(read(section, key, file), expected) << "[" << section << "] " << key;
    }
    // a default loses its trailing spaces only; a folder reads as no file
    EXPECT_EQ(read("Nowhere", "k", file, "  spaced default  "), "  spaced default");
    EXPECT_EQ(read("S", "k", folder / "missing.ini", "tab\t") + read("S", "k", folder.path()), "tab\t<default>");
}

TEST(IniFile, WriteChangesOnlyWhatItMustKeepsThePermissionsAndOnFailureLeavesTheOldFileWhole) {
    TempFolder folder;
    const std::string file = folder / "w.ini";
    writeFile(file, "");
    ASSERT_EQ(chmod(file.c_str(), 0640), 0);
    const std::tuple<Text, Text, Text, Text, Text> cases[] = {
        // an existing key: its line alone is rewritten, spelled as in the file, ended in CR LF
        {"[VSplitter]\r\nLeft =3820\r\n\r\n[Skin]\r\n", "VSplitter", "Left", "4000",
         "[VSplitter]\r\nLeft=4000\r\n\r\n[Skin]\r\n"},
        {"; note\n[s]\n  TestKey = v \nother = x\n", "S", "TESTKEY", "v2", "; note\n[s]\nTestKey=v2\r\nother = x\n"},
        {"[S]\r\nK=V", "S", "K", "V2", "[S]\r\nK=V2\r\n"},
        {"[S]\rk=1\rk=2\r", "S", "k", "9", "[S]\rk=9\r\nk=2\r"},
        {"[S]\r\nk=1\r\n", "S", "k", "  kept as given\t", "[S]\r\nk=  kept as given\t\r\n"},
        // a missing key: right after the section's last key, before its comments and blank lines
        {"[A]\r\nz=1\r\n;c\r\n\r\n[B]\r\ny=2\r\n", "A", "a", "3", "[A]\r\nz=1\r\na=3\r\n;c\r\n\r\n[B]\r\ny=2\r\n"},
        {"[A]\r\n\r\n[B]\r\n", "a", "k", "v", "[A]\r\nk=v\r\n\r\n[B]\r\n"},
        {"[A]", "A", "k", "v", "[A]\r\nk=v\r\n"},
        {"[A]\r\nx=1\r\n[B]\r\n[a]\r\nk=2\r\n", "A", "k", "9", "[A]\r\nx=1\r\nk=9\r\n[B]\r\n[a]\r\nk=2\r\n"},
        // a missing section: at the end, no blank line before it
        {"[A]\r\nx=1\r\n", "B", "k", "v", "[A]\r\nx=1\r\n[B]\r\nk=v\r\n"},
        {"[A]\nx=1", " B ", " k ", "v", "[A]\nx=1\r\n[B]\r\nk=v\r\n"},
        {"", "Sec", "key", "value", "[Sec]\r\nkey=value\r\n"},
    };
    for (const auto& [before, section, key, value, after] : cases) {
        writeFile(file, before);
        EXPECT_TRUE(platform::writeProfileString(section, key, value, file));
        EXPECT_EQ(readFile(file), after) << "writing " << key << " into " << before;
    }
    EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0640));
    // a failed write leaves the old file whole and nothing beside it
    // the folder would allow the rename; the file itself does not allow writing
    ASSERT_EQ(chmod(folder.path().c_str(), 0777), 0);
    ASSERT_EQ(chmod(file.c_str(), 0444), 0);
    const ChildOutcome asNobody = runAsNobody([&] { return platform::writeProfileString("S", "k", "2", file); });
    EXPECT_TRUE(asNobody.answer == false || !asNobody.skipReason.empty()) << asNobody.skipReason;
    // a drive that takes no more than 4 KB of any one file
    const auto writeBig = [&] { return platform::writeProfileString("S", "k", std::string(10000, 'x'), file); };
    EXPECT_EQ(runWithFileSizeLimit(4096, writeBig).answer, false);
    EXPECT_FALSE(platform::writeProfileString("S", "k", "v", folder / "missing/a.ini") ||
                 platform::writeProfileString("S", "k", "v", folder.path()));
    EXPECT_EQ(treeOf(folder.path()), std::vector<std::string>{"w.ini=[Sec]\r\nkey=value\r\n"});
}
