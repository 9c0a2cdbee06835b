// Feeds arbitrary bytes to the Firefox database reader as a profile's places.sqlite: whatever
// they hold, the reader ends, every name fits its field, and the copy it read is gone.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "core/browsers/firefox_places.h"
#include "scratch_file.h"

namespace {

const ScratchFile& database() {
    static const ScratchFile file("places.sqlite");
    return file;
}

// The scratch folder the reader copies the database into; it makes the folder itself.
const ScratchFile& scratch() {
    static const ScratchFile folder("temp");
    return folder;
}

[[nodiscard]] bool holdsAnything(const std::string& folder) {
    std::error_code error;
    return std::filesystem::directory_iterator(folder, error) != std::filesystem::directory_iterator();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    database().write(std::string_view(reinterpret_cast<const char*>(data), size));
    browsers::LinkTable table;
    static_cast<void>(browsers::readPlacesDatabase(database().path(), scratch().path(), table));
    if (holdsAnything(scratch().path())) {
        __builtin_trap();
    }
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table.at(i).name.size() > 4 * browsers::LinkTable::kNameFieldLength) {
            __builtin_trap();
        }
    }
    return 0;
}
