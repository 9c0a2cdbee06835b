#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace browsers {

// Where an address's scheme ends, just after its ':' ("https:", "mailto:"); nothing when the
// address has none ("www.example.com"). A scheme is a letter, then letters, digits, '+', '-'
// and '.'. The browsers take no bookmark without one: Firefox refuses it, and the Chromium
// family drops it when it loads its file.
[[nodiscard]] std::optional<std::size_t> schemeEnd(std::string_view url);

}  // namespace browsers
