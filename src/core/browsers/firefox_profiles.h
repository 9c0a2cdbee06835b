#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The profiles of a Linux desktop's Firefox: the folders that hold them, the profiles each
// folder's profiles.ini names, the one the user starts by default, and whether a running
// Firefox holds one.
namespace browsers {

// Where a Linux Firefox keeps its profiles, in the order they are read: below the user's
// configuration folder (where Firefox makes them for a new user), in the home folder's
// ".mozilla" (where an older Firefox made them), then the Snap package's and the Flatpak's.
// Nothing below a folder that is empty.
[[nodiscard]] std::vector<std::string> linuxFirefoxRoots(std::string_view configFolder, std::string_view homeFolder);

// The same folders in the order Firefox itself picks one: ".mozilla" whenever it exists,
// else the configuration folder, then the Snap package's and the Flatpak's.
[[nodiscard]] std::vector<std::string> linuxFirefoxStartRoots(std::string_view configFolder,
                                                              std::string_view homeFolder);

// Every profile folder the root's profiles.ini names, in the order of its sections: a path
// below the root, or, with "IsRelative=0", the path as written. Nothing without the file.
[[nodiscard]] std::vector<std::string> profilesNamedIn(std::string_view root);

// The profile Firefox starts when the user starts it: the one the first install section of
// installs.ini names (or of profiles.ini, where an older Firefox kept it), else the one
// marked "Default=1", else the only one. A fresh Firefox marks an empty profile it never uses
// "Default=1"; the install section names the one it really starts. Nothing when no choice is left.
[[nodiscard]] std::optional<std::string> defaultProfileFolder(std::string_view root);

// The profile a Linux Firefox starts, of the first folder (in the order Firefox picks one)
// that has a profile to start, when that profile holds a bookmark database.
[[nodiscard]] std::optional<std::string> startedProfileWithDatabase(std::string_view configFolder,
                                                                    std::string_view homeFolder);

// Whether a running Firefox holds the profile: the write lock on its ".parentlock", or its
// "lock" link naming a process that is still alive. A Firefox that ended without tidying up
// leaves a link to a process that is gone, which holds nothing.
[[nodiscard]] bool profileInUse(std::string_view profileFolder);

}  // namespace browsers
