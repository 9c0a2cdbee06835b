#include "gui/kit/dialog_messages.h"

#include "core/app/text_ids.h"
#include "core/app/texts.h"
#include "core/app/user_messages.h"

namespace ui {

namespace {
}  // namespace

void showError(app::AppContext& context, const std::string& description) {
    app::showMessage(context, "Error: " + description, app::languageText(context, app::kTitleError), app::MsgIcon::Critical);
}

void warnRefusedName(app::AppContext& context) {
    app::showText(context, app::kTextRefusedName, app::kTitleWarning, app::MsgIcon::Exclamation);
}

bool askToReplaceLink(app::AppContext& context) {
    const std::string question =
        app::withOwnerName(app::languageText(context, app::kTextReplaceQuestion), context.ownerName);
    return app::askYesNo(context, question, app::languageText(context, app::kTitleReplaceLink), app::MsgAnswer::No);
}

}  // namespace ui
