#include "core/store/store_files.h"

#include "core/platform/file_listing.h"
#include "core/platform/file_ops.h"
#include "core/platform/paths.h"
#include "core/platform/windows_names.h"
#include "core/store/store_layout.h"

namespace store {
namespace {

[[nodiscard]] bool isDotEntry(std::string_view name) { return name == "." || name == ".."; }

}  // namespace

bool deletePath(std::string_view path) { return platform::shellDelete(path); }

bool copyPath(std::string_view source, std::string_view target) { return platform::shellCopy(source, target); }

bool storeExists(const std::string& applicationFolder) { return platform::folderExists(storeRoot(applicationFolder)); }

FolderRename renameFolder(std::string_view folderPath, std::string_view newName) {
    using Outcome = FolderRename::Outcome;
    if (platform::windowsRefusesName(newName)) {
        return {Outcome::NameRefused, {}};
    }
    std::string newPath(folderPath.substr(0, folderPath.rfind('/') + 1));
    newPath.append(newName);
    if (platform::fileAttributes(newPath) && !platform::isSameEntry(folderPath, newPath)) {
        return {Outcome::NameTaken, {}};
    }
    if (!platform::renamePath(std::string(folderPath) + "/", newPath + "/")) {
        return {Outcome::DriveRefused, {}};
    }
    return {Outcome::Renamed, newPath};
}

std::string StripNulls(std::string_view text) { return std::string(text.substr(0, text.find('\0'))); }

std::uint64_t FindFilesAPI(std::string_view path, std::string_view pattern, int& fileCount, int& folderCount,
                           std::vector<std::string>& results) {
    const std::string folder = platform::withTrailingSlash(path);
    std::vector<std::string> subfolders;
    for (const platform::FindEntry& entry : platform::listFolder(folder, "*")) {
        const std::string name = StripNulls(entry.name);
        if (!isDotEntry(name) && (entry.attributes & platform::kAttrDirectory) != 0) {
            subfolders.push_back(name);
            ++folderCount;
        }
    }
    // every entry the pattern matches counts, a folder of a matching name too
    std::uint64_t totalSize = 0;
    for (const platform::FindEntry& entry : platform::listFolder(folder, pattern)) {
        const std::string name = StripNulls(entry.name);
        if (!isDotEntry(name)) {
            totalSize += entry.size;
            ++fileCount;
            results.push_back(folder + name);
        }
    }
    for (const std::string& subfolder : subfolders) {
        totalSize += FindFilesAPI(folder + subfolder + "/", pattern, fileCount, folderCount, results);
    }
    return totalSize;
}

}  // namespace store
