#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A read-only registry over a text hive in the format the registry editor exports:
// a "REGEDIT4" or "Windows Registry Editor Version 5.00" header, "[HKEY_...\key]" lines
// and "name"=value lines, in UTF-16LE with a byte-order mark or in 8-bit text.
// Keys and value names are compared without regard to case; subkeys are listed in the
// order in which the keys first appear. Nothing is ever written back.
namespace platform {

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig, DynData };

// Value types, numbered as the registry numbers them.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

struct RegistryValue {
    std::uint32_t type = kRegNone;
    // The bytes as the 8-bit registry functions hand them out: a text value holds its
    // characters in UTF-8 followed by its terminating NUL when it was stored with one;
    // a dword holds four bytes, least significant first.
    std::string data;
};

// "HKEY_LOCAL_MACHINE" or "HKLM" (any case), and so on for every root; nothing for other names.
[[nodiscard]] std::optional<RegistryRoot> registryRootFromName(std::string_view name);

struct RegistryNode;

// An open key: a view into a Registry, valid as long as that Registry lives.
class RegistryKey final {
public:
    // The value of that name ("" names the key's default value), or nothing when absent.
    [[nodiscard]] std::optional<RegistryValue> queryValue(std::string_view name) const;
    // The names of the direct subkeys, as first written, in the order they first appeared.
    [[nodiscard]] std::vector<std::string> subkeyNames() const;
    [[nodiscard]] std::size_t subkeyCount() const;
    // The key at a backslash-separated path below this one; "" is this key itself.
    [[nodiscard]] std::optional<RegistryKey> openSubkey(std::string_view path) const;

private:
    friend class Registry;
    explicit RegistryKey(const RegistryNode& node) : m_node(&node) {}

    const RegistryNode* m_node;
};

class Registry final {
public:
    Registry();
    ~Registry();
    Registry(Registry&&) noexcept;
    Registry& operator=(Registry&&) noexcept;
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // Reads the hive file at path over the built-in defaults (see fromText). A missing,
    // unreadable or malformed file leaves the defaults alone.
    [[nodiscard]] static Registry load(std::string_view path, std::string_view homeFolder);

    // Builds a registry from the bytes of a hive file. Before the file is applied, the
    // current user's "Shell Folders" key gets the value "Favorites" = <homeFolder>/Favorites,
    // so the file may replace or delete it; an empty homeFolder gives no defaults. A file
    // without a known header gives the defaults alone; a line that cannot be read is
    // passed over, as the registry editor does.
    [[nodiscard]] static Registry fromText(std::string_view fileBytes, std::string_view homeFolder);

    // The key at a backslash-separated path below a root, or nothing when it is absent.
    [[nodiscard]] std::optional<RegistryKey> openKey(RegistryRoot root, std::string_view path) const;

private:
    static constexpr std::size_t kRootCount = 6;
    std::array<std::unique_ptr<RegistryNode>, kRootCount> m_roots;
};

// The home folder the built-in defaults are made from: $HOME, or empty when it is unset.
[[nodiscard]] std::string homeFolderFromEnvironment();

}  // namespace platform
