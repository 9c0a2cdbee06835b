#include "core/support/system_information.h"

#include "core/platform/file_listing.h"
#include "core/support/registry_access.h"
#include "core/support/system_registry.h"

namespace support {

namespace {

constexpr const char* kSysInfoPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kSysInfoPathValue = "PATH";
constexpr const char* kSysInfoLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* kSysInfoLocationValue = "MSINFO";
constexpr const char* kSysInfoProgram = "MSINFO32.EXE";

}  // namespace

std::optional<std::string> systemInformationProgram(const app::AppContext& context) {
    const platform::Registry registry = openRegistry(context);
    std::string program;
    // the program the registry names is started without looking for it first
    if (GetKeyValue(registry, platform::RegistryRoot::LocalMachine, kSysInfoPathKey, kSysInfoPathValue, program)) {
        return program;
    }
    std::string folder;
    if (GetKeyValue(registry, platform::RegistryRoot::LocalMachine, kSysInfoLocationKey, kSysInfoLocationValue,
                    folder)) {
        std::string located = folder + "/" + kSysInfoProgram;
        if (platform::fileExists(located)) {
            return located;
        }
    }
    return std::nullopt;
}

}  // namespace support
