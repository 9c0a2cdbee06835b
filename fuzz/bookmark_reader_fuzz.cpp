// Feeds arbitrary bytes to the bookmark reader as the text of a bookmark file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "browsers/bookmark_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    browsers::LinkTable table;
    browsers::extractFURL(text, table);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const browsers::Link link = table.at(i);
        // Every name fits its field, and every URL stops before its first '>'.
        if (link.name.size() > 4 * browsers::LinkTable::kNameFieldLength ||
            link.url.find('>') != std::string_view::npos) {
            __builtin_trap();
        }
    }
    return 0;
}
