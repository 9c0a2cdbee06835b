#pragma once

#include "gui/kit/desktop_context.h"

namespace ui {

class ModalFormService;

// What a window that opens other forms is handed: the program-wide values of the core with
// the desktop's services, and the GUI's way of showing a form modally.
struct GuiContext {
    DesktopContext& app;
    ModalFormService& modalForms;
};

}  // namespace ui
