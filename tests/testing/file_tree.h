#pragma once

#include <string>
#include <vector>

namespace testing_support {

// Everything below a folder, in name order: a folder as "relative/", a file as
// "relative=contents". Lets a test compare a whole tree on disk with one expected list.
[[nodiscard]] std::vector<std::string> treeOf(const std::string& folder);

}  // namespace testing_support
