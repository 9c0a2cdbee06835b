#pragma once

#include <string>
#include <string_view>

// File operations as the Windows shell does them: no questions, no recycle bin,
// success as a Boolean, never an exception.
namespace platform {

class FolderNames;

// Creates one folder (its parent must exist) with the case given for its name; the
// parent is found without regard to case. True when the folder was made now.
[[nodiscard]] bool createFolder(std::string_view path);

// Creates a folder only its owner may enter (mode 0700), with any missing parents. True
// when it is a folder afterwards, new or not.
[[nodiscard]] bool createPrivateFolder(std::string_view path);

// Deletes a file, or a folder with everything in it, for good. False when nothing was
// there or anything could not be removed.
[[nodiscard]] bool shellDelete(std::string_view path);

// Copies a file or a folder (with its contents) to a target: into the target when it is
// an existing folder, else under the target's name. What is there is replaced.
// Missing folders of the target are created.
[[nodiscard]] bool shellCopy(std::string_view source, std::string_view target);

// True when both paths name one existing file or folder, whatever case they are written in.
[[nodiscard]] bool isSameEntry(std::string_view a, std::string_view b);

// Copies a plain file into a folder under a name, as shellCopy copies a file: the file of
// that name, whatever its case, is replaced and keeps its spelling; a missing folder is
// made. The source path is taken as it is written. The folder's names are the caller's and
// kept current here, so a step that copies many files into one folder lists it only once.
[[nodiscard]] bool copyFileInto(const std::string& sourceFile, FolderNames& target, std::string_view name);

// Makes a folder of the name in a folder whose names the caller keeps, unless an entry of
// that name, whatever its case, is there already. True when the folder was made now.
[[nodiscard]] bool createFolderIn(FolderNames& parent, std::string_view name);

// Renames (moves) a file or folder. False when the target exists or the move fails.
[[nodiscard]] bool renamePath(std::string_view from, std::string_view to);

// Reads a whole file into contents; false when it cannot be opened.
[[nodiscard]] bool readWholeFile(std::string_view path, std::string& contents);

// Reads a plain file whose path came from a listing of its folder, as it is written (no
// look-up without regard to case); false when it cannot be read.
[[nodiscard]] bool readListedFile(const std::string& path, std::string& contents);

// Writes a whole file (created or truncated). False on any failure.
[[nodiscard]] bool writeWholeFile(std::string_view path, std::string_view contents);

// Writes all of contents to an open file, going on after short and interrupted writes.
// False when a write fails.
[[nodiscard]] bool writeAll(int descriptor, std::string_view contents);

}  // namespace platform
