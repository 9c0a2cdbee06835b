#include "core/platform/text_library.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "core/platform/utf16.h"

namespace platform {
namespace {

constexpr std::uint32_t kStringTableType = 6;
constexpr std::size_t kStringsPerBlock = 16;
// Ids are 16 bits wide, so a string table has at most 65536 / 16 blocks, named 1 to 4096.
constexpr std::uint32_t kLastBlock = 4096;
constexpr std::uint32_t kHighBit = 0x80000000U;

constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::size_t kResourceDirectoryIndex = 2;

// Little-endian reads from a byte range; every read is checked against its end.
class ByteReader final {
public:
    explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}

    [[nodiscard]] bool holds(std::size_t offset, std::size_t length) const {
        return offset <= m_bytes.size() && length <= m_bytes.size() - offset;
    }

    [[nodiscard]] std::optional<std::uint16_t> u16(std::size_t offset) const {
        if (!holds(offset, 2)) {
            return std::nullopt;
        }
        return static_cast<std::uint16_t>(byteAt(offset) | (byteAt(offset + 1) << 8));
    }

    [[nodiscard]] std::optional<std::uint32_t> u32(std::size_t offset) const {
        if (!holds(offset, 4)) {
            return std::nullopt;
        }
        return byteAt(offset) | (byteAt(offset + 1) << 8) | (byteAt(offset + 2) << 16) | (byteAt(offset + 3) << 24);
    }

private:
    [[nodiscard]] std::uint32_t byteAt(std::size_t offset) const { return static_cast<unsigned char>(m_bytes[offset]); }

    std::string_view m_bytes;
};

struct Section {
    std::uint32_t virtualAddress = 0;
    std::uint32_t virtualSize = 0;
    std::uint32_t rawSize = 0;
    std::uint32_t rawOffset = 0;
};

struct PeLayout {
    std::vector<Section> sections;
    std::uint32_t resourceRva = 0;  // 0: the image has no resources
};

// Where the optional header keeps its count of data directories and the directories
// themselves; the two image kinds differ only in the width of a few fields before them.
struct OptionalHeaderShape {
    std::size_t directoryCountAt = 0;
    std::size_t directoriesAt = 0;
};

std::optional<OptionalHeaderShape> optionalHeaderShape(std::uint16_t magic) {
    if (magic == kPe32Magic) {
        return OptionalHeaderShape{92, 96};
    }
    if (magic == kPe32PlusMagic) {
        return OptionalHeaderShape{108, 112};
    }
    return std::nullopt;
}

std::optional<std::uint32_t> resourceDirectoryRva(const ByteReader& image, std::size_t optionalHeader,
                                                  std::size_t optionalHeaderSize) {
    const auto shape = optionalHeaderShape(image.u16(optionalHeader).value_or(0));
    if (!shape || optionalHeaderSize < shape->directoryCountAt + 4) {
        return std::nullopt;
    }
    const auto directoryCount = image.u32(optionalHeader + shape->directoryCountAt);
    if (!directoryCount) {
        return std::nullopt;
    }
    if (*directoryCount <= kResourceDirectoryIndex) {
        return 0U;
    }
    const std::size_t entryAt = shape->directoriesAt + kResourceDirectoryIndex * 8;
    if (optionalHeaderSize < entryAt + 8) {
        return std::nullopt;
    }
    return image.u32(optionalHeader + entryAt);
}

std::optional<std::vector<Section>> readSections(const ByteReader& image, std::size_t table, std::size_t count) {
    constexpr std::size_t kSectionHeaderSize = 40;
    if (!image.holds(table, count * kSectionHeaderSize)) {
        return std::nullopt;
    }
    std::vector<Section> sections;
    sections.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = table + i * kSectionHeaderSize;
        sections.push_back(Section{*image.u32(at + 12), *image.u32(at + 8), *image.u32(at + 16), *image.u32(at + 20)});
    }
    return sections;
}

// The DOS header leads to the PE signature, the COFF header gives the number of sections
// and the size of the optional header, whose data directory 2 locates the resources.
std::optional<PeLayout> readLayout(std::string_view bytes) {
    const ByteReader image(bytes);
    if (!image.holds(0, 64) || bytes.substr(0, 2) != "MZ") {
        return std::nullopt;
    }
    const std::size_t peHeader = *image.u32(0x3C);
    if (!image.holds(peHeader, 24) || bytes.substr(peHeader, 4) != std::string_view("PE\0\0", 4)) {
        return std::nullopt;
    }
    const std::size_t coffHeader = peHeader + 4;
    const std::size_t sectionCount = *image.u16(coffHeader + 2);
    const std::size_t optionalHeaderSize = *image.u16(coffHeader + 16);
    const std::size_t optionalHeader = coffHeader + 20;
    if (!image.holds(optionalHeader, optionalHeaderSize)) {
        return std::nullopt;
    }
    const auto resourceRva = resourceDirectoryRva(image, optionalHeader, optionalHeaderSize);
    auto sections = readSections(image, optionalHeader + optionalHeaderSize, sectionCount);
    if (!resourceRva || !sections) {
        return std::nullopt;
    }
    return PeLayout{std::move(*sections), *resourceRva};
}

// The bytes of the image from an RVA to the end of the file data of the section that holds it.
std::optional<std::string_view> bytesFrom(std::string_view image, const std::vector<Section>& sections,
                                          std::uint32_t rva) {
    for (const Section& section : sections) {
        const std::uint64_t start = section.virtualAddress;
        const std::uint64_t extent = std::max(section.virtualSize, section.rawSize);
        if (rva < start || rva >= start + extent) {
            continue;
        }
        const std::uint64_t intoSection = rva - start;
        const std::uint64_t rawEnd =
            std::min<std::uint64_t>(std::uint64_t{section.rawOffset} + section.rawSize, image.size());
        const std::uint64_t offset = section.rawOffset + intoSection;
        if (intoSection >= section.rawSize || offset >= rawEnd) {
            return std::nullopt;
        }
        return image.substr(offset, rawEnd - offset);
    }
    return std::nullopt;
}

struct DirectoryEntry {
    std::uint32_t name = 0;
    std::uint32_t offset = 0;

    [[nodiscard]] bool isNamed() const { return (name & kHighBit) != 0; }
    [[nodiscard]] bool isDirectory() const { return (offset & kHighBit) != 0; }
    [[nodiscard]] std::uint32_t target() const { return offset & ~kHighBit; }
};

// One resource directory: a 16-byte header whose last two words count the named and the
// numbered entries, then 8 bytes per entry. Offsets count from the start of the resources.
std::optional<std::vector<DirectoryEntry>> readDirectory(const ByteReader& resources, std::size_t at) {
    const auto named = resources.u16(at + 12);
    const auto numbered = resources.u16(at + 14);
    if (!named || !numbered) {
        return std::nullopt;
    }
    const std::size_t count = std::size_t{*named} + *numbered;
    if (!resources.holds(at + 16, count * 8)) {
        return std::nullopt;
    }
    std::vector<DirectoryEntry> entries;
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entryAt = at + 16 + i * 8;
        entries.push_back(DirectoryEntry{*resources.u32(entryAt), *resources.u32(entryAt + 4)});
    }
    return entries;
}

using StringSlots = std::map<std::uint16_t, TextLibrary::Slot>;

// A block holds 16 texts, each a count of UTF-16 units followed by the units; an empty
// slot has the count 0. A block that ends inside a text is not a string table.
[[nodiscard]] bool readBlock(std::string_view image, std::string_view block, std::uint32_t blockNumber,
                             StringSlots& slots) {
    const ByteReader reader(block);
    const std::size_t blockOffset = static_cast<std::size_t>(block.data() - image.data());
    std::size_t position = 0;
    for (std::size_t slot = 0; slot < kStringsPerBlock; ++slot) {
        const auto units = reader.u16(position);
        if (!units || !reader.holds(position + 2, std::size_t{*units} * 2)) {
            return false;
        }
        if (*units != 0) {
            const auto id = static_cast<std::uint16_t>((blockNumber - 1) * kStringsPerBlock + slot);
            slots.emplace(id, TextLibrary::Slot{blockOffset + position + 2, *units});
        }
        position += 2 + std::size_t{*units} * 2;
    }
    return true;
}

// The data of a block in its first language: whatever language the library was made
// for, it holds the texts of one language only.
std::optional<std::string_view> blockData(std::string_view image, const PeLayout& layout, const ByteReader& resources,
                                          const DirectoryEntry& block) {
    if (!block.isDirectory()) {
        return std::nullopt;
    }
    const auto languages = readDirectory(resources, block.target());
    if (!languages || languages->empty() || languages->front().isDirectory()) {
        return std::nullopt;
    }
    const std::size_t dataEntry = languages->front().target();
    const auto rva = resources.u32(dataEntry);
    const auto size = resources.u32(dataEntry + 4);
    if (!rva || !size) {
        return std::nullopt;
    }
    const auto data = bytesFrom(image, layout.sections, *rva);
    if (!data || data->size() < *size) {
        return std::nullopt;
    }
    return data->substr(0, *size);
}

// Finds resource type 6 and reads each of its blocks; nothing when anything on the way
// lies outside the image or is not what it should be.
std::optional<StringSlots> readStringTable(std::string_view image) {
    const auto layout = readLayout(image);
    if (!layout) {
        return std::nullopt;
    }
    StringSlots slots;
    if (layout->resourceRva == 0) {
        return slots;
    }
    const auto resourceBytes = bytesFrom(image, layout->sections, layout->resourceRva);
    if (!resourceBytes) {
        return std::nullopt;
    }
    const ByteReader resources(*resourceBytes);
    const auto types = readDirectory(resources, 0);
    if (!types) {
        return std::nullopt;
    }
    const auto stringType = std::find_if(types->begin(), types->end(), [](const DirectoryEntry& entry) {
        return !entry.isNamed() && entry.name == kStringTableType;
    });
    if (stringType == types->end()) {
        return slots;
    }
    const auto blocks = stringType->isDirectory() ? readDirectory(resources, stringType->target()) : std::nullopt;
    if (!blocks) {
        return std::nullopt;
    }
    for (const DirectoryEntry& block : *blocks) {
        // texts are found by number only; a block with a name or a number no id maps to is never read
        if (block.isNamed() || block.name == 0 || block.name > kLastBlock) {
            continue;
        }
        const auto data = blockData(image, *layout, resources, block);
        if (!data || !readBlock(image, *data, block.name, slots)) {
            return std::nullopt;
        }
    }
    return slots;
}

// The whole file; nothing when it cannot be opened or read (a folder, for one).
std::optional<std::string> readFile(std::string_view path) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(std::string(path).c_str(), "rb"),
                                                               &std::fclose);
    if (!file) {
        return std::nullopt;
    }
    std::string contents;
    std::array<char, 8192> buffer{};
    for (std::size_t read = 0; (read = std::fread(buffer.data(), 1, buffer.size(), file.get())) > 0;) {
        contents.append(buffer.data(), read);
    }
    if (std::ferror(file.get()) != 0) {
        return std::nullopt;
    }
    return contents;
}

}  // namespace

TextLibrary TextLibrary::load(std::string_view path) {
    const auto image = readFile(path);
    return image ? fromImage(*image) : TextLibrary{};
}

TextLibrary TextLibrary::fromImage(std::string_view image) {
    auto slots = readStringTable(image);
    TextLibrary library;
    if (slots) {
        library.m_loaded = true;
        library.m_image = std::string(image);
        library.m_strings = std::move(*slots);
    }
    return library;
}

std::string TextLibrary::loadString(std::uint16_t id) const {
    const auto found = m_strings.find(id);
    if (!m_loaded || found == m_strings.end()) {
        return {};
    }
    return utf8FromUtf16le(std::string_view(m_image).substr(found->second.offset, found->second.units * 2));
}

void TextLibrary::free() {
    m_loaded = false;
    m_image.clear();
    m_image.shrink_to_fit();
    m_strings.clear();
}

}  // namespace platform
