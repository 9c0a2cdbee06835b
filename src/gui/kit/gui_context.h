#pragma once

#include "core/app/app_context.h"

namespace ui {

class ModalFormService;

// What a window that opens other forms is handed: the program-wide values and services of
// the core, and the GUI's way of showing a form modally.
struct GuiContext {
    app::AppContext& app;
    ModalFormService& modalForms;
};

}  // namespace ui
