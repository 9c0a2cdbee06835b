#include "core/store/folder_scan.h"

#include "core/platform/file_listing.h"
#include "core/platform/file_ops.h"
#include "core/platform/folder_names.h"
#include "core/platform/paths.h"
#include "core/store/shortcut.h"

namespace store {

std::vector<SubfolderEntry> scanSubfolders(const std::string& applicationFolder, const std::string& folderPath) {
    std::vector<SubfolderEntry> folders;
    const std::string folder = platform::withTrailingSlash(folderPath);
    for (const platform::FindEntry& entry : platform::listSubfolders(folder)) {
        if (entry.name.starts_with('.')) {
            continue;
        }
        std::string key = folder + entry.name;
        const int image = folderImage(applicationFolder, key);
        folders.push_back({entry.name, std::move(key), image});
    }
    return folders;
}

std::vector<LinkRow> listLinks(const std::string& folderPath, RowText rowText, FileTexts fileTexts,
                               const std::function<void()>& onEachEntry) {
    std::vector<LinkRow> rows;
    const platform::FolderNames listed(folderPath);
    const std::string folder = platform::withTrailingSlash(listed.folder());
    // a folder shows as a row only when it carries some other attribute too
    for (std::string& name : platform::listShownFiles(folder, "*.url")) {
        if (onEachEntry) {
            onEachEntry();
        }
        // "." and ".." among them
        if (name.ends_with('.')) {
            continue;
        }
        std::optional<std::string> fileText(std::in_place);
        // the listing gave the name as it is on disk: the file is read as it stands
        if (!platform::readListedFile(listed, name, *fileText)) {
            fileText.reset();
        }
        std::string target = fileText ? linkTargetFromText(*fileText) : "";
        if (fileTexts == FileTexts::Drop) {
            fileText.reset();
        }
        std::string fullPath = folder + name;
        std::string text = rowText == RowText::LinkName ? linkNameOf(name) : std::move(name);
        rows.push_back({std::move(text), std::move(target), std::move(fullPath), std::move(fileText)});
    }
    return rows;
}

}  // namespace store
