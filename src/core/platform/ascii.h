#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Letter case and blanks as the Windows text functions see them: only the letters A to Z have
// a case, and every other byte (those of UTF-8 characters included) stays as it is.
namespace platform {

[[nodiscard]] constexpr char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
[[nodiscard]] constexpr char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

[[nodiscard]] std::string toLowerAscii(std::string_view text);
[[nodiscard]] std::string toUpperAscii(std::string_view text);
[[nodiscard]] bool equalsIgnoreCase(std::string_view a, std::string_view b);
[[nodiscard]] bool startsWithIgnoreCase(std::string_view text, std::string_view prefix);

// Hashing and equality of names without regard to case, for tables in which the names that
// differ only in case meet under one key. The hash is not declared noexcept: a table then
// keeps each name's hash beside it and compares hashes before it reads any name, which
// spares a look at memory far away for most names of a large table.
struct FoldedHash {
    using is_transparent = void;
    [[nodiscard]] std::size_t operator()(std::string_view name) const;
};
struct FoldedEqual {
    using is_transparent = void;
    [[nodiscard]] bool operator()(std::string_view a, std::string_view b) const noexcept {
        return equalsIgnoreCase(a, b);
    }
};

// What most formats take for blanks; each trim names the blanks its own rule allows.
inline constexpr std::string_view kSpaceAndTab = " \t";

[[nodiscard]] constexpr bool isSpaceOrTab(char c) { return c == ' ' || c == '\t'; }

// The text without the given blanks at its start, at its end, or at both.
[[nodiscard]] std::string_view trimLeft(std::string_view text, std::string_view blanks);
[[nodiscard]] std::string_view trimRight(std::string_view text, std::string_view blanks);
[[nodiscard]] std::string_view trim(std::string_view text, std::string_view blanks);

}  // namespace platform
