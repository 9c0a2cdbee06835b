#include "core/platform/file_ops.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <vector>

#include "core/platform/ascii.h"
#include "core/platform/folder_names.h"
#include "core/platform/paths.h"
#include "core/platform/plain_files.h"
#include "core/platform/replace_file.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

[[nodiscard]] std::string parentOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

[[nodiscard]] std::string nameOf(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

[[nodiscard]] std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

// The path as the file system holds it: existing components in their stored case.
[[nodiscard]] std::string resolvedPath(std::string_view path) { return withoutTrailingSlashes(resolvePath(path)); }

[[nodiscard]] std::optional<struct stat> statOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return info;
}

[[nodiscard]] bool isFolder(const std::string& path) {
    const std::optional<struct stat> info = statOf(path);
    return info && S_ISDIR(info->st_mode);
}

[[nodiscard]] bool isSameOrBelow(const std::string& path, const std::string& folder) {
    std::error_code error;
    const fs::path real = fs::weakly_canonical(path, error);
    const fs::path realFolder = fs::weakly_canonical(folder, error);
    if (error) {
        return false;
    }
    const std::string text = real.string();
    const std::string folderText = realFolder.string();
    return text == folderText || text.starts_with(withTrailingSlash(folderText));
}

// The copy goes beside the target and is renamed over it, so a copy that fails (a full
// drive) leaves neither an empty file nor a damaged one of the same name.
[[nodiscard]] bool copyFile(const std::string& source, const std::string& target) {
    std::string contents;
    return readWholeFile(source, contents) && replaceFile(target, contents);
}

[[nodiscard]] bool makeFolderIfMissing(const std::string& path) {
    return isFolder(path) || ::mkdir(path.c_str(), 0777) == 0;
}

// One entry of a folder: its name, what it is, and what it leads to when it is a link.
struct FolderEntry {
    std::string name;
    fs::file_type ownType;
    fs::file_type type;
};

// The entries of a folder, all read before anything in it is changed: a drive may skip
// entries in a listing of a folder that changes while it is listed. Nothing when the
// folder cannot be read to its end.
[[nodiscard]] std::optional<std::vector<FolderEntry>> entriesOf(const std::string& folder) {
    std::vector<FolderEntry> entries;
    std::error_code listingError;
    // the iterator is stepped with an error code: a folder that cannot be read is a failure, not a throw
    for (fs::directory_iterator entry(folder, listingError), end; !listingError && entry != end;
         entry.increment(listingError)) {
        std::error_code error;
        entries.push_back(
            {entry->path().filename().string(), entry->symlink_status(error).type(), entry->status(error).type()});
    }
    if (listingError) {
        return std::nullopt;
    }
    return entries;
}

// Copies a folder's contents into another, merging with what is there and replacing
// files of the same name. Every entry is tried; false when any of them failed.
[[nodiscard]] bool copyFolderContents(const std::string& source, const std::string& target) {
    // a copy replaces "google.url" when it brings "Google.url", as a case-insensitive drive would
    const FolderNames existing(target);
    const std::optional<std::vector<FolderEntry>> entries = entriesOf(source);
    bool allCopied = entries.has_value();
    for (const FolderEntry& entry : entries.value_or(std::vector<FolderEntry>())) {
        const std::string from = joinPath(source, entry.name);
        const std::string to = existing.pathOf(entry.name);
        if (entry.type == fs::file_type::directory) {
            allCopied = makeFolderIfMissing(to) && copyFolderContents(from, to) && allCopied;
        } else if (entry.type == fs::file_type::regular) {
            allCopied = copyFile(from, to) && allCopied;
        } else {
            allCopied = false;
        }
    }
    return allCopied;
}

[[nodiscard]] bool createParentFolders(const std::string& path) {
    std::error_code error;
    fs::create_directories(parentOf(path), error);
    return !error;
}

}  // namespace

bool createFolder(std::string_view path) {
    const std::string target = resolvedPath(path);
    return !target.empty() && ::mkdir(target.c_str(), 0777) == 0;
}

bool createPrivateFolder(std::string_view path) {
    const std::string target = resolvedPath(path);
    if (target.empty() || !createParentFolders(target)) {
        return false;
    }
    if (::mkdir(target.c_str(), 0700) == 0) {
        return true;
    }
    return errno == EEXIST && isFolder(target);
}

bool shellDelete(std::string_view path) {
    const std::string target = resolvedPath(path);
    std::error_code error;
    if (target.empty() || !fs::exists(fs::symlink_status(target, error))) {
        return false;
    }
    fs::remove_all(target, error);
    return !error;
}

bool shellCopy(std::string_view source, std::string_view target) {
    const std::string from = resolvedPath(source);
    const std::optional<struct stat> sourceInfo = from.empty() ? std::nullopt : statOf(from);
    if (!sourceInfo) {
        return false;
    }
    std::string to = resolvedPath(target);
    if (isFolder(to)) {
        to = resolvedPath(joinPath(to, nameOf(from)));
    }
    if (S_ISDIR(sourceInfo->st_mode)) {
        // a folder can never be copied into itself or below itself
        if (isSameOrBelow(to, from) || !createParentFolders(to) || !makeFolderIfMissing(to)) {
            return false;
        }
        return copyFolderContents(from, to);
    }
    return S_ISREG(sourceInfo->st_mode) && createParentFolders(to) && copyFile(from, to);
}

namespace {

// True when the folder holds an entry of exactly this name.
[[nodiscard]] bool listsExactName(const std::string& folder, const std::string& name) {
    DIR* directory = ::opendir(folder.c_str());
    if (directory == nullptr) {
        return false;
    }
    bool found = false;
    while (const dirent* entry = ::readdir(directory)) {
        if (name == entry->d_name) {
            found = true;
            break;
        }
    }
    ::closedir(directory);
    return found;
}

}  // namespace

bool isSameEntry(std::string_view a, std::string_view b) {
    const std::string first = resolvedPath(a);
    const std::string second = resolvedPath(b);
    const std::optional<struct stat> firstInfo = statOf(first);
    const std::optional<struct stat> secondInfo = statOf(second);
    if (!firstInfo || !secondInfo || firstInfo->st_dev != secondInfo->st_dev) {
        return false;
    }
    if (firstInfo->st_ino == secondInfo->st_ino) {
        return true;
    }
    // a drive that ignores case itself (FAT through FUSE) may number one entry differently
    // under each spelling: two spellings in one folder are one entry unless both are listed
    const std::string folder = parentOf(first);
    const std::string firstName = nameOf(first);
    const std::string secondName = nameOf(second);
    return folder == parentOf(second) && equalsIgnoreCase(firstName, secondName) &&
           !(listsExactName(folder, firstName) && listsExactName(folder, secondName));
}

namespace {

// What statfs answers for every file system mounted through FUSE.
constexpr unsigned long kFuseMagic = 0x65735546;

// Some drives mounted through FUSE (FAT through fusefat) empty a folder they rename and
// leave its links as lost clusters, while they rename files well, into other folders too.
// Which driver serves a FUSE mount cannot be told for sure, so on every FUSE drive a
// folder is moved entry by entry.
[[nodiscard]] bool foldersMoveByEntries(const std::string& path) {
    struct statfs info {};
    return isFolder(path) && ::statfs(path.c_str(), &info) == 0 &&
           static_cast<unsigned long>(info.f_type) == kFuseMagic;
}

// Moves everything in one folder into another that exists: each file by a rename of its
// own, each subfolder made anew there, filled the same way and then removed. Every entry
// is tried; false when any of them stayed where it was.
[[nodiscard]] bool moveEntries(const std::string& source, const std::string& target) {
    const std::optional<std::vector<FolderEntry>> entries = entriesOf(source);
    bool allMoved = entries.has_value();
    for (const FolderEntry& entry : entries.value_or(std::vector<FolderEntry>())) {
        const std::string from = joinPath(source, entry.name);
        const std::string to = joinPath(target, entry.name);
        const bool moved = entry.ownType == fs::file_type::directory
                               ? makeFolderIfMissing(to) && moveEntries(from, to) && ::rmdir(from.c_str()) == 0
                               : ::rename(from.c_str(), to.c_str()) == 0;
        allMoved = moved && allMoved;
    }
    return allMoved;
}

// Renames a folder by making the new one and moving its entries into it. When an entry
// cannot be moved, what was moved goes back, so the folder stays whole under its old name.
[[nodiscard]] bool moveFolderByEntries(const std::string& source, const std::string& target) {
    if (::mkdir(target.c_str(), 0777) != 0) {
        return false;
    }
    if (moveEntries(source, target) && ::rmdir(source.c_str()) == 0) {
        return true;
    }
    const int error = errno;
    if (moveEntries(target, source)) {
        static_cast<void>(::rmdir(target.c_str()));
    }
    errno = error;
    return false;
}

// Moves a file, or a folder as its drive lets it be moved without losing what it holds.
[[nodiscard]] bool moveEntry(const std::string& source, const std::string& target) {
    if (foldersMoveByEntries(source)) {
        return moveFolderByEntries(source, target);
    }
    return ::rename(source.c_str(), target.c_str()) == 0;
}

// Gives an entry a new case of its name. Some drives (FAT through FUSE) take the new name
// for another entry and remove it, and the entry with it: the rename goes round a
// temporary name instead, and back when the last step fails.
[[nodiscard]] bool renameCase(const std::string& source, const std::string& target) {
    std::string temporary;
    for (int attempt = 0; temporary.empty() || statOf(temporary); ++attempt) {
        temporary = joinPath(parentOf(target), ".rename." + std::to_string(::getpid()) + "." + std::to_string(attempt));
    }
    if (!moveEntry(source, temporary)) {
        return false;
    }
    if (moveEntry(temporary, target)) {
        return true;
    }
    const int error = errno;
    static_cast<void>(moveEntry(temporary, source));
    errno = error;
    return false;
}

}  // namespace

bool renamePath(std::string_view from, std::string_view to) {
    const std::string source = resolvedPath(from);
    const std::string target = resolvedPath(to);
    if (source.empty() || target.empty()) {
        return false;
    }
    // a change of case only names the same entry and is allowed
    const bool sameEntry = isSameEntry(source, target);
    const std::string finalTarget =
        sameEntry ? joinPath(parentOf(target), nameOf(withoutTrailingSlashes(std::string(to)))) : target;
    if (sameEntry) {
        return source == finalTarget || renameCase(source, finalTarget);
    }
    if (foldersMoveByEntries(source)) {
        return !statOf(finalTarget) && moveFolderByEntries(source, finalTarget);
    }
    if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, finalTarget.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    // FUSE file systems of USB sticks (FAT, exFAT, NTFS) do not know "never replace" and
    // answer EINVAL: the target's absence is checked, then the plain rename is made
    return errno == EINVAL && !statOf(finalTarget) && ::rename(source.c_str(), finalTarget.c_str()) == 0;
}

namespace {

// Reads the plain file that stands for a name in a folder and tells its spelling. The exact
// name, the common case, is opened at once; only a name that is not there has the folder
// listed for another spelling of it.
[[nodiscard]] CopyOutcome readNamedFile(const FolderNames& folder, std::string_view name, std::string& spelling,
                                        std::string& contents) {
    spelling = name;
    // a pipe of the name must not hold the copy up: it is refused below like any file that is not plain
    constexpr int kFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
    int fd = folder.openFile(name, kFlags);
    if (fd < 0 && errno == ENOENT) {
        const std::optional<FolderNames::Entry> entry = folder.find(name);
        if (!entry || entry->isFolder) {
            return CopyOutcome::NoFile;
        }
        spelling = entry->name;
        fd = folder.openFile(spelling, kFlags);
    }
    if (fd < 0) {
        return CopyOutcome::Failed;
    }
    struct stat info {};
    const bool known = ::fstat(fd, &info) == 0;
    const bool read = known && S_ISREG(info.st_mode) && readToEnd(fd, contents);
    ::close(fd);
    if (known && S_ISDIR(info.st_mode)) {
        return CopyOutcome::NoFile;
    }
    return read ? CopyOutcome::Copied : CopyOutcome::Failed;
}

}  // namespace

bool readWholeFile(std::string_view path, std::string& contents) { return readPlainFile(resolvedPath(path), contents); }

CopyOutcome writeFileIn(FolderNames& target, std::string_view name, std::string_view contents) {
    const std::optional<FolderNames::Entry> existing = target.find(name);
    if (existing && existing->isFolder) {
        return CopyOutcome::Failed;
    }
    const std::string_view spelling = existing ? existing->name : name;
    const bool written =
        writeFileAs(target, spelling, !existing, contents) ||
        (!existing && !isFolder(target.folder()) && createParentFolders(joinPath(target.folder(), spelling)) &&
         writeFileAs(target, spelling, true, contents));
    if (written && !existing) {
        target.added(name, false);
    }
    return written ? CopyOutcome::Copied : CopyOutcome::Failed;
}

bool writeFileAs(const FolderNames& folder, std::string_view spelling, bool isNew, std::string_view contents) {
    constexpr auto kFlush = NewFileFlush::WithStep;
    if (isNew && folder.descriptor() >= 0 && createFileAt(folder.descriptor(), spelling, contents, kFlush)) {
        return true;
    }
    return replaceFile(joinPath(folder.folder(), spelling), contents, kFlush);
}

CopyOutcome copyFileBetween(const FolderNames& source, std::string_view name, FolderNames& target) {
    std::string spelling;
    std::string contents;
    const CopyOutcome read = readNamedFile(source, name, spelling, contents);
    return read == CopyOutcome::Copied ? writeFileIn(target, spelling, contents) : read;
}

CopyOutcome copyFileBetween(const FolderNames& source, std::string_view name, FolderNames& target,
                            std::string_view targetName) {
    std::string spelling;
    std::string contents;
    const CopyOutcome read = readNamedFile(source, name, spelling, contents);
    return read == CopyOutcome::Copied ? writeFileIn(target, targetName, contents) : read;
}

bool createFolderIn(FolderNames& parent, std::string_view name) {
    if (parent.find(name) || ::mkdir(joinPath(parent.folder(), name).c_str(), 0777) != 0) {
        return false;
    }
    parent.added(name, true);
    return true;
}

bool readListedFile(const FolderNames& folder, std::string_view name, std::string& contents) {
    // the listing passed pipes over; one put there since then gives no writer to wait for
    const int fd = folder.openFile(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool ok = readToEnd(fd, contents);
    ::close(fd);
    return ok;
}

bool writeWholeFile(std::string_view path, std::string_view contents) {
    const std::string target = resolvedPath(path);
    const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    const bool written = writeAll(fd, contents);
    const bool closed = ::close(fd) == 0;
    return written && closed;
}

}  // namespace platform
