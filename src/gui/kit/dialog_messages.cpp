#include "gui/kit/dialog_messages.h"

#include "core/app/text_ids.h"
#include "core/app/texts.h"
#include "gui/kit/user_messages.h"

namespace ui {

namespace {}  // namespace

void showError(DesktopContext& context, const std::string& description) {
    ui::showMessage(context, "Error: " + description, app::languageText(context, app::kTitleError),
                    ui::MsgIcon::Critical);
}

void warnRefusedName(DesktopContext& context) {
    ui::showText(context, app::kTextRefusedName, app::kTitleWarning, ui::MsgIcon::Exclamation);
}

bool askToReplaceLink(DesktopContext& context) {
    const std::string question =
        app::withOwnerName(app::languageText(context, app::kTextReplaceQuestion), context.ownerName);
    return ui::askYesNo(context, question, app::languageText(context, app::kTitleReplaceLink), ui::MsgAnswer::No);
}

}  // namespace ui
