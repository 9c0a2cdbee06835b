// Feeds arbitrary bytes to the INI reader and writer as the contents of an INI file.
// Besides not crashing, a value written must read back unchanged.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/platform/ini_file.h"
#include "scratch_file.h"

namespace {

const ScratchFile& scratch() {
    static const ScratchFile file("fuzz.ini");
    return file;
}

// A name the reader can always find again: letters only, never empty.
std::string nameFrom(std::string_view bytes) {
    std::string name = "N";
    for (const char c : bytes.substr(0, 8)) {
        name += static_cast<char>('a' + static_cast<unsigned char>(c) % 26);
    }
    return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string& file = scratch().path();
    scratch().write(input);

    // names that may be in the file: the first line inside its brackets, the second before its '='
    const std::size_t firstEnd = std::min(input.find_first_of("\r\n"), input.size());
    const std::string_view header = input.substr(0, firstEnd);
    const std::string_view section = header.substr(header.empty() ? 0 : 1, header.find(']') - 1);
    const std::string_view secondLine = input.substr(std::min(firstEnd + 1, input.size()));
    const std::string_view key = secondLine.substr(0, secondLine.find_first_of("=\r\n"));
    // a smaller buffer holds the start of what a larger one holds, and never fills its last place
    const std::string whole = platform::getProfileString(section, key, " default ", 4096, file).value;
    for (const std::size_t bufferSize : {0, 1, 2, 7, 256}) {
        const platform::ProfileRead read = platform::getProfileString(section, key, " default ", bufferSize, file);
        if (read.copied != read.value.size() || read.value.size() >= std::max<std::size_t>(bufferSize, 1) ||
            !whole.starts_with(read.value)) {
            std::abort();
        }
        (void)platform::getProfileString("Setting", "Language", "", bufferSize, file);
    }

    // names drawn from the input: often new, sometimes already in the file
    const std::string newSection = size % 3 == 0 ? std::string("Setting") : nameFrom(input);
    const std::string newKey = size % 2 == 0 ? std::string("Language") : nameFrom(input.substr(size / 2));
    const std::string value = "v" + std::to_string(size);
    if (!platform::writeProfileString(newSection, newKey, value, file)) {
        std::abort();
    }
    if (platform::getProfileString(newSection, newKey, "", 256, file).value != value) {
        std::abort();
    }
    return 0;
}
