#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/platform/text_library.h"

// The program-wide values and services, made once by main and handed by reference to
// every form and routine that needs them. Tests build their own over temporary folders.
namespace app {

// The maker's web site, home of every address the Help commands open.
inline constexpr std::string_view kMakerSite = "http://www.velqor.example";

// A web server: the site its addresses begin with (scheme and host) and the port asked.
struct WebServer {
    std::string site;
    std::uint16_t port = 0;
};

struct AppContext {
    // Folders and files.
    std::string applicationFolder;    // holds the program and setting.ini; no trailing '/'
    std::string productFamilyFolder;  // stands for C:\Velqor; no trailing '/'
    std::string registryFile;         // the .reg file the registry is read from
    std::string homeFolder;           // the user's home: where the registry's defaults point
    std::string configFolder;         // where the user's programs keep their settings (~/.config)

    // Start-up state.
    std::string language;  // four hex digits, e.g. "0409"
    std::string charset = "0";
    std::string ownerName = "User";
    std::string skinFile;
    int osCode = 7;
    bool skinningEnabled = false;
    bool netscapeBrowserInstalled = false;
    // The server the update check asks: the maker's site on port 80. Tests name a local one.
    WebServer updateServer{std::string(kMakerSite), 80};

    // The two text libraries, loaded from their copies in the scratch folder.
    platform::TextLibrary languageLibrary;
    platform::TextLibrary supplementaryLibrary;

    // Whether the user may change the PC's own settings; a warning follows when not.
    std::function<bool()> isAdministrator;

    // "C:\Velqor\temp": the loaded copies of the text libraries.
    [[nodiscard]] std::string scratchFolder() const { return productFamilyFolder + "/temp"; }
    // "C:\Velqor\Temp\Fav": the staging folder of imports and exports.
    [[nodiscard]] std::string stagingFolder() const { return scratchFolder() + "/Fav"; }
    // Copies of the browsers' bookmark files as they were before an export changed them.
    [[nodiscard]] std::string backupFolder() const { return productFamilyFolder + "/backup"; }
    // <application folder>/setting.ini
    [[nodiscard]] std::string settingsFile() const { return applicationFolder + "/setting.ini"; }
};

}  // namespace app
