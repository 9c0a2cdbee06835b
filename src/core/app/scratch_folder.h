#pragma once

#include "core/app/app_context.h"

namespace app {

// Makes the product-family folder and the scratch folder in it, each when missing. The
// product-family folder lies on the PC, not on the drive: only its user may enter it, so
// that nobody else can plant a file there for the program to load.
void ensureScratchFolder(const AppContext& context);

}  // namespace app
