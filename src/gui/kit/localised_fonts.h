#pragma once

#include <initializer_list>

#include "core/app/app_context.h"

class QWidget;

// The font step of every caption setter: the labels, frames, buttons, check boxes and
// text boxes a setter names get point size 9 for the Chinese languages ("0804",
// "0404") and 8 otherwise; they and the form's tree and list controls carry the
// Charset setting (kept as the widget property "charset": fonts here have no character set).
namespace ui {

[[nodiscard]] int dialogFontPointSize(const std::string& language);

void applyDialogFont(const app::AppContext& context, std::initializer_list<QWidget*> controls);
void applyCharset(const app::AppContext& context, std::initializer_list<QWidget*> controls);

}  // namespace ui
