#pragma once

#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// (name, URL) pairs, in order.
using BookmarkLinks = std::vector<std::pair<std::string, std::string>>;

// A bookmark file as a browser writes it: one anchor line per link inside the root list.
[[nodiscard]] std::string bookmarkFileText(const BookmarkLinks& links);

// Writes a registry file whose current user keeps Internet Explorer's Favorites in the folder.
void writeFavoritesRegistry(const std::string& registryFile, const std::string& favoritesFolder);

}  // namespace testing_support
