#include "core/platform/plain_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace platform {

bool writeAll(int descriptor, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t written = ::write(descriptor, contents.data(), contents.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Reads an open file to its end. A read that returns less than was asked for ends a plain
// file, which saves the last empty read when many small files are read.
bool readToEnd(int fd, std::string& contents) {
    std::string read;
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return false;
        }
        read.append(buffer, static_cast<std::size_t>(count));
        if (static_cast<std::size_t>(count) < sizeof buffer) {
            break;
        }
    }
    contents = std::move(read);
    return true;
}

// Reads a plain file at a path taken as it is written. A pipe of the name must not hold the
// program up: it is opened without waiting for a writer, and refused below.
bool readPlainFile(const std::string& path, std::string& contents) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    const bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && readToEnd(fd, contents);
    ::close(fd);
    return ok;
}

}  // namespace platform
