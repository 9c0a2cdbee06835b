#include "core/store/link_save.h"

#include <cerrno>
#include <system_error>

#include "core/platform/ascii.h"
#include "core/platform/file_listing.h"
#include "core/platform/file_ops.h"
#include "core/platform/paths.h"
#include "core/platform/replace_file.h"
#include "core/platform/windows_names.h"
#include "core/store/shortcut.h"
#include "core/store/store_files.h"

namespace store {
namespace {

constexpr std::string_view kExtension = ".url";

[[nodiscard]] std::string fileNameOf(std::string_view path) {
    return std::string(path.substr(path.find_last_of('/') + 1));
}

[[nodiscard]] std::string failureText(const std::string& what, int error) {
    if (error == 0) {
        return what + ".";
    }
    return what + " (" + std::generic_category().message(error) + ").";
}

// Writes the whole link beside the file and renames it over it, or creates it when new.
[[nodiscard]] SaveFailure writeLinkFile(const std::string& file, std::string_view target) {
    errno = 0;
    if (platform::replaceFile(file, linkFileText(target))) {
        return std::nullopt;
    }
    return failureText(fileNameOf(file) + " could not be written", errno);
}

// The link keeps its file: new contents, and the typed case of its name.
[[nodiscard]] SaveFailure rewriteInPlace(const std::string& oldFile, std::string_view newPath,
                                         std::string_view target) {
    if (SaveFailure failure = writeLinkFile(oldFile, target)) {
        return failure;
    }
    const std::string newName = fileNameOf(newPath);
    if (fileNameOf(oldFile) == newName) {
        return std::nullopt;
    }
    errno = 0;
    if (platform::renamePath(oldFile, newPath)) {
        return std::nullopt;
    }
    return failureText("The link was saved, but could not be renamed to " + newName, errno);
}

}  // namespace

std::string trimSpaces(std::string_view text) { return std::string(platform::trim(text, " ")); }

bool isRefusedName(std::string_view name) { return platform::windowsRefusesName(name); }

std::string editedLinkPath(std::string_view folder, std::string_view name) {
    std::string path = std::string(folder) + "/" + std::string(name);
    if (platform::toLowerAscii(path).find(kExtension) == std::string::npos) {
        path += kExtension;
    }
    return path;
}

bool linkFileExists(std::string_view path) { return platform::fileExists(path); }

bool namesAnotherLink(std::string_view oldPath, std::string_view newPath) {
    return platform::fileExists(newPath) && !platform::isSameEntry(oldPath, newPath);
}

SaveFailure saveNewLink(std::string_view path, std::string_view target) {
    return writeLinkFile(platform::resolvePath(path), target);
}

SaveFailure replaceLink(std::string_view oldPath, std::string_view newPath, std::string_view target) {
    const std::string oldFile = platform::resolvePath(oldPath);
    const std::string newFile = platform::resolvePath(newPath);
    if (platform::isSameEntry(oldFile, newFile)) {
        return rewriteInPlace(oldFile, newPath, target);
    }
    // looked up before the write: afterwards the old name might find the new file by its case
    const bool oldExists = platform::fileExists(oldFile);
    if (SaveFailure failure = writeLinkFile(newFile, target)) {
        return failure;
    }
    if (oldExists && !platform::isSameEntry(oldFile, newFile)) {
        static_cast<void>(deletePath(oldFile));
    }
    return std::nullopt;
}

}  // namespace store
