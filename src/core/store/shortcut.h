#pragma once

#include <string>
#include <string_view>

// Internet Shortcut files: every link of the store is one small INI file whose name is
// the link's name plus ".url" and whose [InternetShortcut] URL= line is its target.
namespace store {

// The exact bytes of a link file: "[InternetShortcut]", CR LF, "URL=" and the target as
// given (never escaped or checked), CR LF.
[[nodiscard]] std::string linkFileText(std::string_view target);

// Writes the link file, creating it or replacing all an existing file held (other keys a
// browser wrote are dropped). False when the file cannot be written.
[[nodiscard]] bool writeLink(std::string_view path, std::string_view target);

// The URL of [InternetShortcut], whatever its length; empty when the file, the section or
// the key is missing.
[[nodiscard]] std::string readLinkTarget(std::string_view path);

// The URL of [InternetShortcut] in the text of a link file that was read already.
[[nodiscard]] std::string linkTargetFromText(std::string_view fileText);

// The link name shown for a file: the name before its last ".url" (any case), the whole
// name when it has none. "Page.url.url" shows as "Page.url".
[[nodiscard]] std::string linkNameOf(std::string_view fileName);

// The file name for a name the user typed: the name plus ".url", or the name alone when it
// already holds ".url" anywhere (any case), so "Page.URL" and "my.url.backup" stay as typed.
[[nodiscard]] std::string fileNameForTypedName(std::string_view name);

}  // namespace store
