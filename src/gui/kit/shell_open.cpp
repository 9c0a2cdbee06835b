#include "gui/kit/shell_open.h"

namespace ui {
namespace {

// The shell answers 32 or less when it could not open a target.
constexpr int kShellFailureLimit = 32;
constexpr int kWaitAfterOpenMs = 1000;

}  // namespace

bool openWithShell(DesktopContext& context, const std::string& target) {
    const int result = context.shell->open(target);
    context.shell->sleep(kWaitAfterOpenMs);
    return result > kShellFailureLimit;
}

}  // namespace ui
