#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/app/app_context.h"
#include "core/platform/text_library.h"

// Texts by number: the captions and messages of the two text libraries of the chosen
// language, the placeholders inside them, and the program's own string table.
namespace app {

// A fetched text holds at most this many characters.
inline constexpr std::size_t kMaxTextLength = 382;

// Ids of the program's own string table.
inline constexpr int kEditionCodeId = 997;
inline constexpr int kProductNameId = 998;
inline constexpr int kSupportPageId = 1000;
inline constexpr int kUpdateCheckId = 1001;
inline constexpr int kSoftwarePageId = 1005;

// The text of an id, cut to kMaxTextLength characters (never inside a character) and at
// its first NUL. Empty when the library is not loaded or lacks the id; only the low
// 16 bits of the id count.
[[nodiscard]] std::string fetchText(const platform::TextLibrary& library, int id);

// Text id of the language library (langfile<Language>.dll).
[[nodiscard]] std::string languageText(const AppContext& context, int id);
// Text id of the supplementary text library (lic<Language>.dll).
[[nodiscard]] std::string supplementaryText(const AppContext& context, int id);

// Every occurrence of placeholder, whatever the case of its letters, replaced, left to
// right and without overlaps. An empty placeholder leaves the text as it is.
[[nodiscard]] std::string replaceIgnoringCase(std::string_view text, std::string_view placeholder,
                                              std::string_view replacement);

// "%s" (any case) replaced by the product name.
[[nodiscard]] std::string withProductName(std::string_view text);
// "%username" (any case) replaced by the owner name.
[[nodiscard]] std::string withOwnerName(std::string_view text, std::string_view ownerName);

// A text of the program's own string table: the edition code, the product name and the
// addresses of the maker's web site. Empty for any other id.
[[nodiscard]] std::string programString(int id);

}  // namespace app
