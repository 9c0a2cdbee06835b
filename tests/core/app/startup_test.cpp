#include "core/app/startup.h"

#include <gtest/gtest.h>

#include <filesystem>

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

    [[nodiscard]] std::string scratch(const char* name) const { return app.context.scratchFolder() + "/" + name; }

    TestApp app;
};

TEST_F(StartupTest, AFirstStartWritesTheDefaultSettingsAndLoadsFreshCopiesOfBothLibrariesInAPrivateFolder) {
    app.context.productFamilyFolder = app.root / "home/.cache/Velqor";
    EXPECT_EQ(app::prepareStartup(app.context), std::nullopt);
    EXPECT_EQ(readFile(app.context.settingsFile()),
              "[Setting]\r\nLanguage=0409\r\nCharset=0\r\n\r\n[Size]\r\nHeight=7830\r\nWidth=11535\r\n\r\n[Grid]\r\n"
              "ColWidth0=3495.118\r\nColWidth1=3704.882\r\n\r\n[VSplitter]\r\nLeft =3820\r\n\r\n[Skin]\r\n"
              "SkinFile=Skins\\default.skf\r\n");
    EXPECT_EQ(app.context.ownerName, "User");
    EXPECT_EQ(
        fs::status(app.context.productFamilyFolder).permissions() & (fs::perms::group_all | fs::perms::others_all),
        fs::perms::none);
    EXPECT_EQ(readFile(scratch("dv_langfile0409.dll")), readFile(app.appPath("langfile0409.dll")));
    EXPECT_EQ(app::languageText(app.context, 302), "Velqor Dorvane Lite");
    // a copy left over from an earlier run is replaced, and never stands in for a missing library
    writeFile(scratch("dvlic_0409.dll"), "left over from an earlier run");
    app::loadSupplementaryLibrary(app.context);
    EXPECT_EQ(readFile(scratch("dvlic_0409.dll")), readFile(app.appPath("lic0409.dll")));
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
