#pragma once

#include <optional>
#include <string>
#include <string_view>

// Saving the link a user typed in the add and edit dialogs. A save never loses a link:
// a new file is written whole before anything is removed, and a file that is replaced
// gets its new contents beside it first.
namespace store {

// Why a link could not be saved, in plain words for the user; empty when it was saved.
using SaveFailure = std::optional<std::string>;

// A typed name or target without its leading and trailing spaces; tabs and line ends stay.
[[nodiscard]] std::string trimSpaces(std::string_view text);

// True when a typed name is one Windows refuses for the link's file: the link is written to
// the stick as it is named, and a stick is read on Windows PCs too.
[[nodiscard]] bool isRefusedName(std::string_view name);

// The file an edited link is saved to: the folder, '/' and the name, plus ".url" unless
// the whole path (the folder included) already holds ".url", in any case.
[[nodiscard]] std::string editedLinkPath(std::string_view folder, std::string_view name);

// True when the new path names an existing file (hidden ones and any case included) that
// is not the link being edited: saving there replaces another link.
[[nodiscard]] bool namesAnotherLink(std::string_view oldPath, std::string_view newPath);

// True when a file of the path exists, hidden ones and any case included: adding a link
// there replaces it.
[[nodiscard]] bool linkFileExists(std::string_view path);

// Writes a link file, or replaces the file of that name (found in any case) with it.
[[nodiscard]] SaveFailure saveNewLink(std::string_view path, std::string_view target);

// Saves an edited link under its new path. The same file is rewritten in place (and
// renamed when only the case of its name changed); a different path gets the new file,
// and only once that is written is the old one deleted. An old file that is gone already
// is no failure. When the new file cannot be written, the old one is left as it was.
[[nodiscard]] SaveFailure replaceLink(std::string_view oldPath, std::string_view newPath, std::string_view target);

}  // namespace store
