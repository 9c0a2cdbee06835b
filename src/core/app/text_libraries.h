#pragma once

#include <string>

#include "core/app/app_context.h"

// The two text libraries of the chosen language are never used where they lie: each is
// copied to the scratch folder and the copy is loaded, so that the drive can be removed
// while the program runs. Unloading frees the library and deletes its copy.
namespace app {

// <application folder>/langfile<Language>.dll
[[nodiscard]] std::string languageLibraryFile(const AppContext& context);
// <application folder>/lic<Language>.dll
[[nodiscard]] std::string supplementaryLibraryFile(const AppContext& context);
// <scratch folder>/dv_langfile<Language>.dll
[[nodiscard]] std::string languageLibraryCopy(const AppContext& context);
// <scratch folder>/dvlic_<Language>.dll
[[nodiscard]] std::string supplementaryLibraryCopy(const AppContext& context);

// Creates the product-family folder and the scratch folder when missing, replaces any
// earlier copy with a fresh one and loads it. Every failure is ignored: a library that
// could not be copied or read stays unloaded, and its texts are empty.
void loadLanguageLibrary(AppContext& context);
void loadSupplementaryLibrary(AppContext& context);

// Frees the library and deletes its copy when there is one.
void unloadLanguageLibrary(AppContext& context);
void unloadSupplementaryLibrary(AppContext& context);

}  // namespace app
