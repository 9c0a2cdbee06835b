#pragma once

#include "core/app/app_context.h"
#include "gui/kit/services.h"

namespace ui {

// The program-wide values of the core together with what the windows ask of the desktop:
// its message boxes and its shell. Made once by main; tests hand in recording ones.
struct DesktopContext : app::AppContext {
    MessageBoxService* messages = nullptr;
    ShellService* shell = nullptr;
};

}  // namespace ui
