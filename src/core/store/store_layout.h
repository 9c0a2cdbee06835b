#pragma once

#include <optional>
#include <string>
#include <string_view>

// Where the store keeps its links: the store root beside the program, one top folder per
// browser below it, and the keys the folder tree knows its nodes by. Every window and routine
// that needs a store folder asks here.
namespace store {

// The browsers the store keeps a top folder for.
enum class Browser { InternetExplorer, Firefox, Mozilla, Netscape, Chrome };

// Tree images, by index: a plain folder, then one mark per browser.
inline constexpr int kImagePlainFolder = 1;
inline constexpr int kImageInternetExplorer = 2;
inline constexpr int kImageFirefox = 3;
inline constexpr int kImageMozilla = 4;
inline constexpr int kImageNetscape = 5;
inline constexpr int kImageChrome = 6;

// The key of the folder tree's root, which stands for the store root.
inline constexpr std::string_view kRootKey = "noderoot";

// The store root: <application folder>/favorites.
[[nodiscard]] std::string storeRoot(std::string_view applicationFolder);

// The folder every tree key below the root starts with: <application folder>/Favorites/.
[[nodiscard]] std::string storeKeyRoot(std::string_view applicationFolder);

// The name of a browser's top folder below the store root ("Internet Explorer", "Firefox").
[[nodiscard]] std::string_view topFolderName(Browser browser);

// A browser's top folder: <application folder>/favorites/<its name>.
[[nodiscard]] std::string topFolder(std::string_view applicationFolder, Browser browser);

// The tree image of a browser's top folder and of every folder below it.
[[nodiscard]] int browserImage(Browser browser);

// The browser whose top folder a path below the store root ("Internet Explorer/News") begins
// with, case ignored; nothing for any other beginning.
[[nodiscard]] std::optional<Browser> browserOfPath(std::string_view pathBelowStoreRoot);

// A tree key's path below the store root: "Internet Explorer/News" for
// <application folder>/Favorites/Internet Explorer/News. Empty for the root's key and for a
// key outside the store.
[[nodiscard]] std::string_view pathBelowStoreRoot(std::string_view applicationFolder, std::string_view key);

// The folder a tree key stands for: the store root for the root's key, the key itself (a
// folder's path) for any other node.
[[nodiscard]] std::string folderOfKey(std::string_view applicationFolder, std::string_view key);

// The image of a folder: the browser whose top folder holds it, or a plain folder.
[[nodiscard]] int folderImage(std::string_view applicationFolder, std::string_view folderPath);

// Makes sure the store exists: the store root with the top folders of Internet Explorer,
// Firefox and Chrome (Mozilla's and Netscape's are made by the first import into them). Each is looked up
// without regard to case and made only when missing; nothing is reported, so on a read-only
// drive the store stays as it is.
void CreateFolder(std::string_view applicationFolder);

}  // namespace store
