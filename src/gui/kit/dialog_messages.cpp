#include "gui/kit/dialog_messages.h"

#include "core/app/texts.h"
#include "core/app/user_messages.h"

namespace ui {

namespace {
constexpr int kTitleWarning = 300;
constexpr int kTitleError = 301;
constexpr int kTextRefusedName = 560;
constexpr int kTextReplaceQuestion = 556;
constexpr int kTitleReplace = 329;
}  // namespace

void showError(app::AppContext& context, const std::string& description) {
    app::showMessage(context, "Error: " + description, app::languageText(context, kTitleError), app::MsgIcon::Critical);
}

void warnRefusedName(app::AppContext& context) {
    app::showText(context, kTextRefusedName, kTitleWarning, app::MsgIcon::Exclamation);
}

bool askToReplaceLink(app::AppContext& context) {
    const std::string question =
        app::withOwnerName(app::languageText(context, kTextReplaceQuestion), context.ownerName);
    return app::askYesNo(context, question, app::languageText(context, kTitleReplace), app::MsgAnswer::No);
}

}  // namespace ui
