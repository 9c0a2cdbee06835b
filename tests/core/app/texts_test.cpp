#include "core/app/texts.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "core/platform/text_library.h"

TEST(FetchText, CutsAt382CharactersNeverInsideOneAndAtTheFirstNul) {
    const platform::TextLibrary library = platform::TextLibrary::load(DORVANE_TEST_TEXTS_DIR "/test_texts.dll");
    std::string accents;
    for (int i = 0; i < 382; ++i) {
        accents += "é";
    }
    const std::pair<int, std::string> cases[] = {
        {205, std::string(382, 'a')}, {206, std::string(381, 'a') + "é"}, {207, accents},
        {208, std::string(381, 'a') + "🔖"}, {204, "before"},
        // only the low 16 bits of an id count
        {0x10000 + 302, "Velqor Dorvane Lite"},
    };
    for (const auto& [id, text] : cases) {
        EXPECT_EQ(app::fetchText(library, id), text) << id;
    }
    EXPECT_EQ(app::fetchText(platform::TextLibrary{}, 302), "");
}

TEST(Placeholders, ReplacedWhateverTheirCaseLeftToRight) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"About %S and %s", "%s", "X", "About X and X"},
        {"Hello %USERNAME, bye %UserName, %user", "%username", "Ada", "Hello Ada, bye Ada, %user"},
        {"a%sb", "%s", "%s%s", "a%s%sb"},
        {"keep %s", "", "X", "keep %s"},
    };
    for (const auto& [text, placeholder, replacement, expected] : cases) {
        EXPECT_EQ(app::replaceIgnoringCase(text, placeholder, replacement), expected) << text;
    }
    EXPECT_EQ(app::withProductName("About %s"), "About Dorvane Lite");
    EXPECT_EQ(app::withOwnerName("%UserName, %user", "Ada"), "Ada, %user");
}
