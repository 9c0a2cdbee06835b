#pragma once

#include <string>

#include "core/app/app_context.h"

// Messages that several windows show.
namespace ui {

// Tells the user that a command failed: "Error: " and what went wrong, under the title
// of text 301 with the critical icon.
void showError(app::AppContext& context, const std::string& description);

// Tells the user that a typed name is one Windows refuses for a file or a folder (text 560
// under the title of text 300, with the exclamation icon).
void warnRefusedName(app::AppContext& context);

// Asks whether the link of the typed name, which exists already, is to be replaced
// (text 556 under title 329). True only for Yes; No is the default.
[[nodiscard]] bool askToReplaceLink(app::AppContext& context);

}  // namespace ui
