// Feeds arbitrary bytes to the Internet Shortcut reader as a link file, and to the name
// rules as a file name. A plain target written must read back unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/store/shortcut.h"
#include "scratch_file.h"

namespace {

const ScratchFile& scratch() {
    static const ScratchFile file("fuzz.url");
    return file;
}

// A target the reader gives back as written: one line, no blanks at its ends, no quotes
// around it.
bool isPlainTarget(std::string_view target) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\v'; };
    return !target.empty() && target.find_first_of("\r\n") == std::string_view::npos && !isBlank(target.front()) &&
           !isBlank(target.back()) && target.front() != '"' && target.front() != '\'';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string& file = scratch().path();
    scratch().write(input);
    const std::string target = store::readLinkTarget(file);

    const std::string linkName = store::linkNameOf(input);
    if (linkName.size() > input.size() || input.substr(0, linkName.size()) != linkName) {
        std::abort();
    }
    const std::string fileName = store::fileNameForTypedName(input);
    if (fileName.substr(0, input.size()) != input) {
        std::abort();
    }

    if (isPlainTarget(input)) {
        if (!store::writeLink(file, input) || store::readLinkTarget(file) != input) {
            std::abort();
        }
    }
    return 0;
}
