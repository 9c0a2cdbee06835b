#pragma once

#include <string>
#include <string_view>

#include "core/platform/registry.h"

// The program's registry reads: where Internet Explorer keeps the user's Favorites,
// whether a Netscape installation calls itself "Browser", and single values as text.
// All of them only read, and hold nothing open between calls.
namespace support {

// The current user's Favorites folder as the shell records it (value "Favorites" of
// HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders),
// without its terminating NUL. Empty when the key or the value is missing, or when the
// text does not fit the 255-character buffer it is read into (254 characters and the NUL).
[[nodiscard]] std::string GetIEFavoritesPath(const platform::Registry& registry);

// Reads one value of a key into value: its bytes, less a terminating NUL, so a text
// stored with or without its NUL reads the same. Values of other types than text come
// out as their raw bytes. False, with an empty value, when the key or the value is
// missing or the value does not fit the 1024-byte buffer it is read into.
[[nodiscard]] bool GetKeyValue(const platform::Registry& registry, platform::RegistryRoot root,
                               std::string_view keyName, std::string_view valueName, std::string& value);

// The registry class of the browser dialogs.
class cRegistry final {
public:
    explicit cRegistry(const platform::Registry& registry) : m_registry(registry) {}

    // Scans the direct subkeys of subkeyPath below root for names that contain searchText
    // and sets netscapeBrowserInstalled when one of them names the "Browser" edition: a
    // name that holds "7." is the version-7 browser and one that holds "6." the version-6
    // browser, neither of which sets the flag; any other name holding "Browser" does. All
    // comparisons ignore case. The flag is cleared first and never reset during the scan;
    // a missing key or one without subkeys leaves it false. rootName is not looked at.
    void RegDirNet(platform::RegistryRoot root, std::string_view rootName, std::string_view subkeyPath,
                   std::string_view searchText, bool& netscapeBrowserInstalled) const;

private:
    const platform::Registry& m_registry;
};

}  // namespace support
