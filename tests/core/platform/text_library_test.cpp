#include "core/platform/text_library.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/app/texts.h"
#include "testing/files.h"

using platform::TextLibrary;

const std::string kTestTexts = DORVANE_TEST_TEXTS_DIR "/test_texts.dll";

TEST(TextLibrary, ReadsEveryTextOfEitherImageKindAsUtf8) {
    const std::pair<std::uint16_t, const char*> cases[] = {
        {0, "first of block 1"},
        {15, "last of block 1"},
        {16, "first of block 2"},
        {65535, "last id there is"},
        {200, "Café über"},
        {201, "收藏夹"},
        {202, "🔖 mark"},
        {203, "\xef\xbf\xbdx"},
        // a block held in two languages is read in its first; an empty slot of a present block; an absent block
        {104, "Hinzufügen"},
        {1, ""},
        {4000, ""},
    };
    for (const char* file : {"/test_texts.dll", "/test_texts32.dll"}) {
        const TextLibrary library = TextLibrary::load(DORVANE_TEST_TEXTS_DIR + std::string(file));
        ASSERT_TRUE(library.isLoaded()) << file;
        for (const auto& [id, text] : cases) {
            EXPECT_EQ(library.loadString(id), text) << file << " id " << id;
        }
    }
    EXPECT_FALSE(TextLibrary::load(DORVANE_TEST_TEXTS_DIR).isLoaded() ||
                 TextLibrary::load(DORVANE_TEST_TEXTS_DIR "/missing.dll").isLoaded());
}

// Damage beyond these few cases is the fuzzer's to find.
TEST(TextLibrary, DamagedImageLoadsAsNoLibrary) {
    const std::string image = testing_support::readFile(kTestTexts);
    const auto field = [&](std::size_t at) {
        std::uint32_t v = 0;
        std::memcpy(&v, &image[at], 4);
        return v;
    };
    const auto bytes = [](std::uint32_t value) { return std::string(reinterpret_cast<const char*>(&value), 4); };
    const std::size_t pe = field(0x3C);
    // the string type's entry, the first block's first language and that one's data entry
    const std::size_t resources = field(image.find(".rsrc") + 20);
    const std::size_t language =
        resources + (field(resources + (field(resources + 20) & 0x7FFFFFFF) + 20) & 0x7FFFFFFF);
    const std::size_t dataEntry = resources + field(language + 20);
    const std::tuple<const char*, std::size_t, std::string> cases[] = {
        {"not an MZ image", 0, "X"},
        {"wrong PE signature", pe + 1, "X"},
        {"unknown header", pe + 24, bytes(0x107)},
        {"header too short", pe + 20, bytes(120).substr(0, 2)},
        {"type not a folder", resources + 20, bytes(24)},
        {"language a directory", language + 23, "\x80"},
        {"data beyond its section", dataEntry + 4, bytes(0x10000)}};
    ASSERT_TRUE(TextLibrary::fromImage(image).isLoaded());
    for (const auto& [damage, at, with] : cases) {
        const TextLibrary library = TextLibrary::fromImage(std::string(image).replace(at, with.size(), with));
        EXPECT_FALSE(library.isLoaded()) << damage;
        EXPECT_EQ(library.loadString(302), "") << damage;
    }
}

TEST(FetchText, CutsAt382CharactersNeverInsideOneAndAtTheFirstNul) {
    const std::pair<int, std::string> cases[] = {
        {205, std::string(382, 'a')},
        {206, std::string(381, 'a') + "é"},
        {208, std::string(381, 'a') + "🔖"},
        {207, app::replaceIgnoringCase(std::string(382, 'a'), "a", "é")},
        {204, "before"},
        // only the low 16 bits of an id count
        {0x10000 + 302, "Velqor Dorvane Lite"},
    };
    for (const auto& [id, text] : cases) {
        EXPECT_EQ(app::fetchText(TextLibrary::load(kTestTexts), id), text) << id;
    }
    EXPECT_EQ(app::fetchText(TextLibrary{}, 302), "");
}

TEST(Placeholders, ReplacedWhateverTheirCaseLeftToRight) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"About %S and %s", "%s", "X", "About X and X"},
        {"Hello %USERNAME, bye %UserName, %user", "%username", "Ada", "Hello Ada, bye Ada, %user"},
        {"a%sb", "%s", "%s%s", "a%s%sb"},
    };
    for (const auto& [text, placeholder, replacement, expected] : cases) {
        EXPECT_EQ(app::replaceIgnoringCase(text, placeholder, replacement), expected) << text;
    }
}
