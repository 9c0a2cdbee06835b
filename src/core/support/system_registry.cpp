#include "core/support/system_registry.h"

namespace support {

platform::Registry openRegistry(const app::AppContext& context) {
    return platform::Registry::load(context.registryFile, context.homeFolder);
}

}  // namespace support
