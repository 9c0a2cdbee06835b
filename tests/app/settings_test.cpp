#include "app/settings.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

#include "testing/files.h"

using testing_support::readFile;
using testing_support::TempFolder;
using testing_support::writeFile;

TEST(SettingsFile, AnExistingFileIsKeptWhateverTheCaseOfItsName) {
    TempFolder folder;
    writeFile(folder / "Setting.INI", "[Setting]\r\nLanguage=0804\r\n");
    EXPECT_TRUE(app::ensureSettingsFile(folder.path()));
    EXPECT_EQ(testing_support::treeOf(folder.path()),
              std::vector<std::string>{"Setting.INI=[Setting]\r\nLanguage=0804\r\n"});
    EXPECT_FALSE(app::ensureSettingsFile(folder / "gone"));
}

TEST(SettingsFile, ValuesOfAnyLengthAreReadWhole) {
    TempFolder folder;
    const std::string file = folder / "setting.ini";
    // lengths around the sizes of the buffers the reader passes through
    for (const std::size_t length : {254, 255, 511, 5000}) {
        const std::string value(length, 'v');
        writeFile(file, "[Skin]\r\nSkinFile=" + value + "\r\n");
        EXPECT_EQ(app::readValue("Skin", "SkinFile", "", file), value);
        EXPECT_EQ(app::readValue("Skin", "Other", value, file), value) << "a default of " << length;
    }
}

TEST(SettingsFile, NumbersRoundHalfToEven) {
    const struct {
        std::string_view text;
        std::optional<int> expected;
    } cases[] = {
        {"3495.118", 3495},
        {"3704.882", 3705},
        {"3495.5", 3496},
        {"3494.5", 3494},
        {"-2.5", -2},
        {"-3.5", -4},
        {"-0.4", 0},
        {" 42 ", 42},
        {"+7", 7},
        {".5", 0},
        {"5.", 5},
        {"1E3", 1000},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483647.5", std::nullopt},
        {"", std::nullopt},
        {"12px", std::nullopt},
        {"1,5", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {".", std::nullopt},
        {"1e400", std::nullopt},
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
        {7830.0f, "7830"},       {3495.118f, "3495.118"},       {0.0f, "0"}, {0.5f, "0.5"}, {-459.65f, "-459.65"},
        {1234567.0f, "1234567"}, {12345678.0f, "1.234568E+07"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(app::singleToText(c.value), c.text);
    }
}

TEST(SettingsFile, TheLayoutIsSavedInItsFiveLinesAndReadBackRounded) {
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
    const auto layout = [&] {
        const app::WindowSize size = app::readWindowSize(file);
        const app::ColumnWidths columns = app::readColumnWidths(file);
        return std::array{size.height, size.width, columns.colWidth0, columns.colWidth1, app::readSplitterLeft(file)};
    };
    EXPECT_EQ(layout(), (std::array<std::optional<int>, 5>{8000, 12000, 3495, 2000, 4000}));
    // a missing key gives a smaller value than a new file holds; a value that is no number gives none
    writeFile(file, "[Size]\r\nHeight=tall\r\n[Grid]\r\nColWidth0=\r\n");
    EXPECT_EQ(layout(), (std::array<std::optional<int>, 5>{std::nullopt, 6720, std::nullopt, 2000, 3500}));
    writeFile(file, "");
    EXPECT_EQ(layout(), (std::array<std::optional<int>, 5>{5610, 6720, 350, 2000, 3500}));
}
