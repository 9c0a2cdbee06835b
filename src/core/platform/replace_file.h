#pragma once

#include <string_view>

namespace platform {

// Gives a file new contents without ever leaving it half written: the contents go into a
// new file beside it, which is then renamed over the old one, so a write that fails (a
// full or read-only drive) leaves the old file exactly as it was. A file that does not
// exist yet is created. The file keeps its permissions; a link is followed to its target.
// False when the file exists but may not be written, or when any step fails.
[[nodiscard]] bool replaceFile(std::string_view path, std::string_view contents);

}  // namespace platform
