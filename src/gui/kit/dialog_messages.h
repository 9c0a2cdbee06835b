#pragma once

#include <string>

#include "gui/kit/desktop_context.h"

// Messages that several windows show.
namespace ui {

// Tells the user that a command failed: "Error: " and what went wrong, under the title
// of text 301 with the critical icon.
void showError(DesktopContext& context, const std::string& description);

// Tells the user that a typed name is one Windows refuses for a file or a folder (text 560
// under the title of text 300, with the exclamation icon).
void warnRefusedName(DesktopContext& context);

// Asks whether the link of the typed name, which exists already, is to be replaced
// (text 556 under title 329). True only for Yes; No is the default.
[[nodiscard]] bool askToReplaceLink(DesktopContext& context);

}  // namespace ui
