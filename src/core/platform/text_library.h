#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

// A text library: a Windows PE module (DLL) whose string table holds the texts of one
// language. Loading reads the file's resource section; a file that is not a valid PE
// image gives an unloaded library (handle 0), whose every text is empty.
namespace platform {

class TextLibrary final {
public:
    TextLibrary() = default;

    // Reads the string table of the PE image at path.
    [[nodiscard]] static TextLibrary load(std::string_view path);
    // Parses an image held in memory (what load reads from the file).
    [[nodiscard]] static TextLibrary fromImage(std::string_view image);

    [[nodiscard]] bool isLoaded() const { return m_loaded; }

    // The whole text of an id as UTF-8; empty when the library is not loaded or lacks the id.
    [[nodiscard]] std::string loadString(std::uint16_t id) const;

    // Drops the texts; the library is unloaded afterwards.
    void free();

    // Where a text lies in the image: its UTF-16LE code units.
    struct Slot {
        std::size_t offset = 0;
        std::size_t units = 0;
    };

private:
    bool m_loaded = false;
    // The image is kept whole and texts are decoded when asked for, so that the memory a
    // library takes never exceeds its file, however many ids share the same bytes.
    std::string m_image;
    std::map<std::uint16_t, Slot> m_strings;
};

}  // namespace platform
