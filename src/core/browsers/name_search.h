#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace browsers {

// Tells, for each name, whether some line contains it at a position after the line's first
// character, letters A to Z compared without regard to case. A name never matches across
// two lines. An empty name is found in any line that has a second character.
// The lines are read once for all names together, so the cost grows with the size of the
// text and not with the number of names times that size.
[[nodiscard]] std::vector<bool> namesFoundInLines(const std::vector<std::string_view>& lines,
                                                  const std::vector<std::string>& names);

}  // namespace browsers
