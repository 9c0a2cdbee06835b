#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/app/app_context.h"
#include "core/store/store_layout.h"

// Where the browsers of this PC keep their favorites. Everything is derived from one fact
// the registry supplies, Internet Explorer's Favorites folder: the user profile folder is
// the folder that holds it, and each browser's profile root lies at a fixed path below that.
namespace browsers {

// The name of every bookmark file searched for.
inline constexpr std::string_view kBookmarkFileName = "bookmarks.html";

// Internet Explorer's Favorites folder as the registry of the context records it; empty
// when the registry names none.
[[nodiscard]] std::string ieFavoritesFolder(const app::AppContext& context);

// The Favorites folder up to and including its last '/': "/home/u1/Favorites" gives
// "/home/u1/". Empty when the path holds no '/'.
[[nodiscard]] std::string userProfileFolder(std::string_view favoritesFolder);

// The folder below which a browser keeps its profiles: the user profile folder followed by
// the browser's fixed path. Netscape uses its own folder only when the Netscape Browser
// edition is installed, otherwise Mozilla's. Empty when the user profile folder is empty, and
// for Internet Explorer, which keeps its favorites as files in the Favorites folder.
[[nodiscard]] std::string profileRoot(store::Browser browser, std::string_view userProfileFolder,
                                      bool netscapeBrowserInstalled);

// The profile root of a browser on this PC, read afresh from the registry. For Netscape the
// uninstall entries are scanned first, which sets context.netscapeBrowserInstalled.
[[nodiscard]] std::string profileRootOf(app::AppContext& context, store::Browser browser);

// Where Firefox keeps its profiles on this PC, in the order they are read: the profile root
// below the user profile folder, then the folders a Linux Firefox keeps them in (below the
// configuration folder, the home folder's own, the Snap package's, the Flatpak's), each
// followed by the profiles its profiles.ini names outside it. Roots that cannot be made
// (no Favorites folder, no home folder) are left out; a root that does not exist finds nothing.
[[nodiscard]] std::vector<std::string> firefoxProfileRoots(app::AppContext& context);

// Every bookmarks.html below the profile root, at any depth, in the order the recursive
// search finds them: a folder's own file before those of its subfolders. An empty profile
// root finds nothing.
[[nodiscard]] std::vector<std::string> findBookmarkFiles(std::string_view profileRoot);

// Every Firefox database (places.sqlite) below the profile root, in the order found, whose
// profile folder holds no bookmarks.html: a profile with both is read from the bookmark file.
[[nodiscard]] std::vector<std::string> findPlacesDatabases(std::string_view profileRoot);

// The bookmark files to read for a browser, in the order found. Firefox passes over the
// copies it keeps under "bookmarkbackups" (any case).
[[nodiscard]] std::vector<std::string> bookmarkFiles(store::Browser browser, std::string_view profileRoot);

}  // namespace browsers
