#include "core/platform/registry.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <unordered_map>
#include <utility>

#include "core/platform/ascii.h"
#include "core/platform/file_ops.h"
#include "core/platform/paths.h"
#include "core/platform/utf16.h"

namespace platform {

namespace {

// Named entries in the order they were first added, found by name without regard to case.
template <typename T>
class NamedEntries {
public:
    [[nodiscard]] const T* find(std::string_view name) const {
        const auto found = m_index.find(toLowerAscii(name));
        return found == m_index.end() ? nullptr : &m_entries[found->second].second;
    }

    // The entry of that name; a new one, made by make(), when there is none. A new entry
    // keeps the name as written here.
    template <typename Make>
    T& findOrAdd(std::string_view name, Make make) {
        const auto [found, added] = m_index.try_emplace(toLowerAscii(name), m_entries.size());
        if (added) {
            m_entries.emplace_back(std::string(name), make());
        }
        return m_entries[found->second].second;
    }

    void remove(std::string_view name) {
        const auto found = m_index.find(toLowerAscii(name));
        if (found == m_index.end()) {
            return;
        }
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(found->second));
        m_index.clear();
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            m_index.emplace(toLowerAscii(m_entries[i].first), i);
        }
    }

    [[nodiscard]] const std::vector<std::pair<std::string, T>>& entries() const { return m_entries; }

private:
    std::vector<std::pair<std::string, T>> m_entries;
    std::unordered_map<std::string, std::size_t> m_index;  // by case-folded name
};

}  // namespace

struct RegistryNode {
    NamedEntries<std::unique_ptr<RegistryNode>> children;
    NamedEntries<RegistryValue> values;

    [[nodiscard]] RegistryNode* child(std::string_view name) const {
        const auto* found = children.find(name);
        return found != nullptr ? found->get() : nullptr;
    }

    RegistryNode& childOrNew(std::string_view name) {
        return *children.findOrAdd(name, [] { return std::make_unique<RegistryNode>(); });
    }

    void setValue(std::string_view name, RegistryValue data) {
        values.findOrAdd(name, [] { return RegistryValue{}; }) = std::move(data);
    }
};

namespace {

struct RootName {
    std::string_view longName;
    std::string_view shortName;
    RegistryRoot root;
};

constexpr std::array kRootNames{
    RootName{"HKEY_CLASSES_ROOT", "HKCR", RegistryRoot::ClassesRoot},
    RootName{"HKEY_CURRENT_USER", "HKCU", RegistryRoot::CurrentUser},
    RootName{"HKEY_LOCAL_MACHINE", "HKLM", RegistryRoot::LocalMachine},
    RootName{"HKEY_USERS", "HKU", RegistryRoot::Users},
    RootName{"HKEY_CURRENT_CONFIG", "HKCC", RegistryRoot::CurrentConfig},
    RootName{"HKEY_DYN_DATA", "HKDD", RegistryRoot::DynData},
};

using RootNodes = std::array<RegistryNode*, kRootNames.size()>;

// The registry holds keys at most 512 levels deep; a deeper key is refused.
constexpr std::size_t kMaxKeyDepth = 512;

constexpr std::string_view kHeaderVersion4 = "REGEDIT4";
constexpr std::string_view kHeaderVersion5 = "Windows Registry Editor Version 5.00";

// Blanks are spaces and tabs.
[[nodiscard]] std::string_view trimLeft(std::string_view text) { return platform::trimLeft(text, kSpaceAndTab); }
[[nodiscard]] std::string_view trimRight(std::string_view text) { return platform::trimRight(text, kSpaceAndTab); }
[[nodiscard]] std::string_view trim(std::string_view text) { return platform::trim(text, kSpaceAndTab); }

// Nothing but blanks, or blanks and a ';' comment, may follow a value's data.
[[nodiscard]] bool isEndOfData(std::string_view rest) {
    rest = trimLeft(rest);
    return rest.empty() || rest.front() == ';';
}

// A file that starts with the bytes FF FE is UTF-16LE; any other file is 8-bit text.
[[nodiscard]] std::string decodeHiveBytes(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) {
        return utf8FromUtf16le(bytes.substr(2));
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    return std::string(bytes);
}

// Hands out the lines of a text one by one; CR LF, LF and CR each end a line.
class LineSource {
public:
    explicit LineSource(std::string_view text) : m_text(text) {}

    [[nodiscard]] std::optional<std::string_view> next() {
        if (m_pos >= m_text.size()) {
            return std::nullopt;
        }
        const std::size_t end = std::min(m_text.find_first_of("\r\n", m_pos), m_text.size());
        const std::string_view line = m_text.substr(m_pos, end - m_pos);
        m_pos = end;
        if (m_pos < m_text.size() && m_text[m_pos] == '\r') {
            ++m_pos;
        }
        if (m_pos < m_text.size() && m_text[m_pos] == '\n') {
            ++m_pos;
        }
        return line;
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

// A quoted text whose opening quote has been read: '\\' stands for '\' and '\"' for '"';
// any other backslash is kept as it stands. Nothing when the closing quote is missing.
struct QuotedText {
    std::string text;
    std::string_view rest;  // what follows the closing quote
};

[[nodiscard]] std::optional<QuotedText> readQuoted(std::string_view input) {
    QuotedText result;
    for (std::size_t i = 0; i < input.size(); ++i) {
        const char c = input[i];
        if (c == '"') {
            result.rest = input.substr(i + 1);
            return result;
        }
        if (c == '\\' && i + 1 < input.size() && (input[i + 1] == '\\' || input[i + 1] == '"')) {
            ++i;
        }
        result.text += input[i];
    }
    return std::nullopt;
}

// One to maxDigits hex digits, the whole of the text.
[[nodiscard]] std::optional<std::uint32_t> parseHexNumber(std::string_view digits, std::size_t maxDigits) {
    std::uint32_t number = 0;
    if (digits.empty() || digits.size() > maxDigits) {
        return std::nullopt;
    }
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number, 16);
    if (error != std::errc{} || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return number;
}

// "aa,bb, cc" to bytes; a trailing comma is allowed, "" is no bytes.
[[nodiscard]] std::optional<std::string> parseHexBytes(std::string_view list) {
    std::string bytes;
    list = trim(list);
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::optional<std::uint32_t> byte = parseHexNumber(trim(list.substr(0, comma)), 2);
        if (!byte) {
            return std::nullopt;
        }
        bytes += static_cast<char>(*byte);
        list = comma == std::string_view::npos ? std::string_view{} : trimLeft(list.substr(comma + 1));
    }
    return bytes;
}

[[nodiscard]] bool isTextType(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// Applies the lines of a hive file to the keys below the roots.
class HiveParser {
public:
    HiveParser(const RootNodes& roots, bool unicodeHex) : m_roots(roots), m_unicodeHex(unicodeHex) {}

    void run(LineSource& lines) {
        while (const std::optional<std::string_view> line = lines.next()) {
            const std::string_view text = trimLeft(*line);
            if (text.starts_with('[')) {
                keyLine(text);
            } else if (text.starts_with('"') || text.starts_with('@')) {
                valueLine(text, lines);
            }
            // Blank lines, ';' and '#' comments and anything unreadable are passed over.
        }
    }

private:
    // "[HKEY_...\path]" opens the key, creating it; "[-HKEY_...\path]" deletes it with all below it.
    void keyLine(std::string_view line) {
        m_current = nullptr;
        const std::size_t close = line.rfind(']');
        if (close == std::string_view::npos || close < 2 || isSpaceOrTab(line[1])) {
            return;
        }
        std::string_view path = line.substr(1, close - 1);
        const bool deletion = path.front() == '-';
        if (deletion) {
            path.remove_prefix(1);
        }
        const std::size_t slash = path.find('\\');
        const std::optional<RegistryRoot> root = registryRootFromName(path.substr(0, slash));
        if (!root) {
            return;
        }
        const std::string_view below = slash == std::string_view::npos ? std::string_view{} : path.substr(slash + 1);
        if (deletion) {
            deleteKey(*m_roots[static_cast<std::size_t>(*root)], below);
        } else if (depthOf(below) <= kMaxKeyDepth) {
            m_current = &createKey(*m_roots[static_cast<std::size_t>(*root)], below);
        }
    }

    [[nodiscard]] static std::size_t depthOf(std::string_view path) {
        std::size_t depth = 0;
        forEachComponent(path, [&](std::string_view) { ++depth; });
        return depth;
    }

    static RegistryNode& createKey(RegistryNode& root, std::string_view path) {
        RegistryNode* node = &root;
        forEachComponent(path, [&](std::string_view name) { node = &node->childOrNew(name); });
        return *node;
    }

    static void deleteKey(RegistryNode& root, std::string_view path) {
        RegistryNode* parent = nullptr;
        RegistryNode* node = &root;
        std::string_view last;
        forEachComponent(path, [&](std::string_view name) {
            parent = node;
            node = node != nullptr ? node->child(name) : nullptr;
            last = name;
        });
        // A root itself is never deleted.
        if (node != nullptr && parent != nullptr) {
            parent->children.remove(last);
        }
    }

    template <typename Visit>
    static void forEachComponent(std::string_view path, Visit visit) {
        while (!path.empty()) {
            const std::size_t slash = path.find('\\');
            if (slash != 0) {
                visit(path.substr(0, slash));
            }
            path = slash == std::string_view::npos ? std::string_view{} : path.substr(slash + 1);
        }
    }

    // "name"=data or @=data, with blanks allowed round the '='.
    void valueLine(std::string_view line, LineSource& lines) {
        if (m_current == nullptr) {
            return;
        }
        std::string name;
        std::string_view rest;
        if (line.front() == '@') {
            rest = line.substr(1);
        } else {
            std::optional<QuotedText> quoted = readQuoted(line.substr(1));
            if (!quoted) {
                return;
            }
            name = std::move(quoted->text);
            rest = quoted->rest;
        }
        rest = trimLeft(rest);
        if (!rest.starts_with('=')) {
            return;
        }
        applyData(name, trimLeft(rest.substr(1)), lines);
    }

    void applyData(const std::string& name, std::string_view data, LineSource& lines) {
        if (data.starts_with('"')) {
            const std::optional<QuotedText> quoted = readQuoted(data.substr(1));
            if (quoted && isEndOfData(quoted->rest)) {
                m_current->setValue(name, RegistryValue{kRegSz, quoted->text + '\0'});
            }
        } else if (data.starts_with('-')) {
            if (isEndOfData(data.substr(1))) {
                m_current->values.remove(name);
            }
        } else if (startsWithIgnoreCase(data, "dword:")) {
            dwordData(name, data.substr(6));
        } else if (startsWithIgnoreCase(data, "hex")) {
            hexData(name, data.substr(3), lines);
        }
    }

    void dwordData(const std::string& name, std::string_view data) {
        const std::size_t end = std::min(data.find_first_of(" \t;"), data.size());
        const std::optional<std::uint32_t> number = parseHexNumber(data.substr(0, end), 8);
        if (!number || !isEndOfData(data.substr(end))) {
            return;
        }
        std::string bytes;
        for (int shift = 0; shift < 32; shift += 8) {
            bytes += static_cast<char>((*number >> shift) & 0xFF);
        }
        m_current->setValue(name, RegistryValue{kRegDword, std::move(bytes)});
    }

    // ":aa,bb" (binary) or "(N):aa,bb" (type N in hex); a line ending in ",\" goes on in the next.
    void hexData(const std::string& name, std::string_view data, LineSource& lines) {
        std::uint32_t type = kRegBinary;
        if (data.starts_with('(')) {
            const std::size_t close = data.find(')');
            const std::optional<std::uint32_t> number =
                close == std::string_view::npos ? std::nullopt : parseHexNumber(data.substr(1, close - 1), 8);
            if (!number) {
                return;
            }
            type = *number;
            data.remove_prefix(close + 1);
        }
        if (!data.starts_with(':')) {
            return;
        }
        std::optional<std::string> bytes = parseHexBytes(joinContinuedLines(data.substr(1), lines));
        if (bytes) {
            m_current->setValue(name, RegistryValue{type, textForm(type, std::move(*bytes))});
        }
    }

    [[nodiscard]] static std::string joinContinuedLines(std::string_view first, LineSource& lines) {
        std::string joined;
        std::string_view piece = first;
        while (true) {
            piece = trimRight(piece.substr(0, piece.find(';')));
            if (!piece.ends_with('\\')) {
                joined += piece;
                return joined;
            }
            joined += piece.substr(0, piece.size() - 1);
            const std::optional<std::string_view> next = lines.next();
            if (!next) {
                return joined;
            }
            piece = trimLeft(*next);
        }
    }

    // Text types are handed out as 8-bit text: a "Version 5.00" file holds them in UTF-16LE.
    // Expandable texts and text lists always end in a NUL; one is added when missing.
    [[nodiscard]] std::string textForm(std::uint32_t type, std::string bytes) const {
        if (!isTextType(type)) {
            return bytes;
        }
        if (m_unicodeHex) {
            bytes = utf8FromUtf16le(bytes);
        }
        if (type != kRegSz && (bytes.empty() || bytes.back() != '\0')) {
            bytes += '\0';
        }
        return bytes;
    }

    const RootNodes& m_roots;
    bool m_unicodeHex;
    RegistryNode* m_current = nullptr;
};

[[nodiscard]] const RegistryNode* descend(const RegistryNode& start, std::string_view path) {
    const RegistryNode* node = &start;
    while (node != nullptr && !path.empty()) {
        const std::size_t slash = path.find('\\');
        if (slash != 0) {
            node = node->child(path.substr(0, slash));
        }
        path = slash == std::string_view::npos ? std::string_view{} : path.substr(slash + 1);
    }
    return node;
}

}  // namespace

std::optional<RegistryRoot> registryRootFromName(std::string_view name) {
    for (const RootName& entry : kRootNames) {
        if (equalsIgnoreCase(name, entry.longName) || equalsIgnoreCase(name, entry.shortName)) {
            return entry.root;
        }
    }
    return std::nullopt;
}

std::optional<RegistryValue> RegistryKey::queryValue(std::string_view name) const {
    if (const RegistryValue* value = m_node->values.find(name)) {
        return *value;
    }
    return std::nullopt;
}

std::vector<std::string> RegistryKey::subkeyNames() const {
    std::vector<std::string> names;
    names.reserve(m_node->children.entries().size());
    for (const auto& [name, child] : m_node->children.entries()) {
        names.push_back(name);
    }
    return names;
}

std::size_t RegistryKey::subkeyCount() const { return m_node->children.entries().size(); }

std::optional<RegistryKey> RegistryKey::openSubkey(std::string_view path) const {
    if (const RegistryNode* node = descend(*m_node, path)) {
        return RegistryKey(*node);
    }
    return std::nullopt;
}

Registry::Registry() {
    for (const RootName& entry : kRootNames) {
        auto& root = m_roots[static_cast<std::size_t>(entry.root)];
        root = std::make_unique<RegistryNode>();
    }
}

Registry::~Registry() = default;
Registry::Registry(Registry&&) noexcept = default;
Registry& Registry::operator=(Registry&&) noexcept = default;

Registry Registry::load(std::string_view path, std::string_view homeFolder) {
    std::string bytes;
    if (!readWholeFile(path, bytes)) {
        bytes.clear();
    }
    return fromText(bytes, homeFolder);
}

Registry Registry::fromText(std::string_view fileBytes, std::string_view homeFolder) {
    Registry registry;
    RootNodes roots{};
    std::transform(registry.m_roots.begin(), registry.m_roots.end(), roots.begin(),
                   [](const auto& root) { return root.get(); });

    if (!homeFolder.empty()) {
        RegistryNode* node = roots[static_cast<std::size_t>(RegistryRoot::CurrentUser)];
        for (std::string_view name :
             {"Software", "Microsoft", "Windows", "CurrentVersion", "Explorer", "Shell Folders"}) {
            node = &node->childOrNew(name);
        }
        node->setValue("Favorites", RegistryValue{kRegSz, joinPath(homeFolder, "Favorites") + '\0'});
    }

    const std::string text = decodeHiveBytes(fileBytes);
    LineSource lines(text);
    const std::optional<std::string_view> header = lines.next();
    if (!header) {
        return registry;
    }
    const std::string_view version = trim(*header);
    if (version == kHeaderVersion4 || version == kHeaderVersion5) {
        HiveParser(roots, version == kHeaderVersion5).run(lines);
    }
    return registry;
}

std::optional<RegistryKey> Registry::openKey(RegistryRoot root, std::string_view path) const {
    if (const RegistryNode* node = descend(*m_roots[static_cast<std::size_t>(root)], path)) {
        return RegistryKey(*node);
    }
    return std::nullopt;
}

std::string homeFolderFromEnvironment() {
    const char* home = std::getenv("HOME");
    return home != nullptr ? std::string(home) : std::string();
}

}  // namespace platform
