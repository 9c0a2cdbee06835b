#include "testing/string_table_image.h"

#include <algorithm>

namespace testing_support {
namespace {

constexpr std::uint32_t kSectionRva = 0x1000;
constexpr std::size_t kFileAlignment = 0x200;
constexpr std::uint32_t kDirectoryBit = 0x80000000U;

std::size_t alignUp(std::size_t value, std::size_t alignment) {
    return (value + alignment - 1) / alignment * alignment;
}

std::string directoryHeader(std::size_t idEntries) {
    std::string header(16, '\0');
    StringTableImage::putU16(header, 14, static_cast<std::uint16_t>(idEntries));
    return header;
}

std::string entry(std::uint32_t name, std::uint32_t offset) {
    std::string bytes(8, '\0');
    StringTableImage::putU32(bytes, 0, name);
    StringTableImage::putU32(bytes, 4, offset);
    return bytes;
}

std::string countedTexts(const std::vector<std::u16string>& slots) {
    std::string bytes;
    for (const std::u16string& text : slots) {
        std::string field(2 + text.size() * 2, '\0');
        StringTableImage::putU16(field, 0, static_cast<std::uint16_t>(text.size()));
        for (std::size_t i = 0; i < text.size(); ++i) {
            StringTableImage::putU16(field, 2 + i * 2, static_cast<std::uint16_t>(text[i]));
        }
        bytes += field;
    }
    return bytes;
}

}  // namespace

void StringTableImage::putU16(std::string& image, std::size_t at, std::uint16_t value) {
    image[at] = static_cast<char>(value & 0xFF);
    image[at + 1] = static_cast<char>(value >> 8);
}

void StringTableImage::putU32(std::string& image, std::size_t at, std::uint32_t value) {
    putU16(image, at, static_cast<std::uint16_t>(value & 0xFFFF));
    putU16(image, at + 2, static_cast<std::uint16_t>(value >> 16));
}

void StringTableImage::add(std::uint16_t id, const std::u16string& text, std::uint16_t language) {
    const auto number = static_cast<std::uint16_t>((id >> 4) + 1);
    auto block = std::find_if(m_blocks.begin(), m_blocks.end(), [&](const Block& b) { return b.number >= number; });
    if (block == m_blocks.end() || block->number != number) {
        block = m_blocks.insert(block, Block{number, {}, {}});
    }
    auto lang = std::find(block->languages.begin(), block->languages.end(), language);
    if (lang == block->languages.end()) {
        block->languages.push_back(language);
        block->texts.emplace_back(16);
        lang = block->languages.end() - 1;
    }
    block->texts[static_cast<std::size_t>(lang - block->languages.begin())][id & 15] = text;
}

// Type directory, block directory, one language directory per block, the data entries,
// then the blocks' texts, each at a 4-byte boundary.
std::string StringTableImage::resourceSection(std::uint32_t sectionRva) {
    const std::size_t blockDirectoryAt = 24;
    std::size_t languageDirectoryAt = blockDirectoryAt + 16 + 8 * m_blocks.size();
    std::size_t dataEntries = 0;
    for (const Block& block : m_blocks) {
        dataEntries += block.languages.size();
    }
    std::size_t dataEntryAt = languageDirectoryAt;
    for (const Block& block : m_blocks) {
        dataEntryAt += 16 + 8 * block.languages.size();
    }
    std::size_t dataAt = dataEntryAt + 16 * dataEntries;

    std::string directories = directoryHeader(1) + entry(6, kDirectoryBit | blockDirectoryAt);
    directories += directoryHeader(m_blocks.size());
    std::string languageDirectories;
    std::string entries;
    std::string data;
    for (const Block& block : m_blocks) {
        directories += entry(block.number, kDirectoryBit | (languageDirectoryAt + languageDirectories.size()));
        languageDirectories += directoryHeader(block.languages.size());
        for (std::size_t i = 0; i < block.languages.size(); ++i) {
            languageDirectories += entry(block.languages[i], dataEntryAt + entries.size());
            const std::string texts = countedTexts(block.texts[i]);
            std::string dataEntry(16, '\0');
            putU32(dataEntry, 0, sectionRva + dataAt + data.size());
            putU32(dataEntry, 4, static_cast<std::uint32_t>(texts.size()));
            entries += dataEntry;
            data += texts;
            data.resize(alignUp(data.size(), 4), '\0');
        }
    }
    m_layout.typeEntryOffset = 20;
    m_layout.blockDirectory = blockDirectoryAt;
    m_layout.firstLanguageEntry = languageDirectoryAt + 16 + 4;
    m_layout.firstDataEntry = dataEntryAt;
    m_layout.firstBlockData = dataAt;
    return directories + languageDirectories + entries + data;
}

std::string StringTableImage::headers(std::size_t resourceSize, std::size_t rawSize) {
    const bool plus = m_kind == Kind::Pe32Plus;
    const std::size_t directoriesAt = plus ? 112 : 96;
    const std::size_t optionalSize = directoriesAt + 16 * 8;
    Layout& l = m_layout;
    l.peHeader = 0x40;
    l.sectionCount = l.peHeader + 4 + 2;
    l.optionalHeaderSize = l.peHeader + 4 + 16;
    l.optionalHeader = l.peHeader + 24;
    l.resourceDirectory = l.optionalHeader + directoriesAt + 2 * 8;
    const std::size_t sectionTable = l.optionalHeader + optionalSize;
    l.sectionRawPointer = sectionTable + 20;

    std::string image(kFileAlignment, '\0');
    image[0] = 'M';
    image[1] = 'Z';
    putU32(image, 0x3C, static_cast<std::uint32_t>(l.peHeader));
    image.replace(l.peHeader, 4, std::string("PE\0\0", 4));
    putU16(image, l.peHeader + 4, plus ? 0x8664 : 0x14C);
    putU16(image, l.sectionCount, 1);
    putU16(image, l.optionalHeaderSize, static_cast<std::uint16_t>(optionalSize));
    putU16(image, l.optionalHeader, plus ? 0x20B : 0x10B);
    putU32(image, l.optionalHeader + directoriesAt - 4, 16);
    putU32(image, l.resourceDirectory, kSectionRva);
    putU32(image, l.resourceDirectory + 4, static_cast<std::uint32_t>(resourceSize));
    image.replace(sectionTable, 5, ".rsrc");
    putU32(image, sectionTable + 8, static_cast<std::uint32_t>(resourceSize));
    putU32(image, sectionTable + 12, kSectionRva);
    putU32(image, sectionTable + 16, static_cast<std::uint32_t>(rawSize));
    putU32(image, l.sectionRawPointer, kFileAlignment);
    return image;
}

std::string StringTableImage::build() {
    std::string resources = resourceSection(kSectionRva);
    const std::size_t resourceSize = resources.size();
    resources.resize(alignUp(resourceSize, kFileAlignment), '\0');
    std::string image = headers(resourceSize, resources.size()) + resources;
    m_layout.resources = kFileAlignment;
    m_layout.typeEntryOffset += kFileAlignment;
    m_layout.blockDirectory += kFileAlignment;
    m_layout.firstLanguageEntry += kFileAlignment;
    m_layout.firstDataEntry += kFileAlignment;
    m_layout.firstBlockData += kFileAlignment;
    return image;
}

}  // namespace testing_support
