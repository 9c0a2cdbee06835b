#pragma once

#include <string>
#include <string_view>

// Windows keeps its texts as UTF-16LE code units; the program works in UTF-8.
namespace platform {

// UTF-16LE bytes to UTF-8: a surrogate without its partner becomes U+FFFD and an odd last
// byte is dropped.
[[nodiscard]] std::string utf8FromUtf16le(std::string_view bytes);

// UTF-8 to UTF-16LE bytes: a byte that starts no valid sequence becomes U+FFFD.
[[nodiscard]] std::string utf16leFromUtf8(std::string_view text);

}  // namespace platform
