#include "core/platform/windows_names.h"

#include <algorithm>
#include <array>

#include "core/platform/ascii.h"

namespace platform {
namespace {

constexpr std::string_view kReservedCharacters = "\\/:*?\"<>|";

[[nodiscard]] bool holdsReservedCharacter(std::string_view name) {
    return std::any_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || kReservedCharacters.find(c) != std::string_view::npos;
    });
}

// A device is found by the name in front of its first dot, blanks at its end left aside:
// "CON .txt" opens the console as "CON" does.
[[nodiscard]] bool namesDevice(std::string_view name) {
    constexpr std::array<std::string_view, 4> kDevices{"CON", "PRN", "AUX", "NUL"};
    const std::string stem = toUpperAscii(trimRight(name.substr(0, name.find('.')), " "));
    if (std::find(kDevices.begin(), kDevices.end(), stem) != kDevices.end()) {
        return true;
    }
    const bool numberedPort = stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT"));
    return numberedPort && stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

bool windowsRefusesName(std::string_view name) {
    const bool dotsOrBlanksOnly = name.find_first_not_of(". ") == std::string_view::npos;
    return dotsOrBlanksOnly || holdsReservedCharacter(name) || namesDevice(name);
}

}  // namespace platform
