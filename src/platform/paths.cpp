#include "platform/paths.h"

namespace platform {

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string result(folder);
    if (result.empty() || result.back() != '/') {
        result += '/';
    }
    result += name;
    return result;
}

}  // namespace platform
