#pragma once

#include <string>

#include "core/app/app_context.h"

namespace app {

// Hands a web address or a file to the shell and waits the pause that follows, so that the
// program it starts can come up first. False when the shell could not open it.
[[nodiscard]] bool openWithShell(AppContext& context, const std::string& target);

}  // namespace app
