#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// INI files with the Windows rules (GetPrivateProfileString / WritePrivateProfileString):
// sections and keys without regard to case, blanks around keys and values ignored, one
// pair of surrounding quotes of a value dropped, the first of duplicate keys wins; an
// update rewrites only its own line; CR LF line ends; the file is not kept open.
namespace platform {

struct ProfileRead {
    std::string value;       // at most bufferSize - 1 characters
    std::size_t copied = 0;  // characters copied, as the Windows call returns it
};

// Reads one value into a buffer of bufferSize characters: a longer value is cut to
// bufferSize - 1 characters. The default is used when the file, section or key is missing.
[[nodiscard]] ProfileRead getProfileString(std::string_view section, std::string_view key,
                                           std::string_view defaultValue, std::size_t bufferSize,
                                           std::string_view file);

// The value of a key in INI text that was read already, by the same rules; nothing when
// the section or the key is missing.
[[nodiscard]] std::optional<std::string> findProfileValue(std::string_view contents, std::string_view section,
                                                          std::string_view key);

// Writes key=value into the section, creating the file, section or key as needed.
// False when the file cannot be written.
[[nodiscard]] bool writeProfileString(std::string_view section, std::string_view key, std::string_view value,
                                      std::string_view file);

}  // namespace platform
