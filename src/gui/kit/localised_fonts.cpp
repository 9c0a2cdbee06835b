#include "gui/kit/localised_fonts.h"

#include <QWidget>

namespace ui {

int dialogFontPointSize(const std::string& language) { return language == "0804" || language == "0404" ? 9 : 8; }

void applyDialogFont(const app::AppContext& context, std::initializer_list<QWidget*> controls) {
    const int pointSize = dialogFontPointSize(context.language);
    for (QWidget* control : controls) {
        QFont font = control->font();
        font.setPointSize(pointSize);
        control->setFont(font);
    }
    applyCharset(context, controls);
}

void applyCharset(const app::AppContext& context, std::initializer_list<QWidget*> controls) {
    for (QWidget* control : controls) {
        control->setProperty("charset", QString::fromStdString(context.charset));
    }
}

}  // namespace ui
