#include "app/startup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/texts.h"
#include "testing/read_only.h"
#include "testing/test_app.h"

namespace {

using testing_support::readFile;
using testing_support::writeFile;

constexpr const char* kDefaultSettings =
    "[Setting]\r\nLanguage=0409\r\nCharset=0\r\n\r\n[Size]\r\nHeight=7830\r\nWidth=11535\r\n\r\n[Grid]\r\n"
    "ColWidth0=3495.118\r\nColWidth1=3704.882\r\n\r\n[VSplitter]\r\nLeft =3820\r\n\r\n[Skin]\r\n"
    "SkinFile=Skins\\default.skf\r\n";

class StartupTest : public ::testing::Test {
protected:
    StartupTest() {
        for (const char* name : {"langfile0409.dll", "lic0409.dll"}) {
            std::filesystem::copy_file(std::string(DORVANE_PORTABLE_DIR) + "/" + name, app.appPath(name));
        }
    }

    testing_support::TestApp app;
};

TEST_F(StartupTest, AFirstStartWritesTheDefaultSettingsAndLoadsBothLibraries) {
    EXPECT_EQ(app::prepareStartup(app.context), std::nullopt);
    EXPECT_EQ(readFile(app.context.settingsFile()), kDefaultSettings);
    EXPECT_EQ(app.context.language, "0409");
    EXPECT_EQ(app.context.charset, "0");
    EXPECT_EQ(app::languageText(app.context, 302), "Velqor Dorvane Lite");
    EXPECT_FALSE(app::supplementaryText(app.context, 107).empty());
    EXPECT_EQ(app.context.ownerName, "User");
}

TEST_F(StartupTest, AMissingCharsetKeyStartsWithCharsetZero) {
    writeFile(app.context.settingsFile(), "[Setting]\r\nLanguage=0409\r\n");
    EXPECT_EQ(app::prepareStartup(app.context), std::nullopt);
    EXPECT_EQ(app.context.charset, "0");
}

TEST_F(StartupTest, SettingsThatCannotStartStopWithTheirFixedMessage) {
    struct Case {
        const char* settings;
        const char* message;
    };
    const Case cases[] = {
        {"[Setting]\r\nLanguage=\r\nCharset=0\r\n", app::kNoLanguageMessage},
        {"[Setting]\r\nCharset=0\r\n", app::kNoLanguageMessage},
        {"[Setting]\r\nLanguage=0407\r\nCharset=0\r\n", app::kNoLanguageFileMessage},
        {"[Setting]\r\nLanguage=0409\r\nCharset=\r\n", app::kNoCharsetMessage},
    };
    for (const Case& each : cases) {
        writeFile(app.context.settingsFile(), each.settings);
        EXPECT_EQ(app::prepareStartup(app.context), std::optional<std::string>(each.message)) << each.settings;
        EXPECT_FALSE(app.context.languageLibrary.isLoaded());
    }
}

TEST(OwnerName, ComesFromTheOwnerInfoFileAtTheRootOfTheDrive) {
    const testing_support::TmpfsMount drive(
        {{"Program/Bin/OwnerInfo.ini", "[OwnerInfo]\r\nName=Ann Lee\r\n"}, {"Tools/Dorvane/", ""}},
        testing_support::TmpfsMount::Access::Writable);
    if (!drive.mounted()) {
        GTEST_SKIP() << drive.skipReason();
    }
    EXPECT_EQ(app::readOwnerName(drive / "Tools/Dorvane"), "Ann Lee");
}

}  // namespace
