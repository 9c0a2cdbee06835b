#pragma once

#include <functional>
#include <string_view>

namespace platform {

// Gives a file new contents without ever leaving it half written: the contents go into a
// new file beside it, which is then renamed over the old one, so a write that fails (a
// full or read-only drive) leaves the old file exactly as it was. A file that does not
// exist yet is created. The file keeps its permissions; a link is followed to its target.
// False when the file exists but may not be written, or when any step fails.
//
// A file that takes an old one's place is on the drive before the rename: the old
// contents are gone after it. A new file has nothing to lose: it is flushed before the
// call returns, or, in a step that writes many files, with the others at the end of the
// step (flushDrive), one flush for all rather than one a file.
enum class NewFileFlush { Now, WithStep };
[[nodiscard]] bool replaceFile(std::string_view path, std::string_view contents,
                               NewFileFlush flush = NewFileFlush::Now);

// As replaceFile, also for a file that does not exist yet, but the new file is read back
// from the drive before it takes the old one's place, and takes it only when it holds the
// contents exactly and check accepts them. The check runs on the calling thread while the
// file is written on another core. A new file is open to the user alone.
[[nodiscard]] bool replaceFileChecked(std::string_view path, std::string_view contents,
                                      const std::function<bool()>& check);

// Makes a file of a name not taken yet in a folder held open (folderDescriptor), as
// replaceFile makes a new file. False when the name is taken or the file cannot be written;
// nothing is left of a file that could not be written.
[[nodiscard]] bool createFileAt(int folderDescriptor, std::string_view name, std::string_view contents,
                                NewFileFlush flush);

// Puts everything written to the drive that holds a folder onto it. False when the folder
// cannot be opened or the drive reports a failure.
[[nodiscard]] bool flushDrive(std::string_view folder);

}  // namespace platform
