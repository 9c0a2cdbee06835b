// Feeds arbitrary bytes to the export into a Firefox database as a profile's places.sqlite:
// whatever they hold, the export ends, and unless it says the links were written, the
// database is exactly as it was.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/browsers/places_writer.h"
#include "core/platform/file_ops.h"
#include "scratch_file.h"

namespace {

// The profile folder; the database lies in it.
const ScratchFile& database() {
    static const ScratchFile file("places.sqlite");
    return file;
}

const ScratchFile& keptCopies() {
    static const ScratchFile folder("kept");
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    database().write(bytes);
    const std::string& path = database().path();
    const std::string profile = path.substr(0, path.rfind('/'));
    const browsers::PlacesWrite outcome = browsers::addToBookmarksMenu(
        profile, keptCopies().path(), {{"Fuzzed", "https://fuzzed.example/"}, {"Again", "https://fuzzed.example/"}});
    std::string after;
    if (outcome != browsers::PlacesWrite::Written && (!platform::readWholeFile(path, after) || after != bytes)) {
        __builtin_trap();
    }
    return 0;
}
