#include "core/app/settings.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "testing/files.h"

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

TEST(SettingsFile, NumbersRoundHalfToEvenAndTextsThatAreNoWholeNumberGiveNone) {
    const std::pair<std::string_view, int> numbers[] = {
        {"3495.118", 3495}, {"3704.882", 3705}, {"3495.5", 3496}, {"3494.5", 3494}, {"-2.5", -2},
        {"-3.5", -4},       {"-0.4", 0},        {" 42 ", 42},     {"+7", 7},        {".5", 0},
        {"5.", 5},          {"1E3", 1000},      {"2147483647", INT32_MAX},          {"-2147483648", INT32_MIN},
    };
    for (const auto& [text, expected] : numbers) {
        EXPECT_EQ(app::readWholeNumber(text), expected) << '"' << text << '"';
    }
    for (const char* text : {"2147483647.5", "", "12px", "1,5", "inf", "nan", ".", "1e400"}) {
        EXPECT_EQ(app::readWholeNumber(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(SettingsFile, SingleValuesAreWrittenWithSevenDigits) {
    const std::pair<float, std::string_view> cases[] = {
        {7830.0f, "7830"},       {3495.118f, "3495.118"},      {0.0f, "0"}, {0.5f, "0.5"}, {-459.65f, "-459.65"},
        {1234567.0f, "1234567"}, {12345678.0f, "1.234568E+07"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(app::singleToText(value), text);
    }
}

TEST(SettingsFile, LayoutValuesThatAreNoNumbersGiveNoneAndMissingOnesTheSmallerDefaults) {
    TempFolder folder;
    const std::string file = folder / "setting.ini";
    writeFile(file, "[Size]\r\nHeight=tall\r\nWidth=900.5\r\n[Grid]\r\nColWidth0=\r\n");
    const app::WindowSize size = app::readWindowSize(file);
    const app::ColumnWidths columns = app::readColumnWidths(file);
    EXPECT_EQ((std::array{size.height, size.width, columns.colWidth0, columns.colWidth1, app::readSplitterLeft(file)}),
              (std::array<std::optional<int>, 5>{std::nullopt, 900, std::nullopt, 2000, 3500}));
}
