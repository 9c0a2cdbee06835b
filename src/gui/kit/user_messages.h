#pragma once

#include <string>

#include "gui/kit/desktop_context.h"

// Message boxes with texts from the language library. "%username" in a text is
// replaced by the owner name before it is shown.
namespace ui {

// Shows a text under a title, with the icon and an OK button.
MsgAnswer showMessage(DesktopContext& context, const std::string& text, const std::string& title, MsgIcon icon);
// Shows text id `textId` with the title of text id `titleId`.
MsgAnswer showText(DesktopContext& context, int textId, int titleId, MsgIcon icon);
// Shows text id `textId` under a fixed title.
MsgAnswer showText(DesktopContext& context, int textId, const std::string& title, MsgIcon icon);
// Asks a Yes/No question with the question icon; true only for Yes.
[[nodiscard]] bool askYesNo(DesktopContext& context, const std::string& text, const std::string& title,
                            MsgAnswer defaultAnswer);

}  // namespace ui
