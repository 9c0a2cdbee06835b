#pragma once

#include <optional>
#include <string>

#include "core/app/app_context.h"

// The start-up procedure's steps that come before any window, and the matching
// shutdown of the text libraries. A step that stops start-up gives the fixed English
// message the user sees (title "Error", critical icon); the program then ends.
namespace app {

inline constexpr const char* kAlreadyRunningMessage =
    "Application already found running on the system. It may be running on the background. Please make sure "
    "you close the application before launching another instance again.";
inline constexpr const char* kNoLanguageMessage =
    "Fail to determine language id. Setting.ini file may be missing or corrupted. Operation aborted.";
inline constexpr const char* kNoLanguageFileMessage =
    "The language file required may be missing or corrupted. Operation aborted.";
inline constexpr const char* kNoCharsetMessage =
    "Fail to determine character set to be used. Setting.ini file may be missing or corrupted. Operation aborted.";
inline constexpr const char* kStartupErrorTitle = "Error";

// Makes sure setting.ini exists, reads Language and Charset, checks them, loads both
// text libraries and reads the owner name. Returns the message that stops start-up,
// or nothing when the program may go on to its windows.
[[nodiscard]] std::optional<std::string> prepareStartup(AppContext& context);

// The owner name of the drive that holds the application folder: key "Name" of section
// "OwnerInfo" in <drive root>/Program/Bin/OwnerInfo.ini, "User" when absent.
[[nodiscard]] std::string readOwnerName(const std::string& applicationFolder);

// Classifies the running system and decides whether the skin engine would be used.
// No skin engine exists on this platform, so a skin is never applied.
void probeSkinning(AppContext& context);

}  // namespace app
