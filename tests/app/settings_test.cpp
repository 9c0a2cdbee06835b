#include "app/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "testing/files.h"

using testing_support::readFile;
using testing_support::TempFolder;
using testing_support::writeFile;

namespace {

constexpr std::string_view kDefaultFile =
    "[Setting]\r\nLanguage=0409\r\nCharset=0\r\n\r\n"
    "[Size]\r\nHeight=7830\r\nWidth=11535\r\n\r\n"
    "[Grid]\r\nColWidth0=3495.118\r\nColWidth1=3704.882\r\n\r\n"
    "[VSplitter]\r\nLeft =3820\r\n\r\n"
    "[Skin]\r\nSkinFile=Skins\\default.skf\r\n";

}  // namespace

TEST(SettingsFile, ExistingFileIsKeptAsItIs) {
    TempFolder folder;
    writeFile(folder / "Setting.INI", "[Setting]\r\nLanguage=0804\r\n");
    EXPECT_TRUE(app::ensureSettingsFile(folder.path()));
    EXPECT_FALSE(std::filesystem::exists(folder / "setting.ini"));
    EXPECT_EQ(readFile(folder / "Setting.INI"), "[Setting]\r\nLanguage=0804\r\n");
}

TEST(SettingsFile, FileThatCannotBeCreatedLeavesMissingKeyValues) {
    TempFolder folder;
    const std::string missingFolder = folder / "gone";
    EXPECT_FALSE(app::ensureSettingsFile(missingFolder));
    const std::string file = missingFolder + "/setting.ini";
    EXPECT_EQ(app::readLanguage(file), "");
    EXPECT_EQ(app::readCharset(file), "0");
    EXPECT_TRUE(app::writeValue("Size", "Height", "1", file));
}

TEST(SettingsFile, LongValuesAreReadWhole) {
    TempFolder folder;
    const std::string file = folder / "setting.ini";
    // lengths around each buffer size the reader passes through
    for (const std::size_t length : {0, 1, 253, 254, 255, 256, 300, 510, 511, 512, 1023, 5000}) {
        const std::string value(length, 'v');
        writeFile(file, "[Skin]\r\nSkinFile=" + value + "\r\n");
        EXPECT_EQ(app::readValue("Skin", "SkinFile", "", file).size(), length);
        EXPECT_EQ(app::readValue("Skin", "Other", value, file).size(), length) << "a default of " << length;
    }
}

TEST(SettingsFile, NumbersRoundHalfToEven) {
    const struct {
        std::string_view text;
        std::optional<int> expected;
    } cases[] = {
        {"3495.118", 3495}, {"3704.882", 3705}, {"3495.5", 3496},    {"3494.5", 3494},
        {"-2.5", -2},       {"-3.5", -4},       {"-0.4", 0},         {" 42 ", 42},
        {"+7", 7},          {".5", 0},          {"5.", 5},           {"1E3", 1000},
        {"2147483647", 2147483647},             {"-2147483648", -2147483647 - 1},
        {"2147483647.5", std::nullopt},         {"", std::nullopt},  {"12px", std::nullopt},
        {"1,5", std::nullopt},                  {"inf", std::nullopt}, {"nan", std::nullopt},
        {".", std::nullopt},                    {"1e400", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(app::readWholeNumber(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(SettingsFile, SingleValuesAreWrittenWithSevenDigits) {
    const struct {
        float value;
        std::string_view text;
    } cases[] = {
        {7830.0f, "7830"}, {3495.118f, "3495.118"}, {0.0f, "0"},           {0.5f, "0.5"},
        {-459.65f, "-459.65"}, {1234567.0f, "1234567"}, {12345678.0f, "1.234568E+07"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(app::singleToText(c.value), c.text);
    }
}

TEST(SettingsFile, SavingTheLayoutRewritesOnlyItsFiveLines) {
    TempFolder folder;
    ASSERT_TRUE(app::ensureSettingsFile(folder.path()));
    const std::string file = folder / "setting.ini";
    app::saveLayout(file, {8000.0f, 12000.0f, 3495.118f, 2000.5f, 4000.0f});
    EXPECT_EQ(readFile(file),
              "[Setting]\r\nLanguage=0409\r\nCharset=0\r\n\r\n"
              "[Size]\r\nHeight=8000\r\nWidth=12000\r\n\r\n"
              "[Grid]\r\nColWidth0=3495.118\r\nColWidth1=2000.5\r\n\r\n"
              "[VSplitter]\r\nLeft=4000\r\n\r\n"
              "[Skin]\r\nSkinFile=Skins\\default.skf\r\n");
}

TEST(SettingsFile, LayoutReadsStoredMissingAndUnreadableValues) {
    TempFolder folder;
    const std::string file = folder / "setting.ini";
    const struct {
        std::string_view contents;
        std::optional<int> height, width, col0, col1, splitter;
    } cases[] = {
        {kDefaultFile, 7830, 11535, 3495, 3705, 3820},
        {"[Setting]\r\nLanguage=0409\r\nCharset=0\r\n", 5610, 6720, 350, 2000, 3500},
        {"[Size]\r\nHeight=tall\r\nWidth=900\r\n[Grid]\r\nColWidth0=\r\n[VSplitter]\r\nLeft=x\r\n", std::nullopt, 900,
         std::nullopt, 2000, std::nullopt},
    };
    for (const auto& c : cases) {
        writeFile(file, c.contents);
        const app::WindowSize size = app::readWindowSize(file);
        const app::ColumnWidths columns = app::readColumnWidths(file);
        EXPECT_EQ(size.height, c.height) << c.contents;
        EXPECT_EQ(size.width, c.width) << c.contents;
        EXPECT_EQ(columns.colWidth0, c.col0) << c.contents;
        EXPECT_EQ(columns.colWidth1, c.col1) << c.contents;
        EXPECT_EQ(app::readSplitterLeft(file), c.splitter) << c.contents;
    }
}
