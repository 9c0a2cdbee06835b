#include "core/support/registry_access.h"

#include <optional>

#include "core/platform/ascii.h"

namespace support {

namespace {

constexpr std::string_view kShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
// Room for the Favorites path: 255 characters, its terminating NUL included.
constexpr std::size_t kFavoritesBufferSize = 255;
// Room for a value read as text.
constexpr std::size_t kValueBufferSize = 1024;
// Room for a subkey name: 255 characters, its terminating NUL included. A longer name
// cannot be fetched and reads as empty.
constexpr std::size_t kSubkeyNameBufferSize = 255;

[[nodiscard]] std::optional<platform::RegistryValue> readValue(const platform::Registry& registry,
                                                               platform::RegistryRoot root, std::string_view keyName,
                                                               std::string_view valueName) {
    const std::optional<platform::RegistryKey> key = registry.openKey(root, keyName);
    return key ? key->queryValue(valueName) : std::nullopt;
}

// An empty text contains nothing, not even the empty text.
[[nodiscard]] bool containsIgnoreCase(std::string_view text, std::string_view part) {
    return !text.empty() && platform::toLowerAscii(text).find(platform::toLowerAscii(part)) != std::string::npos;
}

[[nodiscard]] bool namesBrowserEdition(std::string_view name) {
    if (containsIgnoreCase(name, "7.") || containsIgnoreCase(name, "6.")) {
        return false;
    }
    return containsIgnoreCase(name, "Browser");
}

}  // namespace

std::string GetIEFavoritesPath(const platform::Registry& registry) {
    const std::optional<platform::RegistryValue> favorites =
        readValue(registry, platform::RegistryRoot::CurrentUser, kShellFoldersKey, "Favorites");
    if (!favorites) {
        return {};
    }
    std::string path = favorites->data.substr(0, favorites->data.find('\0'));
    if (path.size() >= kFavoritesBufferSize) {
        return {};
    }
    return path;
}

bool GetKeyValue(const platform::Registry& registry, platform::RegistryRoot root, std::string_view keyName,
                 std::string_view valueName, std::string& value) {
    value.clear();
    const std::optional<platform::RegistryValue> stored = readValue(registry, root, keyName, valueName);
    if (!stored || stored->data.size() > kValueBufferSize) {
        return false;
    }
    value = stored->data;
    if (!value.empty() && value.back() == '\0') {
        value.pop_back();
    }
    return true;
}

void cRegistry::RegDirNet(platform::RegistryRoot root, std::string_view /*rootName*/, std::string_view subkeyPath,
                          std::string_view searchText, bool& netscapeBrowserInstalled) const {
    netscapeBrowserInstalled = false;
    const std::optional<platform::RegistryKey> key = m_registry.openKey(root, subkeyPath);
    if (!key) {
        return;
    }
    for (const std::string& name : key->subkeyNames()) {
        const std::string_view fetched = name.size() < kSubkeyNameBufferSize ? std::string_view(name) : "";
        if (containsIgnoreCase(fetched, searchText) && namesBrowserEdition(fetched)) {
            netscapeBrowserInstalled = true;
        }
    }
}

}  // namespace support
