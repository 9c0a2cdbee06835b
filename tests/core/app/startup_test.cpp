#include "core/app/startup.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "core/app/settings.h"
#include "core/app/text_libraries.h"
#include "core/app/texts.h"
#include "testing/read_only.h"
#include "testing/test_app.h"

using namespace testing_support;
namespace fs = std::filesystem;

class StartupTest : public ::testing::Test {
protected:
    StartupTest() {
        for (const char* name : {"langfile0409.dll", "lic0409.dll"}) {
            fs::copy_file(std::string(DORVANE_PORTABLE_DIR) + "/" + name, app.appPath(name));
        }
    }

    TestApp app;
};

TEST_F(StartupTest, AFirstStartWritesTheDefaultSettingsAndLoadsFreshCopiesOfBothLibrariesInTheScratchFolder) {
    EXPECT_EQ(app::prepareStartup(app.context), std::nullopt);
    EXPECT_EQ(readFile(app.context.settingsFile()),
              "[Setting]\r\nLanguage=0409\r\nCharset=0\r\n\r\n[Size]\r\nHeight=7830\r\nWidth=11535\r\n\r\n[Grid]\r\n"
              "ColWidth0=3495.118\r\nColWidth1=3704.882\r\n\r\n[VSplitter]\r\nLeft =3820\r\n\r\n[Skin]\r\n"
              "SkinFile=Skins\\default.skf\r\n");
    EXPECT_EQ(app.context.ownerName, "User");
    EXPECT_EQ(readFile(app.context.scratchFolder() + "/dv_langfile0409.dll"),
              readFile(app.appPath("langfile0409.dll")));
    EXPECT_EQ(app::languageText(app.context, 302), "Velqor Dorvane Lite");
    // a copy left over from an earlier run is replaced, and never stands in for a missing library
    writeFile(app.context.scratchFolder() + "/dvlic_0409.dll", "left over from an earlier run");
    app::loadSupplementaryLibrary(app.context);
    EXPECT_EQ(app::supplementaryText(app.context, 303), "About %s");
    fs::remove(app.appPath("lic0409.dll"));
    app::loadSupplementaryLibrary(app.context);
    EXPECT_EQ(app::supplementaryText(app.context, 303), "");
    app::unloadLanguageLibrary(app.context);
    EXPECT_EQ(app::languageText(app.context, 302), "");
    EXPECT_EQ(treeOf(app.context.scratchFolder()), std::vector<std::string>{});
}

TEST_F(StartupTest, SettingsThatCannotStartStopWithTheirFixedMessage) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"[Setting]\r\nLanguage=\r\nCharset=0\r\n", app::kNoLanguageMessage},
        {"[Setting]\r\nCharset=\r\n", app::kNoLanguageMessage},
        {"[Setting]\r\nLanguage=0407\r\nCharset=\r\n", app::kNoLanguageFileMessage},
        {"[Setting]\r\nLanguage=0409\r\nCharset=\r\n", app::kNoCharsetMessage},
        // a missing Charset key reads as "0"
        {"[setting]\r\nlanguage=0409\r\n", std::nullopt},
    };
    for (const auto& [settings, message] : cases) {
        writeFile(app.context.settingsFile(), settings);
        EXPECT_EQ(app::prepareStartup(app.context), message) << settings;
        EXPECT_EQ(app.context.languageLibrary.isLoaded(), !message) << settings;
    }
    EXPECT_EQ(app.context.charset, "0");
}

TEST(OwnerName, ComesFromTheOwnerInfoFileAtTheRootOfTheDrive) {
    const TmpfsMount drive({{"Program/Bin/OwnerInfo.ini", "[OwnerInfo]\r\nName=Ann Lee\r\n"}, {"Tools/Dorvane/", ""}},
                           TmpfsMount::Access::Writable);
    if (!drive.mounted()) {
        GTEST_SKIP() << drive.skipReason();
    }
    EXPECT_EQ(app::readOwnerName(drive / "Tools/Dorvane"), "Ann Lee");
}

TEST(SettingsFile, AnExistingFileIsKeptAndReadWholeLayoutValuesThatAreNoNumbersGivingNoneAndMissingOnesTheDefaults) {
    TempFolder folder;
    const std::string file = folder / "Setting.INI";
    writeFile(file, "[Setting]\r\nLanguage=0804\r\n");
    EXPECT_TRUE(app::ensureSettingsFile(folder.path()));
    EXPECT_EQ(treeOf(folder.path()), std::vector<std::string>{"Setting.INI=[Setting]\r\nLanguage=0804\r\n"});
    EXPECT_FALSE(app::ensureSettingsFile(folder / "gone"));
    // lengths around the sizes of the buffers the reader passes through
    for (const std::size_t length : {254, 255, 511, 5000}) {
        const std::string value(length, 'v');
        writeFile(file, "[Skin]\r\nSkinFile=" + value + "\r\n");
        EXPECT_EQ(app::readValue("Skin", "SkinFile", "", file), value);
        EXPECT_EQ(app::readValue("Skin", "Other", value, file), value) << "a default of " << length;
    }
    writeFile(file, "[Size]\r\nHeight=tall\r\nWidth=900.5\r\n[Grid]\r\nColWidth0=\r\n");
    const app::WindowSize size = app::readWindowSize(file);
    const app::ColumnWidths columns = app::readColumnWidths(file);
    EXPECT_EQ((std::array{size.height, size.width, columns.colWidth0, columns.colWidth1, app::readSplitterLeft(file)}),
              (std::array<std::optional<int>, 5>{std::nullopt, 900, std::nullopt, 2000, 3500}));
}

TEST(SettingsFile, NumbersAreReadRoundingHalfToEvenAndWrittenWithSevenDigits) {
    std::string read;
    for (const char* text :
         {"3495.118", "3704.882", "3495.5", "3494.5", "-2.5",       "-3.5",        "-0.4",         " 42 ",
          "+7",       ".5",       "5.",     "1E3",    "2147483647", "-2147483648", "2147483647.5", "",
          "12px",     "1,5",      "inf",    "nan",    ".",          "1e400"}) {
        const std::optional<int> number = app::readWholeNumber(text);
        read += (number ? std::to_string(*number) : "x") + " ";  // x: no whole number
    }
    EXPECT_EQ(read, "3495 3705 3496 3494 -2 -4 0 42 7 0 5 1000 2147483647 -2147483648 x x x x x x x x ");
    std::string written;
    for (const float value : {7830.0f, 3495.118f, 0.0f, 0.5f, -459.65f, 1234567.0f, 12345678.0f}) {
        written += app::singleToText(value) + " ";
    }
    EXPECT_EQ(written, "7830 3495.118 0 0.5 -459.65 1234567 1.234568E+07 ");
}
