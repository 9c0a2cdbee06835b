#include "app/text_libraries.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/texts.h"
#include "testing/files.h"
#include "testing/test_app.h"

namespace {

using testing_support::readFile;
using testing_support::writeFile;

// An application folder that holds the built English text libraries.
class TextLibraries : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"langfile0409.dll", "lic0409.dll"}) {
            writeFile(app.appPath(name), readFile(std::string(DORVANE_PORTABLE_DIR "/") + name));
        }
    }

    [[nodiscard]] std::string scratch(const char* name) const { return app.context.scratchFolder() + "/" + name; }

    testing_support::TestApp app;
};

}  // namespace

TEST_F(TextLibraries, LoadingCopiesIntoAPrivateScratchFolderAndUnloadingDeletesTheCopies) {
    namespace fs = std::filesystem;
    app.context.productFamilyFolder = app.root / "home/.cache/Velqor";
    app::loadLanguageLibrary(app.context);
    EXPECT_EQ(
        fs::status(app.context.productFamilyFolder).permissions() & (fs::perms::group_all | fs::perms::others_all),
        fs::perms::none);
    // a copy left over from an earlier run is replaced
    writeFile(scratch("dvlic_0409.dll"), "left over from an earlier run");
    app::loadSupplementaryLibrary(app.context);
    EXPECT_EQ(readFile(scratch("dv_langfile0409.dll")), readFile(app.appPath("langfile0409.dll")));
    EXPECT_EQ(readFile(scratch("dvlic_0409.dll")), readFile(app.appPath("lic0409.dll")));
    EXPECT_EQ(app::languageText(app.context, 302), "Velqor Dorvane Lite");
    EXPECT_EQ(app::supplementaryText(app.context, 303), "About %s");

    app::unloadSupplementaryLibrary(app.context);
    app::unloadLanguageLibrary(app.context);
    EXPECT_EQ(testing_support::treeOf(app.context.scratchFolder()), std::vector<std::string>{});
    EXPECT_EQ(app::languageText(app.context, 302), "");
    EXPECT_EQ(app::supplementaryText(app.context, 303), "");
    EXPECT_TRUE(fs::exists(app.appPath("lic0409.dll")));
}

TEST_F(TextLibraries, AMissingLibraryLeavesNoCopyAndEmptyTexts) {
    // a stale copy must not stand in for a library that is no longer on the drive
    std::filesystem::remove(app.appPath("lic0409.dll"));
    writeFile(scratch("dvlic_0409.dll"), readFile(std::string(DORVANE_PORTABLE_DIR "/lic0409.dll")));
    app::loadSupplementaryLibrary(app.context);
    EXPECT_EQ(app::supplementaryText(app.context, 303), "");
    EXPECT_FALSE(std::filesystem::exists(scratch("dvlic_0409.dll")));
}
