#include "core/app/settings.h"

#include <gtest/gtest.h>

#include <array>

#include "testing/files.h"

using namespace testing_support;

TEST(SettingsFile, AnExistingFileIsKeptWhateverTheCaseOfItsName) {
    TempFolder folder;
    writeFile(folder / "Setting.INI", "[Setting]\r\nLanguage=0804\r\n");
    EXPECT_TRUE(app::ensureSettingsFile(folder.path()));
    EXPECT_EQ(treeOf(folder.path()), std::vector<std::string>{"Setting.INI=[Setting]\r\nLanguage=0804\r\n"});
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

TEST(SettingsFile, NumbersAreReadRoundingHalfToEvenAndWrittenWithSevenDigits) {
    std::string read;
    for (const char* text : {"3495.118", "3704.882", "3495.5", "3494.5", "-2.5", "-3.5", "-0.4", " 42 ", "+7",
                             ".5", "5.", "1E3", "2147483647", "-2147483648", "2147483647.5", "", "12px", "1,5",
                             "inf", "nan", ".", "1e400"}) {
        const std::optional<int> number = app::readWholeNumber(text);
        read += (number ? std::to_string(*number) : "none") + " ";
    }
    EXPECT_EQ(read, "3495 3705 3496 3494 -2 -4 0 42 7 0 5 1000 2147483647 -2147483648 "
                    "none none none none none none none none ");
    std::string written;
    for (const float value : {7830.0f, 3495.118f, 0.0f, 0.5f, -459.65f, 1234567.0f, 12345678.0f}) {
        written += app::singleToText(value) + " ";
    }
    EXPECT_EQ(written, "7830 3495.118 0 0.5 -459.65 1234567 1.234568E+07 ");
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
