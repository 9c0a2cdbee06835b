#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Folder listing by a Windows file pattern, as FindFirstFile/FindNextFile give it.
namespace platform {

inline constexpr std::uint32_t kAttrReadOnly = 0x01;
inline constexpr std::uint32_t kAttrHidden = 0x02;
inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrArchive = 0x20;

struct FindEntry {
    std::string name;
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
};

// True when a file name matches a Windows pattern: '*' any run, '?' one character,
// without regard to case; "*.*" and "*" match every name, also names without a dot.
[[nodiscard]] bool matchesPattern(std::string_view name, std::string_view pattern);

// Lists the entries of a folder whose names match the pattern, in case-insensitive
// name order. "." and ".." are yielded for patterns that match them, as Windows does.
// A folder that cannot be read yields nothing. The folder is resolved case-insensitively.
[[nodiscard]] std::vector<FindEntry> listFolder(std::string_view folder, std::string_view pattern);

// The folders of a folder, links to folders among them, without "." and "..", in the same
// order and with the same attributes as listFolder gives them. The listing itself tells
// which entries are plain files, so a folder of many links costs no look at each of them.
[[nodiscard]] std::vector<FindEntry> listSubfolders(std::string_view folder);

// The names of the entries of a folder that match the pattern and that a list of the
// folder's files shows, in no particular order: every entry but a folder that carries no
// attribute besides being one. The listing alone tells a plain file, so a folder of many
// files costs no look at each of them.
[[nodiscard]] std::vector<std::string> listShownFiles(std::string_view folder, std::string_view pattern);

// The attributes of a path (resolved case-insensitively), or nothing when it is absent.
[[nodiscard]] std::optional<std::uint32_t> fileAttributes(std::string_view path);

// True when a plain file (not a folder) exists at the path.
[[nodiscard]] bool fileExists(std::string_view path);

// True when a folder exists at the path.
[[nodiscard]] bool folderExists(std::string_view path);

}  // namespace platform
