#include "core/browsers/transfer_folders.h"

#include "core/platform/file_listing.h"
#include "core/platform/file_ops.h"
#include "core/store/store_files.h"

namespace browsers {

namespace {

[[nodiscard]] std::string_view parentOf(std::string_view path) {
    while (path.size() > 1 && path.ends_with('/')) {
        path.remove_suffix(1);
    }
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
}

}  // namespace

bool emptyStagingFolder(std::string_view stagingFolder) {
    static_cast<void>(platform::createPrivateFolder(parentOf(stagingFolder)));
    return (!platform::folderExists(stagingFolder) || store::deletePath(stagingFolder)) &&
           platform::createFolder(stagingFolder);
}

}  // namespace browsers
