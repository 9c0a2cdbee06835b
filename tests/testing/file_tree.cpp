#include "testing/file_tree.h"

#include <algorithm>
#include <filesystem>

#include "testing/temp_folder.h"

namespace testing_support {

std::vector<std::string> treeOf(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<std::string> entries;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        const std::string relative = fs::relative(entry.path(), folder).string();
        entries.push_back(entry.is_directory() ? relative + "/" : relative + "=" + readFile(entry.path().string()));
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

}  // namespace testing_support
