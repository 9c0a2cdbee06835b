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

TEST_F(TextLibraries, LoadReplacesStaleCopiesInTheScratchFolderAndReadsTheCopies) {
    writeFile(scratch("dv_langfile0409.dll"), "left over from an earlier run");
    writeFile(scratch("dvlic_0409.dll"), "left over from an earlier run");
    app::loadSupplementaryLibrary(app.context);
    app::loadLanguageLibrary(app.context);

    EXPECT_EQ(readFile(scratch("dv_langfile0409.dll")), readFile(app.appPath("langfile0409.dll")));
    EXPECT_EQ(readFile(scratch("dvlic_0409.dll")), readFile(app.appPath("lic0409.dll")));
    EXPECT_EQ(app::languageText(app.context, 302), "Velqor Dorvane Lite");
    EXPECT_EQ(app::supplementaryText(app.context, 303), "About %s");
}

TEST_F(TextLibraries, ProductFamilyFolderIsMadePrivateWithItsParents) {
    app.context.productFamilyFolder = app.root / "home/.cache/Velqor";
    app::loadLanguageLibrary(app.context);

    namespace fs = std::filesystem;
    const fs::perms others = fs::perms::group_all | fs::perms::others_all;
    EXPECT_EQ(fs::status(app.context.productFamilyFolder).permissions() & others, fs::perms::none);
    EXPECT_TRUE(fs::is_directory(app.context.scratchFolder()));
    EXPECT_TRUE(app.context.languageLibrary.isLoaded());
}

TEST_F(TextLibraries, MissingLibraryLeavesNoCopyAndEmptyTexts) {
    // a stale copy must not stand in for a library that is no longer on the drive
    std::filesystem::remove(app.appPath("lic0409.dll"));
    writeFile(scratch("dvlic_0409.dll"), readFile(std::string(DORVANE_PORTABLE_DIR "/lic0409.dll")));
    app::loadSupplementaryLibrary(app.context);

    EXPECT_FALSE(app.context.supplementaryLibrary.isLoaded());
    EXPECT_EQ(app::supplementaryText(app.context, 303), "");
    EXPECT_FALSE(std::filesystem::exists(scratch("dvlic_0409.dll")));
}

TEST_F(TextLibraries, UnloadFreesBothLibrariesAndDeletesTheCopies) {
    app::loadSupplementaryLibrary(app.context);
    app::loadLanguageLibrary(app.context);
    app::unloadSupplementaryLibrary(app.context);
    app::unloadLanguageLibrary(app.context);

    EXPECT_FALSE(std::filesystem::exists(scratch("dv_langfile0409.dll")));
    EXPECT_FALSE(std::filesystem::exists(scratch("dvlic_0409.dll")));
    EXPECT_EQ(app::languageText(app.context, 302), "");
    EXPECT_EQ(app::supplementaryText(app.context, 303), "");
    // the libraries on the drive stay where they are
    EXPECT_TRUE(std::filesystem::exists(app.appPath("langfile0409.dll")));
    EXPECT_TRUE(std::filesystem::exists(app.appPath("lic0409.dll")));

    // unloading again, with the copies gone, changes nothing
    app::unloadLanguageLibrary(app.context);
    EXPECT_FALSE(app.context.languageLibrary.isLoaded());
}
