#include "core/app/user_messages.h"

#include "core/app/texts.h"

namespace app {

MsgAnswer showMessage(AppContext& context, const std::string& text, const std::string& title, MsgIcon icon) {
    Message message;
    message.text = text;
    message.title = title;
    message.icon = icon;
    return context.messages->show(message);
}

MsgAnswer showText(AppContext& context, int textId, int titleId, MsgIcon icon) {
    return showText(context, textId, languageText(context, titleId), icon);
}

MsgAnswer showText(AppContext& context, int textId, const std::string& title, MsgIcon icon) {
    return showMessage(context, withOwnerName(languageText(context, textId), context.ownerName), title, icon);
}

bool askYesNo(AppContext& context, const std::string& text, const std::string& title, MsgAnswer defaultAnswer) {
    Message message;
    message.text = text;
    message.title = title;
    message.icon = MsgIcon::Question;
    message.buttons = MsgButtons::YesNo;
    message.defaultAnswer = defaultAnswer;
    return context.messages->show(message) == MsgAnswer::Yes;
}

}  // namespace app
