#include "core/browsers/name_search.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>

#include "core/platform/ascii.h"

namespace browsers {

namespace {

// A name is looked for by its key: its first bytes, at most four, each with its 0x20 bit
// set. That bit joins the two cases of a letter, so a text and a name that are equal
// without regard to case always have equal keys; where the keys agree, the name is then
// compared exactly.
constexpr std::size_t kMaxKeyLength = 4;

template <std::size_t KeyLength>
[[nodiscard]] std::uint32_t foldedKey(const char* bytes) {
    static_assert(KeyLength >= 1 && KeyLength <= kMaxKeyLength);
    std::uint32_t key = 0;
    std::uint32_t fold = 0;
    std::memcpy(&key, bytes, KeyLength);
    std::memcpy(&fold, "    ", KeyLength);
    return key | fold;
}

[[nodiscard]] std::uint32_t foldedKey(std::string_view name) {
    switch (name.size()) {
        case 1:
            return foldedKey<1>(name.data());
        case 2:
            return foldedKey<2>(name.data());
        case 3:
            return foldedKey<3>(name.data());
        default:
            return foldedKey<4>(name.data());
    }
}

// The bytes of a line's first character: a UTF-8 lead byte takes its continuation bytes along.
[[nodiscard]] std::size_t firstCharacterLength(std::string_view line) {
    if (line.empty()) {
        return 0;
    }
    std::size_t length = 1;
    if (static_cast<unsigned char>(line[0]) >= 0xC2) {
        while (length < line.size() && length < 4 && (static_cast<unsigned char>(line[length]) & 0xC0) == 0x80) {
            ++length;
        }
    }
    return length;
}

struct KeyEntry {
    std::uint32_t key = 0;
    std::uint32_t name = 0;
};

// The names that share one key length, sorted by key, with a bit filter over the keys
// that rules most places of a text out with a single look-up.
class KeyGroup {
public:
    void add(std::uint32_t key, std::uint32_t name) { m_entries.push_back({key, name}); }

    void seal() {
        std::sort(m_entries.begin(), m_entries.end(),
                  [](const KeyEntry& a, const KeyEntry& b) { return a.key < b.key; });
        // about sixteen bits a key keep false hits rare; the filter stays small enough for the cache
        const std::size_t wanted = std::clamp<std::size_t>(std::bit_ceil(m_entries.size() * 16), 1U << 10, 1U << 22);
        m_shift = 32 - std::countr_zero(wanted);
        m_filter.assign(wanted / 64, 0);
        for (const KeyEntry& entry : m_entries) {
            const std::uint32_t bit = slot(entry.key);
            m_filter[bit / 64] |= std::uint64_t{1} << (bit % 64);
        }
    }

    [[nodiscard]] bool empty() const { return m_entries.empty(); }

    [[nodiscard]] bool mayHold(std::uint32_t key) const {
        const std::uint32_t bit = slot(key);
        return (m_filter[bit / 64] >> (bit % 64)) & 1U;
    }

    [[nodiscard]] std::span<const KeyEntry> entriesOf(std::uint32_t key) const {
        const auto [first, last] = std::equal_range(m_entries.begin(), m_entries.end(), KeyEntry{key, 0},
                                                    [](const KeyEntry& a, const KeyEntry& b) { return a.key < b.key; });
        return {first, last};
    }

private:
    [[nodiscard]] std::uint32_t slot(std::uint32_t key) const { return (key * 0x9E3779B1U) >> m_shift; }

    std::vector<KeyEntry> m_entries;
    std::vector<std::uint64_t> m_filter;
    int m_shift = 32;
};

class NameFinder {
public:
    explicit NameFinder(const std::vector<std::string>& names) : m_found(names.size(), false) {
        m_lowered.reserve(names.size());
        for (std::size_t index = 0; index < names.size(); ++index) {
            m_lowered.push_back(platform::toLowerAscii(names[index]));
            const std::string& name = m_lowered.back();
            if (name.empty()) {
                m_emptyNames.push_back(index);
            } else {
                m_groups[std::min(name.size(), kMaxKeyLength)].add(foldedKey(name), static_cast<std::uint32_t>(index));
            }
        }
        for (KeyGroup& group : m_groups) {
            group.seal();
        }
        m_missing = names.size();
    }

    void searchLine(std::string_view line) {
        const std::size_t from = firstCharacterLength(line);
        if (from >= line.size()) {
            return;
        }
        markFound(m_emptyNames);
        scan<1>(line, from);
        scan<2>(line, from);
        scan<3>(line, from);
        scan<4>(line, from);
    }

    [[nodiscard]] bool allFound() const { return m_missing == 0; }
    [[nodiscard]] std::vector<bool> result() const { return m_found; }

private:
    template <std::size_t KeyLength>
    void scan(std::string_view line, std::size_t from) {
        const KeyGroup& group = m_groups[KeyLength];
        if (group.empty() || line.size() - from < KeyLength) {
            return;
        }
        const char* bytes = line.data();
        const std::size_t last = line.size() - KeyLength;
        for (std::size_t at = from; at <= last; ++at) {
            const std::uint32_t key = foldedKey<KeyLength>(bytes + at);
            if (group.mayHold(key)) {
                compareAt(line, at, group.entriesOf(key));
            }
        }
    }

    void compareAt(std::string_view line, std::size_t at, std::span<const KeyEntry> candidates) {
        for (const KeyEntry& candidate : candidates) {
            const std::string& name = m_lowered[candidate.name];
            if (m_found[candidate.name] || line.size() - at < name.size()) {
                continue;
            }
            if (std::equal(name.begin(), name.end(), line.begin() + static_cast<std::ptrdiff_t>(at),
                           [](char n, char t) { return n == platform::lowerAscii(t); })) {
                m_found[candidate.name] = true;
                --m_missing;
            }
        }
    }

    void markFound(std::vector<std::size_t>& names) {
        for (const std::size_t index : names) {
            m_found[index] = true;
            --m_missing;
        }
        names.clear();
    }

    std::vector<std::string> m_lowered;
    std::array<KeyGroup, kMaxKeyLength + 1> m_groups;  // by key length; 0 is not used
    std::vector<std::size_t> m_emptyNames;             // until a line with a second character is met
    std::vector<bool> m_found;
    std::size_t m_missing = 0;
};

}  // namespace

std::vector<bool> namesFoundInLines(const std::vector<std::string_view>& lines, const std::vector<std::string>& names) {
    NameFinder finder(names);
    for (const std::string_view line : lines) {
        if (finder.allFound()) {
            break;
        }
        finder.searchLine(line);
    }
    return finder.result();
}

}  // namespace browsers
