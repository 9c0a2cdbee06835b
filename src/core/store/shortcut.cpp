#include "core/store/shortcut.h"

#include "core/app/settings.h"
#include "core/platform/ascii.h"
#include "core/platform/file_ops.h"
#include "core/platform/ini_file.h"
#include "core/platform/paths.h"

namespace store {
namespace {

constexpr std::string_view kSection = "InternetShortcut";
constexpr std::string_view kUrlKey = "URL";
constexpr std::string_view kExtension = ".url";

}  // namespace

std::string linkFileText(std::string_view target) {
    return "[" + std::string(kSection) + "]\r\n" + std::string(kUrlKey) + "=" + std::string(target) + "\r\n";
}

bool writeLink(std::string_view path, std::string_view target) {
    return platform::writeWholeFile(platform::resolvePath(path), linkFileText(target));
}

std::string readLinkTarget(std::string_view path) { return app::readValue(kSection, kUrlKey, "", path); }

std::string linkTargetFromText(std::string_view fileText) {
    return platform::findProfileValue(fileText, kSection, kUrlKey).value_or("");
}

std::string linkNameOf(std::string_view fileName) {
    const std::size_t extension = platform::toLowerAscii(fileName).rfind(kExtension);
    return std::string(extension == std::string::npos ? fileName : fileName.substr(0, extension));
}

std::string fileNameForTypedName(std::string_view name) {
    if (platform::toLowerAscii(name).find(kExtension) != std::string::npos) {
        return std::string(name);
    }
    return std::string(name) + std::string(kExtension);
}

}  // namespace store
