#pragma once

#include <string>
#include <string_view>

// Reading and writing files at paths taken as they are written, and open files: what the file
// routines and the safe replacement of a file are both built on.
namespace platform {

// Writes all of contents to an open file, going on after short and interrupted writes.
// False when a write fails.
[[nodiscard]] bool writeAll(int descriptor, std::string_view contents);

// Reads an open file to its end. False when a read fails.
[[nodiscard]] bool readToEnd(int fd, std::string& contents);

// Reads a plain file at a path taken as it is written; false for anything but a plain file.
[[nodiscard]] bool readPlainFile(const std::string& path, std::string& contents);

}  // namespace platform
