#include "core/platform/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <future>
#include <string>

#include "core/platform/plain_files.h"
#include "core/platform/spare_core.h"

namespace platform {
namespace {

// Writes, flushes to the drive when asked and closes; the descriptor is closed whatever happens.
[[nodiscard]] bool writeAndClose(int descriptor, std::string_view contents, NewFileFlush flush) {
    const bool written =
        writeAll(descriptor, contents) && (flush == NewFileFlush::WithStep || ::fsync(descriptor) == 0);
    const bool closed = ::close(descriptor) == 0;
    return written && closed;
}

constexpr int kNewFileFlags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;

[[nodiscard]] int openNewFile(const std::string& path) { return ::open(path.c_str(), kNewFileFlags, 0666); }

// A new file has nothing to lose, so it is written in place; a descriptor of -1 means that
// no file could be made.
[[nodiscard]] bool writeNewFile(int descriptor, const std::string& path, std::string_view contents,
                                NewFileFlush flush) {
    if (descriptor < 0) {
        return false;
    }
    if (!writeAndClose(descriptor, contents, flush)) {
        ::unlink(path.c_str());
        return false;
    }
    return true;
}

// Gives the new file the old one's permissions. A drive that has none (FAT and exFAT,
// mounted through FUSE or not) refuses or does not know the call: there is nothing to keep.
[[nodiscard]] bool keepMode(int descriptor, mode_t mode) {
    return ::fchmod(descriptor, mode & 07777) == 0 || errno == ENOSYS || errno == ENOTSUP || errno == EPERM;
}

// True when the file holds exactly these bytes. It is read in pieces, each compared as it comes:
// no copy of a large file is made in memory.
[[nodiscard]] bool holdsExactly(const std::string& path, std::string_view contents) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    std::array<char, 65536> piece{};
    bool same = true;
    for (ssize_t count = 1; same && count != 0;) {
        count = ::read(descriptor, piece.data(), piece.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        const auto size = static_cast<std::size_t>(count);
        same =
            count >= 0 && size <= contents.size() && contents.substr(0, size) == std::string_view(piece.data(), size);
        contents.remove_prefix(same ? size : 0);
    }
    ::close(descriptor);
    return same && contents.empty();
}

using Check = std::function<bool()>;

// Without a check, the new file is only written; with one, it is also read back, and the check
// runs meanwhile on this thread.
[[nodiscard]] bool replaceExisting(const std::string& path, mode_t mode, std::string_view contents,
                                   const Check& check = {}) {
    const std::filesystem::path target(path);
    // a dot name keeps the half-written file out of the store's listings; a short one keeps
    // it within the file system's name length when the file's own name is near the limit
    std::string pattern = (target.parent_path() / ".replace.XXXXXX").string();
    const int descriptor = ::mkstemp(pattern.data());
    if (descriptor < 0) {
        return false;
    }
    const bool permitted = keepMode(descriptor, mode);
    std::future<bool> writing = std::async(check ? kOnSpareCore : std::launch::deferred, [&] {
        return writeAndClose(descriptor, contents, NewFileFlush::Now) && (!check || holdsExactly(pattern, contents));
    });
    const bool accepted = !check || check();
    if (!writing.get() || !permitted || !accepted || ::rename(pattern.c_str(), path.c_str()) != 0) {
        ::unlink(pattern.c_str());
        return false;
    }
    return true;
}

// The file a path stands for: a link is replaced in its target, not turned into a file.
[[nodiscard]] std::string followLinks(const std::string& path) {
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::canonical(path, error);
    return error ? path : canonical.string();
}

}  // namespace

bool replaceFile(std::string_view path, std::string_view contents, NewFileFlush flush) {
    // a new file, the common case, is made at once; only a name that is taken needs a closer look
    const std::string given(path);
    const int descriptor = openNewFile(given);
    if (descriptor >= 0 || errno != EEXIST) {
        return writeNewFile(descriptor, given, contents, flush);
    }
    const std::string file = followLinks(given);
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) {
        return errno == ENOENT && writeNewFile(openNewFile(file), file, contents, flush);
    }
    // a file the user may not write is refused, though its folder would allow the rename
    if (!S_ISREG(status.st_mode) || ::access(file.c_str(), W_OK) != 0) {
        return false;
    }
    return replaceExisting(file, status.st_mode, contents);
}

bool replaceFileChecked(std::string_view path, std::string_view contents, const Check& check) {
    const std::string file = followLinks(std::string(path));
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) {
        return errno == ENOENT && replaceExisting(file, S_IRUSR | S_IWUSR, contents, check);
    }
    if (!S_ISREG(status.st_mode) || ::access(file.c_str(), W_OK) != 0) {
        return false;
    }
    return replaceExisting(file, status.st_mode, contents, check);
}

bool createFileAt(int folderDescriptor, std::string_view name, std::string_view contents, NewFileFlush flush) {
    const std::string file(name);
    const int descriptor = ::openat(folderDescriptor, file.c_str(), kNewFileFlags, 0666);
    if (descriptor < 0) {
        return false;
    }
    if (!writeAndClose(descriptor, contents, flush)) {
        ::unlinkat(folderDescriptor, file.c_str(), 0);
        return false;
    }
    return true;
}

bool flushDrive(std::string_view folder) {
    const int descriptor = ::open(std::string(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    const bool flushed = ::syncfs(descriptor) == 0;
    return ::close(descriptor) == 0 && flushed;
}

}  // namespace platform
