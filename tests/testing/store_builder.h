#pragma once

#include <string>
#include <string_view>

namespace testing_support {

// The bytes the program writes for a link.
[[nodiscard]] std::string shortcutBytes(std::string_view target);

// Writes <folder>/<name>.url holding the target, creating the folders on the way.
void writeLink(const std::string& folder, std::string_view name, std::string_view target);

}  // namespace testing_support
