#include "gui/kit/dialog_messages.h"

#include "core/app/texts.h"
#include "core/app/user_messages.h"

namespace ui {

namespace {
constexpr int kTitleError = 301;
constexpr int kTextReplaceQuestion = 556;
constexpr int kTitleReplace = 329;
}  // namespace

void showError(app::AppContext& context, const std::string& description) {
    app::Message message;
    message.text = "Error: " + description;
    message.title = app::languageText(context, kTitleError);
    message.icon = app::MsgIcon::Critical;
    context.messages->show(message);
}

bool askToReplaceLink(app::AppContext& context) {
    const std::string question =
        app::withOwnerName(app::languageText(context, kTextReplaceQuestion), context.ownerName);
    return app::askYesNo(context, question, app::languageText(context, kTitleReplace), app::MsgAnswer::No);
}

}  // namespace ui
