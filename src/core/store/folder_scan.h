#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

// What the folder tree and the link list read from the disk: the sub folders of a
// store folder with their images, and the links of a folder as list rows.
namespace store {

// Tree images, by index: a plain folder, then one mark per browser.
inline constexpr int kImagePlainFolder = 1;
inline constexpr int kImageInternetExplorer = 2;
inline constexpr int kImageFirefox = 3;
inline constexpr int kImageMozilla = 4;
inline constexpr int kImageNetscape = 5;

// The image of a folder: its path below <application folder>/Favorites/ tells the browser
// whose top folder holds it; any other folder is a plain one.
[[nodiscard]] int folderImage(const std::string& applicationFolder, const std::string& folderPath);

// The folder every tree key below the root starts with: <application folder>/Favorites/.
[[nodiscard]] std::string storeKeyRoot(const std::string& applicationFolder);

struct SubfolderEntry {
    std::string name;
    std::string key;  // the folder's store path: the scanned path followed by the name
    int image = kImagePlainFolder;
};

// The sub folders of a folder (path ends in '/'), skipping names that begin with '.'.
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

// The links of a folder (path ends in '/'), in no particular order (the list orders its
// rows): every "*.url" entry except a plain folder and names ending in '.'. The callback
// runs once per entry (the windows let pending events run there).
[[nodiscard]] std::vector<LinkRow> listLinks(const std::string& folderPath, RowText rowText,
                                             FileTexts fileTexts = FileTexts::Drop,
                                             const std::function<void()>& onEachEntry = {});

}  // namespace store
