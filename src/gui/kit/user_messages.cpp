#include "gui/kit/user_messages.h"

#include "core/app/texts.h"

namespace ui {

MsgAnswer showMessage(DesktopContext& context, const std::string& text, const std::string& title, MsgIcon icon) {
    Message message;
    message.text = text;
    message.title = title;
    message.icon = icon;
    return context.messages->show(message);
}

MsgAnswer showText(DesktopContext& context, int textId, int titleId, MsgIcon icon) {
    return showText(context, textId, app::languageText(context, titleId), icon);
}

MsgAnswer showText(DesktopContext& context, int textId, const std::string& title, MsgIcon icon) {
    return showMessage(context, app::withOwnerName(app::languageText(context, textId), context.ownerName), title, icon);
}

bool askYesNo(DesktopContext& context, const std::string& text, const std::string& title, MsgAnswer defaultAnswer) {
    Message message;
    message.text = text;
    message.title = title;
    message.icon = MsgIcon::Question;
    message.buttons = MsgButtons::YesNo;
    message.defaultAnswer = defaultAnswer;
    return context.messages->show(message) == MsgAnswer::Yes;
}

}  // namespace ui
