#include "core/browsers/web_address.h"

#include <algorithm>

namespace browsers {

std::optional<std::size_t> schemeEnd(std::string_view url) {
    const std::size_t colon = url.find(':');
    const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    const auto schemeCharacter = [&](char c) {
        return letter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
    };
    if (colon == std::string_view::npos || colon == 0 || !letter(url[0]) ||
        !std::all_of(url.begin(), url.begin() + static_cast<std::ptrdiff_t>(colon), schemeCharacter)) {
        return std::nullopt;
    }
    return colon + 1;
}

}  // namespace browsers
