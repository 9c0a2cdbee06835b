#pragma once

#include <string>
#include <string_view>

// Paths on this platform are native ('/'), but lookups behave as Windows does: every
// component is matched without regard to case when the exact name is absent.
namespace platform {

// Resolves an existing path whatever the case its components are written in: for each
// component the exact name wins, else the first case-insensitive match in name order.
// Components that do not exist (and all below them) are kept as written.
[[nodiscard]] std::string resolvePath(std::string_view path);

// Joins a folder and a name with exactly one '/' between them.
[[nodiscard]] std::string joinPath(std::string_view folder, std::string_view name);

// Adds a trailing '/' when the path lacks one.
[[nodiscard]] std::string withTrailingSlash(std::string_view path);

// The running program's full path as it lies in its folder: the start command names it when it
// runs the program through the PC's loader or from a copy (the system would then name the loader
// or the copy); else the executable the system runs. Empty when neither tells it.
inline constexpr const char* kStartedProgramVariable = "DORVANE_LITE_PROGRAM";
[[nodiscard]] std::string executablePath();

// The folder that holds the running executable, without a trailing '/'.
[[nodiscard]] std::string executableFolder();

// The running executable's file name (no folder).
[[nodiscard]] std::string executableName();

// The per-user folder of the product family: ${XDG_CACHE_HOME:-$HOME/.cache}/Velqor,
// without a trailing '/'. Nothing is created here.
[[nodiscard]] std::string defaultProductFamilyFolder();

// Where the programs of the user keep their settings: ${XDG_CONFIG_HOME:-$HOME/.config},
// without a trailing '/'.
[[nodiscard]] std::string defaultConfigFolder();

// The registry file: ${XDG_CONFIG_HOME:-$HOME/.config}/Velqor/registry.reg.
[[nodiscard]] std::string defaultRegistryFile();

// The mount point of the file system that holds the path (the "drive root").
[[nodiscard]] std::string driveRootOf(std::string_view path);

// The order names are listed in: compared as upper case, as NTFS sorts them; names that
// differ only in case fall back to their bytes so the order is always the same.
[[nodiscard]] bool lessIgnoringCase(std::string_view a, std::string_view b);

}  // namespace platform
