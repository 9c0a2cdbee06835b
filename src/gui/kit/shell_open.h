#pragma once

#include <string>

#include "gui/kit/desktop_context.h"

namespace ui {

// Hands a web address or a file to the shell and waits the pause that follows, so that the
// program it starts can come up first. False when the shell could not open it.
[[nodiscard]] bool openWithShell(DesktopContext& context, const std::string& target);

}  // namespace ui
