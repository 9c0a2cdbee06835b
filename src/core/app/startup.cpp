#include "core/app/startup.h"

#include "core/app/settings.h"
#include "core/app/text_libraries.h"
#include "core/platform/file_listing.h"
#include "core/platform/os_probe.h"
#include "core/platform/paths.h"

namespace app {

std::optional<std::string> prepareStartup(AppContext& context) {
    (void)ensureSettingsFile(context.applicationFolder);
    context.language = readLanguage(context.settingsFile());
    context.charset = readCharset(context.settingsFile());
    if (context.language.empty()) {
        return kNoLanguageMessage;
    }
    if (!platform::fileExists(languageLibraryFile(context))) {
        return kNoLanguageFileMessage;
    }
    if (context.charset.empty()) {
        return kNoCharsetMessage;
    }
    loadSupplementaryLibrary(context);
    loadLanguageLibrary(context);
    context.ownerName = readOwnerName(context.applicationFolder);
    return std::nullopt;
}

std::string readOwnerName(const std::string& applicationFolder) {
    const std::string ownerInfo =
        platform::joinPath(platform::driveRootOf(applicationFolder), "Program/Bin/OwnerInfo.ini");
    return readValue("OwnerInfo", "Name", "User", ownerInfo);
}

void probeSkinning(AppContext& context) {
    platform::OsVersionRecord record;
    (void)platform::probeOs(record);
    context.osCode = record.osCode;
    // Only Windows 2000 and XP-class systems would hand their windows to a skin engine, and
    // this build has none: the windows keep their plain look.
    context.skinningEnabled = false;
}

}  // namespace app
