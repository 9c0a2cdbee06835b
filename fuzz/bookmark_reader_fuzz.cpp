// Feeds arbitrary bytes to the bookmark reader as the text of a bookmark file, and stages
// what it reads as Internet Shortcut files.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "core/browsers/bookmark_reader.h"
#include "scratch_file.h"

namespace {

// Writing files is slow next to reading: only small tables are staged.
constexpr std::size_t kMostLinksStaged = 16;

// The staging folder, alone in a scratch folder of its own.
const ScratchFile& staging() {
    static const ScratchFile folder("staging");
    static const bool made = std::filesystem::create_directory(folder.path());
    static_cast<void>(made);
    return folder;
}

void checkLinks(const browsers::LinkTable& table) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        const browsers::Link link = table.at(i);
        // Every name fits its field, and every URL stops before its first '>'.
        if (link.name.size() > 4 * browsers::LinkTable::kNameFieldLength ||
            link.url.find('>') != std::string_view::npos) {
            __builtin_trap();
        }
    }
}

// Every staged file is a shortcut file right inside the staging folder, and nothing is
// written beside it; the folder is emptied for the next input.
void checkStaged(const browsers::LinkTable& table) {
    namespace fs = std::filesystem;
    const fs::path folder = staging().path();
    browsers::createURLFile(table, folder.string());
    for (const fs::directory_entry& entry : fs::directory_iterator(folder.parent_path())) {
        if (entry.path() != folder) {
            __builtin_trap();
        }
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file() || entry.path().extension() != ".url") {
            __builtin_trap();
        }
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    fs::create_directory(folder, ignored);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    browsers::LinkTable table;
    browsers::extractFURL(text, table);
    checkLinks(table);
    if (table.size() <= kMostLinksStaged) {
        checkStaged(table);
    }
    return 0;
}
