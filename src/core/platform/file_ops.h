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

// What became of the copy of one file.
enum class CopyOutcome { Copied, NoFile, Failed };

// Copies the plain file that stands for a name in one folder (the exact name first, else the
// first other spelling in name order) into another folder, as shellCopy copies a file: under
// the source file's own spelling, or under the target name given, and replacing the file
// that stands for that name there, which keeps its spelling; a missing target folder is
// made. NoFile when the source folder holds no plain file of the name (a folder of the
// name does not count). The folders' names are the caller's and kept current here, so a
// step that copies many files lists each folder at most once. The copy is written as
// writeFileIn writes.
[[nodiscard]] CopyOutcome copyFileBetween(const FolderNames& source, std::string_view name, FolderNames& target);
[[nodiscard]] CopyOutcome copyFileBetween(const FolderNames& source, std::string_view name, FolderNames& target,
                                          std::string_view targetName);

// Writes a file of a name into a folder whose names the caller keeps current, as
// copyFileBetween writes its copy: the file that stands for the name is replaced and keeps
// its spelling; a missing folder is made. A new file is not flushed on its own: a step
// whose files must reach the drive flushes it once at its end (flushDrive).
[[nodiscard]] CopyOutcome writeFileIn(FolderNames& target, std::string_view name, std::string_view contents);

// Writes a file under a spelling the caller has looked up in the folder: a name the folder
// does not hold yet is made there by its name alone, a file that is there is replaced.
// Not flushed on its own, as writeFileIn. False when the file cannot be written.
[[nodiscard]] bool writeFileAs(const FolderNames& folder, std::string_view spelling, bool isNew,
                               std::string_view contents);

// Makes a folder of the name in a folder whose names the caller keeps, unless an entry of
// that name, whatever its case, is there already. True when the folder was made now.
[[nodiscard]] bool createFolderIn(FolderNames& parent, std::string_view name);

// Renames (moves) a file or folder. False when the target exists or the move fails.
[[nodiscard]] bool renamePath(std::string_view from, std::string_view to);

// Reads a whole file into contents; false when it cannot be opened.
[[nodiscard]] bool readWholeFile(std::string_view path, std::string& contents);

// Reads a file whose name came from a listing of its folder, as it is written (no look-up
// without regard to case); false when it cannot be read.
[[nodiscard]] bool readListedFile(const FolderNames& folder, std::string_view name, std::string& contents);

// Writes a whole file (created or truncated). False on any failure.
[[nodiscard]] bool writeWholeFile(std::string_view path, std::string_view contents);

}  // namespace platform
