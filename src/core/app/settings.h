#pragma once

#include <optional>
#include <string>
#include <string_view>

// setting.ini in the application folder: the language and character set read at start-up,
// and the main window's layout read when it opens and saved when it closes. Every read and
// write is one INI call; nothing is kept open, and failures are silent.
namespace app {

// Makes sure <applicationFolder>/setting.ini exists, writing the default file when it does
// not. True when the file exists afterwards, whether or not it was just written.
[[nodiscard]] bool ensureSettingsFile(const std::string& applicationFolder);

// A value of an INI file as text; the default when the file, section or key is missing.
// Values of any length come back whole.
[[nodiscard]] std::string readValue(std::string_view section, std::string_view key, std::string_view defaultValue,
                                    std::string_view file);

// Writes key=value into the file. Always true: a failed write is not noticed, and the next
// start simply uses what the file held.
bool writeValue(std::string_view section, std::string_view key, std::string_view value, std::string_view file);

// [Setting] Language of the settings file: four hex digits, empty when missing.
[[nodiscard]] std::string readLanguage(std::string_view settingsFile);
// [Setting] Charset of the settings file, "0" when missing.
[[nodiscard]] std::string readCharset(std::string_view settingsFile);

// A number read as text, rounded to the nearest whole number with halves going to the even
// neighbour ("3495.5" is 3496, "3494.5" is 3494). Nothing when the text is not a number or
// the number does not fit 32 bits.
[[nodiscard]] std::optional<int> readWholeNumber(std::string_view text);

// The decimal text of a single-precision value: 7 significant digits, no trailing zeros and
// no ".0" for whole numbers (7830 is "7830", 3495.118f is "3495.118", 12345678 is
// "1.234568E+07").
[[nodiscard]] std::string singleToText(float value);

// The main window's layout as saved at exit, in twips.
struct WindowLayout {
    float height = 0;
    float width = 0;
    float colWidth0 = 0;     // the link list's name column
    float colWidth1 = 0;     // the link list's URL column
    float splitterLeft = 0;  // the splitter's left edge
};

// Saves the layout: Size/Height, Size/Width, Grid/ColWidth0, Grid/ColWidth1, VSplitter/Left.
void saveLayout(std::string_view settingsFile, const WindowLayout& layout);

// Each value read is the stored one, or the smaller missing-key value when the key is absent;
// nothing when the stored text is not a number, which leaves the current value in place.
struct ColumnWidths {
    std::optional<int> colWidth0;  // missing: 350
    std::optional<int> colWidth1;  // missing: 2000
};
[[nodiscard]] ColumnWidths readColumnWidths(std::string_view settingsFile);

// Missing: 3500.
[[nodiscard]] std::optional<int> readSplitterLeft(std::string_view settingsFile);

struct WindowSize {
    std::optional<int> height;  // missing: 5610
    std::optional<int> width;   // missing: 6720
};
[[nodiscard]] WindowSize readWindowSize(std::string_view settingsFile);

}  // namespace app
