#include "testing/store_builder.h"

#include "testing/temp_folder.h"

namespace testing_support {

std::string shortcutBytes(std::string_view target) {
    return "[InternetShortcut]\r\nURL=" + std::string(target) + "\r\n";
}

void writeLink(const std::string& folder, std::string_view name, std::string_view target) {
    writeFile(folder + "/" + std::string(name) + ".url", shortcutBytes(target));
}

}  // namespace testing_support
