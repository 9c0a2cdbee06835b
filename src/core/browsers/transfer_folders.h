#pragma once

#include <optional>
#include <string_view>

// The folders every import and export goes through: the store's top folder of each browser,
// and the staging folder the links wait in on their way.
namespace browsers {

// The browsers of the store's top folders, in the order a path is tested for them.
enum class StoreBrowser { InternetExplorer, Netscape, Mozilla, Firefox };

// The browser whose name a path below the store root ("Internet Explorer/News") begins with,
// case ignored ("Internet Explorer", "Netscape", "Mozilla", then "FireFox"); nothing for
// any other beginning.
[[nodiscard]] std::optional<StoreBrowser> storeBrowserOf(std::string_view pathBelowStoreRoot);

// The name of the browser's top folder below the store root.
[[nodiscard]] std::string_view storeTopFolder(StoreBrowser browser);

// Deletes the staging folder with everything in it and makes it again, empty. The folders
// above it are made when missing, open to their owner alone. A staging folder that could
// not be deleted keeps what is left in it. True when the folder was made anew, empty.
bool emptyStagingFolder(std::string_view stagingFolder);

}  // namespace browsers
