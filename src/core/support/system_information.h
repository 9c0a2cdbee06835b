#pragma once

#include <optional>
#include <string>

#include "core/app/app_context.h"

// The system information program the About box starts.
namespace support {

// The program the registry names: the path recorded for it, taken as it is, else the program
// in the folder recorded for the shared tools when it lies there. Nothing when neither is.
[[nodiscard]] std::optional<std::string> systemInformationProgram(const app::AppContext& context);

}  // namespace support
