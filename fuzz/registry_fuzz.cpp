// Reads arbitrary bytes as a registry hive file, then walks every key it holds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/platform/registry.h"
#include "core/support/registry_access.h"

namespace {

void walk(const platform::RegistryKey& key, int depth) {
    static_cast<void>(key.queryValue(""));
    static_cast<void>(key.queryValue("Favorites"));
    if (depth > 64) {
        return;
    }
    for (const std::string& name : key.subkeyNames()) {
        const auto child = key.openSubkey(name);
        if (!child) {
            __builtin_trap();  // every listed subkey opens
        }
        walk(*child, depth + 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const platform::Registry registry = platform::Registry::fromText(bytes, "/home/fuzz");
    for (const auto root : {platform::RegistryRoot::ClassesRoot, platform::RegistryRoot::CurrentUser,
                            platform::RegistryRoot::LocalMachine, platform::RegistryRoot::Users,
                            platform::RegistryRoot::CurrentConfig, platform::RegistryRoot::DynData}) {
        if (const auto key = registry.openKey(root, "")) {
            walk(*key, 0);
        }
    }
    static_cast<void>(support::GetIEFavoritesPath(registry));
    bool netscapeBrowser = false;
    support::cRegistry(registry).RegDirNet(platform::RegistryRoot::LocalMachine, "HKEY_LOCAL_MACHINE",
                                           "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", "Netscape",
                                           netscapeBrowser);
    std::string value;
    static_cast<void>(support::GetKeyValue(registry, platform::RegistryRoot::LocalMachine,
                                           "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", value));
    return 0;
}
