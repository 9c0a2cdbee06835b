#include "core/app/scratch_folder.h"

#include "core/platform/file_listing.h"
#include "core/platform/file_ops.h"

namespace app {

void ensureScratchFolder(const AppContext& context) {
    if (!platform::folderExists(context.productFamilyFolder)) {
        static_cast<void>(platform::createPrivateFolder(context.productFamilyFolder));
    }
    if (!platform::folderExists(context.scratchFolder())) {
        static_cast<void>(platform::createFolder(context.scratchFolder()));
    }
}

}  // namespace app
