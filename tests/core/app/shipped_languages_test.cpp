#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/app/texts.h"
#include "core/platform/text_library.h"

using platform::TextLibrary;

static TextLibrary shipped(std::string name) { return TextLibrary::load(DORVANE_PORTABLE_DIR "/" + name + ".dll"); }

// What a translation must keep of the English text: its placeholders, its access key ('&'
// alone; "&&" shows an ampersand) and the blanks at either end, where labels are joined.
static std::string shapeOf(const std::string& text) {
    const auto count = [&](std::string_view mark) {
        return std::to_string((text.size() - app::replaceIgnoringCase(text, mark, "").size()) / mark.size());
    };
    const std::string keys = app::replaceIgnoringCase(text, "&&", "");
    return count("%s") + " %s, " + count("%username") + " %username, " +
           std::to_string(std::count(keys.begin(), keys.end(), '&')) + " &, blank in front " +
           std::to_string(text.front() == ' ') + ", at the end " + std::to_string(text.back() == ' ');
}

// Every language shipped in the portable folder must give every caption and message the
// English libraries give, in the same shape.
TEST(ShippedLanguages, EveryLanguageHasEveryEnglishTextInTheSameShape) {
    std::size_t languages = 0;
    for (const auto& folder : std::filesystem::directory_iterator(DORVANE_SOURCE_DIR "/lang")) {
        const std::string language = folder.path().filename().string();
        if (!folder.is_directory() || language.size() != 4) {
            continue;
        }
        ++languages;
        for (const std::string kind : {"langfile", "lic"}) {
            const TextLibrary english = shipped(kind + "0409"), library = shipped(kind + language);
            ASSERT_TRUE(library.isLoaded()) << kind << language;
            for (std::uint32_t id = 0; id <= 0xFFFF; ++id) {
                const std::string text = english.loadString(static_cast<std::uint16_t>(id));
                const std::string translated = library.loadString(static_cast<std::uint16_t>(id));
                if (!text.empty()) {
                    ASSERT_FALSE(translated.empty()) << kind << language << " lacks " << id;
                    EXPECT_EQ(shapeOf(translated), shapeOf(text)) << kind << language << " " << id << " " << translated;
                }
            }
        }
    }
    EXPECT_GE(languages, 7U);
}

// The English texts' placeholders and blanks are held to by every translation above.
TEST(ShippedLanguages, TextsAreReadInTheirOwnScript) {
    const std::tuple<const char*, std::uint16_t, const char*> cases[] = {
        {"langfile0804", 104, "添加"},       {"langfile0404", 121, "匯入"},      {"langfile0411", 122, "エクスポート"},
        {"langfile0407", 104, "Hinzufügen"}, {"lic040C", 303, "À propos de %s"}, {"lic0C0A", 104, "¿Qué es %s?"},
    };
    for (const auto& [library, id, text] : cases) {
        EXPECT_EQ(shipped(library).loadString(id), text) << library;
    }
}
