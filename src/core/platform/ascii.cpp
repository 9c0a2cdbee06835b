#include "core/platform/ascii.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace platform {

std::string toLowerAscii(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), lowerAscii);
    return result;
}

std::string toUpperAscii(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), upperAscii);
    return result;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

bool startsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equalsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

std::string_view trimLeft(std::string_view text, std::string_view blanks) {
    text.remove_prefix(std::min(text.find_first_not_of(blanks), text.size()));
    return text;
}

std::string_view trimRight(std::string_view text, std::string_view blanks) {
    const std::size_t last = text.find_last_not_of(blanks);
    text.remove_suffix(last == std::string_view::npos ? text.size() : text.size() - last - 1);
    return text;
}

std::string_view trim(std::string_view text, std::string_view blanks) {
    return trimRight(trimLeft(text, blanks), blanks);
}

std::size_t FoldedHash::operator()(std::string_view name) const {
    // Eight bytes at a time, each with its 0x20 bit set: that bit joins the two cases of a
    // letter, so names equal without regard to case always hash alike.
    constexpr std::uint64_t kFold = 0x2020202020202020ULL;
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ULL;
    std::uint64_t hash = name.size();
    for (std::size_t at = 0; at < name.size(); at += sizeof(std::uint64_t)) {
        std::uint64_t word = 0;
        std::memcpy(&word, name.data() + at, std::min(sizeof word, name.size() - at));
        hash = (hash ^ (word | kFold)) * kMultiplier;
        hash ^= hash >> 32;
    }
    return static_cast<std::size_t>(hash);
}

}  // namespace platform
