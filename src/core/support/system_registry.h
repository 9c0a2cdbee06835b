#pragma once

#include "core/app/app_context.h"
#include "core/platform/registry.h"

namespace support {

// The registry as the program reads it: the context's registry file over the built-in
// defaults of the user's home. Read afresh at each call; nothing is kept open.
[[nodiscard]] platform::Registry openRegistry(const app::AppContext& context);

}  // namespace support
