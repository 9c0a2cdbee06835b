#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The file routines every window of the store uses.
namespace store {

// Deletes a file, or a folder with everything in it, for good and without asking.
[[nodiscard]] bool deletePath(std::string_view path);

// Copies a file or folder to a target: into it when it is an existing folder, else under
// the target's name; what is there is replaced without asking.
[[nodiscard]] bool copyPath(std::string_view source, std::string_view target);

// True when the store root is there (in any case): a stick pulled out takes it away.
[[nodiscard]] bool storeExists(const std::string& applicationFolder);

// What came of renaming a folder, and its new path when it was renamed.
struct FolderRename {
    enum class Outcome { Renamed, NameRefused, NameTaken, DriveRefused };
    Outcome outcome;
    std::string newPath;
};

// Renames a folder: only its own name changes, so a folder of the same name higher up its
// path (where the store itself lies, say) is left alone. A name Windows refuses, and the name
// of another entry beside it (in any case), are not tried; a change of case only is.
[[nodiscard]] FolderRename renameFolder(std::string_view folderPath, std::string_view newName);

// The text up to, not including, its first NUL; a text without NUL as it is.
[[nodiscard]] std::string StripNulls(std::string_view text);

// Searches a folder and all folders below it for files matching the pattern (such as
// "*.url"). Each match is appended to results as a full path: the files of a folder
// first, then those of each subfolder, depth first, subfolders in listing order.
// fileCount grows by one a match and folderCount by one a subfolder; the caller sets
// them to 0 first. Result: the total size in bytes of the files matched.
std::uint64_t FindFilesAPI(std::string_view path, std::string_view pattern, int& fileCount, int& folderCount,
                           std::vector<std::string>& results);

}  // namespace store
