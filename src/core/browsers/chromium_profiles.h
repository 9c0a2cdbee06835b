#pragma once

#include <string>
#include <string_view>
#include <vector>

// Where the browsers of the Chromium family keep their profiles on this PC: each browser has
// a user-data folder whose "Local State" lists its profiles, one folder each ("Default",
// "Profile 1", ...), and notes the one used last.
namespace browsers {

// The browsers of the family, in the order they are looked for.
enum class ChromiumBrowser { Chrome, Chromium, Brave, Vivaldi, Edge };

// A user-data folder found on this PC, and the name it is offered under ("Chromium", or
// "Chromium (Snap)" for the Snap package's own folder).
struct ChromiumInstall {
    ChromiumBrowser browser = ChromiumBrowser::Chromium;
    std::string name;
    std::string userDataFolder;
};

// Every user-data folder of the family that holds a "Local State": for each browser in turn,
// the one below the settings folder (~/.config), then the Snap package's and the Flatpak's
// below the home folder.
[[nodiscard]] std::vector<ChromiumInstall> findChromiumInstalls(std::string_view homeFolder,
                                                                std::string_view configFolder);

// One profile of a user-data folder: its folder name and the name the browser shows for it.
struct ChromiumProfile {
    std::string folder;
    std::string name;
};

// The profiles a "Local State" lists, in the browser's own order (its profile menu's, then
// any left), and the one used last: the one an export writes into.
struct ChromiumProfiles {
    std::vector<ChromiumProfile> listed;
    ChromiumProfile lastUsed;
};

// The profiles of a user-data folder. A "Local State" that is missing, damaged or lists
// nothing leaves the browser's first profile, "Default", which is then also the last used.
// Names that would leave the user-data folder are passed over.
[[nodiscard]] ChromiumProfiles chromiumProfiles(const std::string& userDataFolder);
[[nodiscard]] ChromiumProfiles chromiumProfilesFromLocalState(std::string_view localStateText);

// Whether the browser runs on the user-data folder: it keeps a link "SingletonLock" there to
// "<host>-<process id>". A lock of this host whose process is gone is a stale one, left by a
// browser that crashed; a lock of another host, or one that cannot be read, counts as running.
[[nodiscard]] bool chromiumRuns(const std::string& userDataFolder);

}  // namespace browsers
