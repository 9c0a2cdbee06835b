#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

#include "gui/kit/gui_context.h"
#include "gui/kit/modal_forms.h"

namespace testing_support {

// Records the dialogs a window opens and, instead of waiting for a user, runs a script
// on each while it is "open" (the dialog has been loaded and shown).
class FakeModalForms final : public ui::ModalFormService {
public:
    void showModal(QDialog& dialog) override {
        opened.append(dialog.objectName());
        whileOpen(dialog);
    }

    QStringList opened;
    std::function<void(QDialog&)> whileOpen = [](QDialog&) {};
};

}  // namespace testing_support
