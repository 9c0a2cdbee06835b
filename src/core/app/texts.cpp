#include "core/app/texts.h"

#include <algorithm>
#include <cstdint>

#include "core/platform/ascii.h"

namespace app {
namespace {

bool isContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// The text up to its first NUL and at most maxCharacters UTF-8 characters long.
std::string cutText(std::string text, std::size_t maxCharacters) {
    text.resize(std::min(text.find('\0'), text.size()));
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isContinuationByte(text[i]) && ++characters > maxCharacters) {
            text.resize(i);
            break;
        }
    }
    return text;
}

}  // namespace

std::string fetchText(const platform::TextLibrary& library, int id) {
    if (!library.isLoaded()) {
        return {};
    }
    return cutText(library.loadString(static_cast<std::uint16_t>(id & 0xFFFF)), kMaxTextLength);
}

std::string languageText(const AppContext& context, int id) { return fetchText(context.languageLibrary, id); }

std::string supplementaryText(const AppContext& context, int id) { return fetchText(context.supplementaryLibrary, id); }

std::string replaceIgnoringCase(std::string_view text, std::string_view placeholder, std::string_view replacement) {
    if (placeholder.empty()) {
        return std::string(text);
    }
    // placeholders are plain ASCII, so folding ASCII letters is all a comparison needs
    const std::string foldedText = platform::toLowerAscii(text);
    const std::string foldedPlaceholder = platform::toLowerAscii(placeholder);
    std::string result;
    std::size_t from = 0;
    for (std::size_t at = foldedText.find(foldedPlaceholder); at != std::string::npos;
         at = foldedText.find(foldedPlaceholder, from)) {
        result.append(text.substr(from, at - from));
        result.append(replacement);
        from = at + placeholder.size();
    }
    result.append(text.substr(from));
    return result;
}

std::string withProductName(std::string_view text) {
    return replaceIgnoringCase(text, "%s", programString(kProductNameId));
}

std::string withOwnerName(std::string_view text, std::string_view ownerName) {
    return replaceIgnoringCase(text, "%username", ownerName);
}

std::string programString(int id) {
    switch (id) {
        case kEditionCodeId:
            return "LE";
        case kProductNameId:
            return "Dorvane Lite";
        case kSupportPageId:
            return std::string(kMakerSite) + "/support/";
        case kUpdateCheckId:
            return std::string(kMakerSite) + "/support/checkupdates.php";
        case kSoftwarePageId:
            return std::string(kMakerSite) + "/support/software.html";
        default:
            return {};
    }
}

}  // namespace app
