#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/texts.h"
#include "platform/text_library.h"

// Every language shipped in the portable folder must give every caption and message the
// English libraries give, with the same placeholders, access keys and joining blanks.
namespace {

using platform::TextLibrary;

const std::string kPortable = DORVANE_PORTABLE_DIR;

// The languages whose sources lie in lang/: folders named by four hex digits.
std::vector<std::string> sourceLanguages() {
    std::vector<std::string> languages;
    for (const auto& entry : std::filesystem::directory_iterator(DORVANE_SOURCE_DIR "/lang")) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory() && name.size() == 4 &&
            name.find_first_not_of("0123456789ABCDEFabcdef") == std::string::npos) {
            languages.push_back(name);
        }
    }
    return languages;
}

std::vector<std::uint16_t> idsOf(const TextLibrary& library) {
    std::vector<std::uint16_t> ids;
    for (std::uint32_t id = 0; id <= 0xFFFF; ++id) {
        if (!library.loadString(static_cast<std::uint16_t>(id)).empty()) {
            ids.push_back(static_cast<std::uint16_t>(id));
        }
    }
    return ids;
}

// Occurrences of a placeholder, whatever the case of its letters, as the replacement finds them.
std::size_t countIgnoringCase(std::string_view text, std::string_view placeholder) {
    const std::string marked = app::replaceIgnoringCase(text, placeholder, "\x01");
    return static_cast<std::size_t>(std::count(marked.begin(), marked.end(), '\x01'));
}

// An access key is a single '&'; "&&" shows an ampersand.
std::size_t countAccessKeys(std::string_view text) {
    std::size_t keys = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            keys += i + 1 < text.size() && text[i + 1] != '&' ? 1 : 0;
            ++i;
        }
    }
    return keys;
}

std::size_t codePoints(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void expectSameShape(const std::string& where, const std::string& english, const std::string& text) {
    EXPECT_FALSE(text.empty()) << where << " is missing";
    EXPECT_LE(codePoints(text), app::kMaxTextLength) << where << " would be cut";
    for (const char* placeholder : {"%s", "%username"}) {
        EXPECT_EQ(countIgnoringCase(text, placeholder), countIgnoringCase(english, placeholder))
            << where << " placeholder " << placeholder << ": " << text;
    }
    EXPECT_EQ(countAccessKeys(text), countAccessKeys(english)) << where << " access keys: " << text;
    // labels are joined from several texts, so a blank at either end must stay
    EXPECT_EQ(text.front() == ' ', english.front() == ' ') << where << " leading blank: '" << text << "'";
    EXPECT_EQ(text.back() == ' ', english.back() == ' ') << where << " trailing blank: '" << text << "'";
}

}  // namespace

TEST(ShippedLanguages, EveryLanguageHasEveryEnglishTextInTheSameShape) {
    for (const char* kind : {"langfile", "lic"}) {
        const TextLibrary english = TextLibrary::load(kPortable + "/" + kind + "0409.dll");
        const std::vector<std::uint16_t> ids = idsOf(english);
        ASSERT_GT(ids.size(), 10U) << kind;
        const std::vector<std::string> languages = sourceLanguages();
        EXPECT_GE(languages.size(), 7U);
        for (const std::string& language : languages) {
            const TextLibrary library = TextLibrary::load(kPortable + "/" + kind + language + ".dll");
            ASSERT_TRUE(library.isLoaded()) << kind << language;
            for (const std::uint16_t id : ids) {
                expectSameShape(kind + language + " text " + std::to_string(id), english.loadString(id),
                                library.loadString(id));
            }
        }
    }
}

TEST(ShippedLanguages, TextsAreReadInTheirOwnScript) {
    const struct {
        const char* file;
        std::uint16_t id;
        const char* text;
    } cases[] = {
        {"langfile0804.dll", 104, "添加"},         {"langfile0404.dll", 121, "匯入"},
        {"langfile0411.dll", 122, "エクスポート"}, {"langfile0407.dll", 104, "Hinzufügen"},
        {"lic040C.dll", 303, "À propos de %s"},    {"lic0C0A.dll", 104, "¿Qué es %s?"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextLibrary::load(kPortable + "/" + c.file).loadString(c.id), c.text) << c.file;
    }
}
