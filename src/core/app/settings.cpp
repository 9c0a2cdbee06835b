#include "core/app/settings.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/platform/ascii.h"
#include "core/platform/file_listing.h"
#include "core/platform/ini_file.h"
#include "core/platform/paths.h"
#include "core/platform/replace_file.h"

namespace app {
namespace {

constexpr std::string_view kSettingsFileName = "setting.ini";

// The file a first start writes. "Left =3820" keeps its blank: the key is still read as
// "Left", and the first save rewrites the line without it.
constexpr std::string_view kDefaultSettings =
    "[Setting]\r\n"
    "Language=0409\r\n"
    "Charset=0\r\n"
    "\r\n"
    "[Size]\r\n"
    "Height=7830\r\n"
    "Width=11535\r\n"
    "\r\n"
    "[Grid]\r\n"
    "ColWidth0=3495.118\r\n"
    "ColWidth1=3704.882\r\n"
    "\r\n"
    "[VSplitter]\r\n"
    "Left =3820\r\n"
    "\r\n"
    "[Skin]\r\n"
    "SkinFile=Skins\\default.skf\r\n";

// A numeric setting and the value used when a file lacks its key; these are smaller than
// the ones a new file receives.
struct NumberSetting {
    std::string_view section;
    std::string_view key;
    std::string_view missingValue;
};

constexpr NumberSetting kHeight{"Size", "Height", "5610"};
constexpr NumberSetting kWidth{"Size", "Width", "6720"};
constexpr NumberSetting kColWidth0{"Grid", "ColWidth0", "350"};
constexpr NumberSetting kColWidth1{"Grid", "ColWidth1", "2000"};
constexpr NumberSetting kSplitterLeft{"VSplitter", "Left", "3500"};

constexpr std::string_view kSettingSection = "Setting";

// The first buffer holds 255 characters; a count of one or two below the buffer's size
// means the value may have been cut, and it is read again with twice the room.
constexpr std::size_t kFirstBufferSize = 256;

[[nodiscard]] std::optional<int> readNumber(std::string_view settingsFile, const NumberSetting& setting) {
    return readWholeNumber(readValue(setting.section, setting.key, setting.missingValue, settingsFile));
}

void writeNumber(std::string_view settingsFile, const NumberSetting& setting, float value) {
    writeValue(setting.section, setting.key, singleToText(value), settingsFile);
}

[[nodiscard]] bool isDigit(char c) { return c >= '0' && c <= '9'; }

[[nodiscard]] std::size_t countDigits(std::string_view text, std::size_t from) {
    std::size_t to = from;
    while (to < text.size() && isDigit(text[to])) {
        ++to;
    }
    return to - from;
}

// Decimal numbers only: digits with an optional sign, fraction and exponent ("-12.5",
// ".5", "3E3"); the point is always '.', whatever the system's locale.
[[nodiscard]] bool isDecimalNumber(std::string_view text) {
    std::size_t at = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
    std::size_t mantissaDigits = countDigits(text, at);
    at += mantissaDigits;
    if (at < text.size() && text[at] == '.') {
        const std::size_t fractionDigits = countDigits(text, at + 1);
        mantissaDigits += fractionDigits;
        at += 1 + fractionDigits;
    }
    if (mantissaDigits == 0) {
        return false;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            ++at;
        }
        const std::size_t exponentDigits = countDigits(text, at);
        if (exponentDigits == 0) {
            return false;
        }
        at += exponentDigits;
    }
    return at == text.size();
}

[[nodiscard]] double roundHalfToEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction != 0.5) {
        return fraction < 0.5 ? below : below + 1;
    }
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

}  // namespace

bool ensureSettingsFile(const std::string& applicationFolder) {
    const std::string file = platform::resolvePath(platform::joinPath(applicationFolder, kSettingsFileName));
    if (!platform::fileExists(file)) {
        // a file that cannot be created shows in the second test
        (void)platform::replaceFile(file, kDefaultSettings);
    }
    return platform::fileExists(file);
}

std::string readValue(std::string_view section, std::string_view key, std::string_view defaultValue,
                      std::string_view file) {
    std::size_t size = kFirstBufferSize;
    platform::ProfileRead read = platform::getProfileString(section, key, defaultValue, size, file);
    while (read.copied == size - 1 || read.copied == size - 2) {
        size *= 2;
        read = platform::getProfileString(section, key, defaultValue, size, file);
    }
    return read.value;
}

bool writeValue(std::string_view section, std::string_view key, std::string_view value, std::string_view file) {
    (void)platform::writeProfileString(section, key, value, file);
    return true;
}

std::string readLanguage(std::string_view settingsFile) {
    return readValue(kSettingSection, "Language", "", settingsFile);
}

std::string readCharset(std::string_view settingsFile) {
    return readValue(kSettingSection, "Charset", "0", settingsFile);
}

std::optional<int> readWholeNumber(std::string_view text) {
    std::string_view number = platform::trim(text, platform::kSpaceAndTab);
    if (!isDecimalNumber(number)) {
        return std::nullopt;
    }
    // the conversion takes no leading '+'
    if (number.front() == '+') {
        number.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size()) {
        return std::nullopt;
    }
    const double rounded = roundHalfToEven(value);
    if (rounded < std::numeric_limits<std::int32_t>::min() || rounded > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(rounded);
}

std::string singleToText(float value) {
    std::array<char, 32> buffer{};
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 7);
    std::string text(buffer.data(), error == std::errc() ? end : buffer.data());
    // the exponent is written with a capital E: 1.234568E+07
    for (char& c : text) {
        if (c == 'e') {
            c = 'E';
        }
    }
    return text;
}

void saveLayout(std::string_view settingsFile, const WindowLayout& layout) {
    writeNumber(settingsFile, kHeight, layout.height);
    writeNumber(settingsFile, kWidth, layout.width);
    writeNumber(settingsFile, kColWidth0, layout.colWidth0);
    writeNumber(settingsFile, kColWidth1, layout.colWidth1);
    writeNumber(settingsFile, kSplitterLeft, layout.splitterLeft);
}

ColumnWidths readColumnWidths(std::string_view settingsFile) {
    return {readNumber(settingsFile, kColWidth0), readNumber(settingsFile, kColWidth1)};
}

std::optional<int> readSplitterLeft(std::string_view settingsFile) { return readNumber(settingsFile, kSplitterLeft); }

WindowSize readWindowSize(std::string_view settingsFile) {
    return {readNumber(settingsFile, kHeight), readNumber(settingsFile, kWidth)};
}

}  // namespace app
