#include "platform/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "testing/read_only.h"
#include "testing/files.h"

using testing_support::readFile;
using testing_support::TempFolder;
using testing_support::writeFile;

namespace {

constexpr std::size_t kRoomy = 1024;

std::string read(std::string_view section, std::string_view key, const std::string& file,
                 std::string_view defaultValue = "<default>") {
    return platform::getProfileString(section, key, defaultValue, kRoomy, file).value;
}

}  // namespace

TEST(IniFile, ReadsValuesAsWindowsDoes) {
    TempFolder folder;
    const std::string file = folder / "a.ini";
    writeFile(file,
              "Orphan=before any section\r\n"
              "[Main]\r\n"
              "Plain=value\r\n"
              "  Spaced  =   padded value  \r\n"
              "Tabbed\t=\tv\t\r\n"
              "Quoted=  \"  inner  \"  \r\n"
              "Single='one'\r\n"
              "Doubled=\"\"v\"\"\r\n"
              "Mismatched=\"v'\r\n"
              "Dup=first\r\n"
              "dup=second\r\n"
              "Inline=a ;b\r\n"
              ";Comment=hidden\r\n"
              "Equals=a=b\r\n"
              "Empty=\r\n"
              "NoEquals\r\n"
              "=nameless\r\n"
              "[main]\r\n"
              "Later=in the second Main\r\n"
              "[ Padded Section ]\r\n"
              "k=padded\r\n"
              "[Cut]ignored=1\r\n"
              "after=cut\r\n"
              "[Open\r\n"
              "k=open\r\n");
    const struct {
        std::string_view section, key, expected;
    } cases[] = {
        {"Main", "Plain", "value"},
        {"MAIN", "pLaIn", "value"},
        {" Main ", "  Plain ", "value"},
        {"Main", "\tPlain", "<default>"},
        {"Main", "Spaced", "padded value"},
        {"Main", "Tabbed", "v"},
        {"Main", "Quoted", "  inner  "},
        {"Main", "Single", "one"},
        {"Main", "Doubled", "\"v\""},
        {"Main", "Mismatched", "\"v'"},
        {"Main", "Dup", "first"},
        {"Main", "Inline", "a ;b"},
        {"Main", ";Comment", "<default>"},
        {"Main", "Equals", "a=b"},
        {"Main", "Empty", ""},
        {"Main", "NoEquals", "<default>"},
        {"Main", "", "nameless"},
        {"Main", "Later", "<default>"},
        {"Main", "Orphan", "<default>"},
        {"Padded Section", "k", "padded"},
        {"Cut", "after", "cut"},
        {"Cut", "ignored", "<default>"},
        {"Open", "k", "open"},
        {"Nowhere", "k", "<default>"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(read(c.section, c.key, file), c.expected) << "[" << c.section << "] " << c.key;
    }
}

TEST(IniFile, EveryLineEndEndsALine) {
    TempFolder folder;
    for (const std::string_view end : {"\r\n", "\n", "\r"}) {
        const std::string e(end);
        const std::string file = folder / "ends.ini";
        writeFile(file, "[S]" + e + "a=1" + e + e + "b=2" + e + "[T]" + e + "c=3");
        EXPECT_EQ(read("S", "a", file), "1");
        EXPECT_EQ(read("S", "b", file), "2");
        EXPECT_EQ(read("T", "c", file), "3");
    }
}

TEST(IniFile, DefaultIsUsedWithoutFileAndLosesTrailingSpacesOnly) {
    TempFolder folder;
    EXPECT_EQ(read("S", "k", folder / "missing.ini", "  spaced default  "), "  spaced default");
    EXPECT_EQ(read("S", "k", folder / "missing.ini", "tab\t"), "tab\t");
    EXPECT_EQ(read("S", "k", folder.path()), "<default>");
}

TEST(IniFile, ValueIsCutToTheBufferAndTheCountSaysSo) {
    TempFolder folder;
    const std::string file = folder / "b.ini";
    writeFile(file, "[S]\r\nk=val1\r\n");
    const struct {
        std::string_view key;
        std::size_t size;
        std::string_view value;
        std::size_t copied;
    } cases[] = {
        {"k", 0, "", 0},     {"k", 1, "", 0},          {"k", 4, "val", 3},           {"k", 5, "val1", 4},
        {"k", 6, "val1", 4}, {"missing", 4, "def", 3}, {"missing", 9, "default", 7},
    };
    for (const auto& c : cases) {
        const platform::ProfileRead result = platform::getProfileString("S", c.key, "default", c.size, file);
        EXPECT_EQ(result.value, c.value) << c.key << " in " << c.size;
        EXPECT_EQ(result.copied, c.copied) << c.key << " in " << c.size;
    }
}

TEST(IniFile, WriteChangesOnlyWhatItMust) {
    TempFolder folder;
    const struct {
        std::string_view before, section, key, value, after;
    } cases[] = {
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
    for (const auto& c : cases) {
        const std::string file = folder / "w.ini";
        writeFile(file, c.before);
        EXPECT_TRUE(platform::writeProfileString(c.section, c.key, c.value, file));
        EXPECT_EQ(readFile(file), c.after) << "writing " << c.key << " into " << c.before;
    }
}

TEST(IniFile, WriteFailsWhereNoFileCanBe) {
    TempFolder folder;
    EXPECT_FALSE(platform::writeProfileString("S", "k", "v", folder / "missing/a.ini"));
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
    EXPECT_FALSE(platform::writeProfileString("S", "k", "v", folder.path()));
}

TEST(IniFile, RewriteKeepsTheFilesPermissions) {
    TempFolder folder;
    const std::string file = folder / "p.ini";
    writeFile(file, "[S]\r\nk=1\r\n");
    ASSERT_EQ(chmod(file.c_str(), 0640), 0);
    ASSERT_TRUE(platform::writeProfileString("S", "k", "2", file));
    struct stat status {};
    ASSERT_EQ(stat(file.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(std::filesystem::directory_iterator(folder.path())->path().filename(), "p.ini");
}

TEST(IniFile, FailedWriteLeavesTheOldFileWhole) {
    TempFolder folder;
    const std::string file = folder / "full.ini";
    const std::string before = "[S]\r\nk=1\r\n; keep me\r\n";
    writeFile(file, before);
    // a drive that takes no more than 4 KB of any one file
    const testing_support::ChildOutcome written = testing_support::runWithFileSizeLimit(
        4096, [&] { return platform::writeProfileString("S", "k", std::string(10000, 'x'), file); });
    EXPECT_EQ(written.answer, false);
    EXPECT_EQ(readFile(file), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << "no scrap left behind";
}

TEST(IniFile, FileTheUserMayNotWriteIsLeftAlone) {
    TempFolder folder;
    const std::string file = folder / "ro.ini";
    writeFile(file, "[S]\r\nk=1\r\n");
    // the folder would allow the rename; the file itself does not allow writing
    ASSERT_EQ(chmod(folder.path().c_str(), 0777), 0);
    ASSERT_EQ(chmod(file.c_str(), 0444), 0);
    const testing_support::ChildOutcome written =
        testing_support::runAsNobody([&] { return platform::writeProfileString("S", "k", "2", file); });
    if (!written.skipReason.empty()) {
        GTEST_SKIP() << written.skipReason;
    }
    EXPECT_EQ(written.answer, false);
    EXPECT_EQ(readFile(file), "[S]\r\nk=1\r\n");
}
