#include "core/app/shell_open.h"

namespace app {
namespace {

// The shell answers 32 or less when it could not open a target.
constexpr int kShellFailureLimit = 32;
constexpr int kWaitAfterOpenMs = 1000;

}  // namespace

bool openWithShell(AppContext& context, const std::string& target) {
    const int result = context.shell->open(target);
    context.shell->sleep(kWaitAfterOpenMs);
    return result > kShellFailureLimit;
}

}  // namespace app
