#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/platform/text_library.h"

// Any file may be named like a text library: parsing it and asking it for texts must
// never read outside it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view image(reinterpret_cast<const char*>(data), size);
    const platform::TextLibrary library = platform::TextLibrary::fromImage(image);
    if (!library.isLoaded()) {
        return 0;
    }
    for (std::uint32_t id = 0; id < 1024; ++id) {
        static_cast<void>(library.loadString(static_cast<std::uint16_t>(id)));
    }
    static_cast<void>(library.loadString(65535));
    return 0;
}
