#include "app/texts.h"

#include <gtest/gtest.h>

#include <span>
#include <string>

#include "platform/text_library.h"
#include "testing/string_table_image.h"

namespace {

using platform::TextLibrary;

// Every id that a window or message takes from the language library.
constexpr int kLanguageLibraryIds[] = {
    100, 102, 104, 105, 106, 112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123, 124, 300, 301, 302, 306,
    307, 308, 309, 311, 312, 313, 314, 315, 316, 317, 318, 319, 320, 321, 322, 323, 324, 325, 326, 329, 330, 331,
    517, 520, 521, 532, 533, 534, 535, 538, 539, 540, 541, 542, 543, 544, 545, 546, 547, 548, 549, 550, 556, 557,
};

// Every id that the Help menu, the about box and the Help commands take from the
// supplementary text library.
constexpr int kSupplementaryLibraryIds[] = {100, 103, 104, 105, 106, 107, 112, 122, 303, 500, 513, 514, 515, 527, 528};

TextLibrary builtLibrary(const char* name) { return TextLibrary::load(std::string(DORVANE_PORTABLE_DIR "/") + name); }

TextLibrary libraryWith(int id, const std::u16string& text) {
    testing_support::StringTableImage image;
    image.add(static_cast<std::uint16_t>(id), text);
    return TextLibrary::fromImage(image.build());
}

}  // namespace

TEST(EnglishTexts, EveryCaptionAndMessageHasAText) {
    const struct {
        const char* file;
        std::span<const int> ids;
    } libraries[] = {
        {"langfile0409.dll", kLanguageLibraryIds},
        {"lic0409.dll", kSupplementaryLibraryIds},
    };
    for (const auto& library : libraries) {
        const TextLibrary loaded = builtLibrary(library.file);
        ASSERT_TRUE(loaded.isLoaded()) << library.file;
        for (const int id : library.ids) {
            EXPECT_FALSE(loaded.loadString(static_cast<std::uint16_t>(id)).empty()) << library.file << " lacks " << id;
        }
    }
}

TEST(EnglishTexts, PlaceholdersSitWhereTheyAreReplaced) {
    const TextLibrary language = builtLibrary("langfile0409.dll");
    const TextLibrary supplementary = builtLibrary("lic0409.dll");
    EXPECT_EQ(app::fetchText(language, 302), "Velqor Dorvane Lite");
    EXPECT_EQ(app::withProductName(app::fetchText(supplementary, 104)), "What is Dorvane Lite?");
    EXPECT_EQ(app::withProductName(app::fetchText(supplementary, 303)), "About Dorvane Lite");
    for (const int id : {513, 514}) {
        EXPECT_NE(app::withProductName(app::fetchText(supplementary, id)).find("Dorvane Lite"), std::string::npos)
            << id;
    }
    EXPECT_NE(app::withOwnerName(app::fetchText(language, 520), "Ada").find("Ada"), std::string::npos);
    EXPECT_NE(app::withOwnerName(app::fetchText(supplementary, 528), "Ada").find("Ada"), std::string::npos);
}

TEST(EnglishTexts, LabelPartsKeepTheirBlanks) {
    // the labels are put together as text 323 + a name + text 330, so the blanks between count
    const TextLibrary language = builtLibrary("langfile0409.dll");
    for (const int id : {323, 324}) {
        EXPECT_EQ(app::fetchText(language, id).back(), ' ') << id;
        EXPECT_EQ(app::fetchText(language, id + 7).front(), ' ') << id + 7;
    }
}

TEST(FetchText, MissingLibraryOrIdGivesEmptyText) {
    const TextLibrary language = builtLibrary("langfile0409.dll");
    EXPECT_EQ(app::fetchText(TextLibrary{}, 302), "");
    EXPECT_EQ(app::fetchText(language, 999), "");
    EXPECT_EQ(app::fetchText(language, 0), "");
    // only the low 16 bits of an id count
    EXPECT_EQ(app::fetchText(language, 0x10000 + 302), "Velqor Dorvane Lite");
}

TEST(FetchText, LongTextIsCutTo382CharactersWithoutSplittingOne) {
    const std::u16string e_acute(1, u'\u00e9');
    const struct {
        std::u16string stored;
        std::string expected;
    } cases[] = {
        {std::u16string(400, u'a'), std::string(382, 'a')},
        {std::u16string(381, u'a') + e_acute + u"bc", std::string(381, 'a') + "\xc3\xa9"},
        {std::u16string(390, u'\u00e9'),
         [] {
             std::string s;
             for (int i = 0; i < 382; ++i) s += "\xc3\xa9";
             return s;
         }()},
        {std::u16string(381, u'a') + u"\U0001F516", std::string(381, 'a') + "\xf0\x9f\x94\x96"},
        {std::u16string(u"before\0after", 12), "before"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(app::fetchText(libraryWith(540, c.stored), 540), c.expected);
    }
}

TEST(Placeholders, ReplacedWhateverTheirCase) {
    const struct {
        const char* text;
        const char* placeholder;
        const char* replacement;
        const char* expected;
    } cases[] = {
        {"About %s", "%s", "Dorvane Lite", "About Dorvane Lite"},
        {"About %S and %s", "%s", "X", "About X and X"},
        {"no placeholder", "%s", "X", "no placeholder"},
        {"Hello %USERNAME, bye %UserName.", "%username", "Ada", "Hello Ada, bye Ada."},
        {"%user", "%username", "Ada", "%user"},
        {"a%sb", "%s", "%s%s", "a%s%sb"},
        {"Caf\xc3\xa9 %S", "%s", "\xc3\xa9", "Caf\xc3\xa9 \xc3\xa9"},
        {"keep %s", "", "X", "keep %s"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(app::replaceIgnoringCase(c.text, c.placeholder, c.replacement), c.expected) << c.text;
    }
}
