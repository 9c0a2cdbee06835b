#include "gui/kit/modal_forms.h"

#include <QDialog>

namespace ui {

void QtModalFormService::showModal(QDialog& dialog) { dialog.exec(); }

}  // namespace ui
