#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/store/store_layout.h"

// What the folder tree and the link list read from the disk: the sub folders of a
// store folder with their images, and the links of a folder as list rows.
namespace store {

struct SubfolderEntry {
    std::string name;
    std::string key;  // the folder's store path: the scanned path followed by the name
    int image = kImagePlainFolder;
};

// The sub folders of a folder, skipping names that begin with '.'.
[[nodiscard]] std::vector<SubfolderEntry> scanSubfolders(const std::string& applicationFolder,
                                                         const std::string& folderPath);

struct LinkRow {
    std::string name;                     // the link name, or the whole file name in the import and export lists
    std::string target;                   // the "URL" value, empty when the file has none
    std::string fullPath;                 // the file's full path: how every command finds the row's file
    std::optional<std::string> fileText;  // the file's bytes as read, when kept and it could be read
};

enum class RowText { LinkName, FileName };
// Whether each row keeps its file's bytes (for a step that copies the listed files next).
enum class FileTexts { Drop, Keep };

// The links of a folder, in no particular order (the list orders its
// rows): every "*.url" entry except a plain folder and names ending in '.'. The callback
// runs once per entry (the windows let pending events run there).
[[nodiscard]] std::vector<LinkRow> listLinks(const std::string& folderPath, RowText rowText,
                                             FileTexts fileTexts = FileTexts::Drop,
                                             const std::function<void()>& onEachEntry = {});

}  // namespace store
