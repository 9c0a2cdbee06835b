#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

// Builds a small Windows PE image with one resource section holding a string table,
// laid out the way resource compilers lay it out, so that tests can make libraries with
// chosen texts and languages and then damage a chosen field.
class StringTableImage final {
public:
    enum class Kind { Pe32, Pe32Plus };

    explicit StringTableImage(Kind kind = Kind::Pe32Plus) : m_kind(kind) {}

    // Adds a text in a language; languages appear in each block in the order first added.
    void add(std::uint16_t id, const std::u16string& text, std::uint16_t language = 0x0409);

    // Where the fields worth damaging lie in the image that build() returns.
    struct Layout {
        std::size_t peHeader = 0;
        std::size_t sectionCount = 0;        // u16 in the COFF header
        std::size_t optionalHeaderSize = 0;  // u16 in the COFF header
        std::size_t optionalHeader = 0;
        std::size_t resourceDirectory = 0;   // u32 RVA of data directory 2
        std::size_t sectionRawPointer = 0;   // u32 of the only section
        std::size_t resources = 0;           // the type directory
        std::size_t typeEntryOffset = 0;     // u32 of the type 6 entry
        std::size_t blockDirectory = 0;      // the directory of blocks
        std::size_t firstLanguageEntry = 0;  // u32 offset of the first block's first language
        std::size_t firstDataEntry = 0;      // {RVA, size} of the first block's first language
        std::size_t firstBlockData = 0;      // its 16 counted texts
    };

    [[nodiscard]] std::string build();
    [[nodiscard]] const Layout& layout() const { return m_layout; }

    // Little-endian writes into an image.
    static void putU16(std::string& image, std::size_t at, std::uint16_t value);
    static void putU32(std::string& image, std::size_t at, std::uint32_t value);

private:
    struct Block {
        std::uint16_t number = 0;
        std::vector<std::uint16_t> languages;
        std::vector<std::vector<std::u16string>> texts;  // per language, 16 slots
    };

    [[nodiscard]] std::string resourceSection(std::uint32_t sectionRva);
    [[nodiscard]] std::string headers(std::size_t resourceSize, std::size_t rawSize);

    Kind m_kind;
    std::vector<Block> m_blocks;  // in ascending block number
    Layout m_layout;
};

}  // namespace testing_support
