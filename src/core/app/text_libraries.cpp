#include "core/app/text_libraries.h"

#include "core/app/scratch_folder.h"
#include "core/platform/file_listing.h"
#include "core/platform/file_ops.h"
#include "core/platform/paths.h"

namespace app {
namespace {

void deleteIfPresent(const std::string& path) {
    if (platform::fileExists(path)) {
        static_cast<void>(platform::shellDelete(path));
    }
}

platform::TextLibrary loadCopy(const AppContext& context, const std::string& source, const std::string& copy) {
    ensureScratchFolder(context);
    deleteIfPresent(copy);
    static_cast<void>(platform::shellCopy(source, copy));
    return platform::TextLibrary::load(copy);
}

void unloadCopy(platform::TextLibrary& library, const std::string& copy) {
    library.free();
    deleteIfPresent(copy);
}

}  // namespace

std::string languageLibraryFile(const AppContext& context) {
    return platform::joinPath(context.applicationFolder, "langfile" + context.language + ".dll");
}

std::string supplementaryLibraryFile(const AppContext& context) {
    return platform::joinPath(context.applicationFolder, "lic" + context.language + ".dll");
}

std::string languageLibraryCopy(const AppContext& context) {
    return platform::joinPath(context.scratchFolder(), "dv_langfile" + context.language + ".dll");
}

std::string supplementaryLibraryCopy(const AppContext& context) {
    return platform::joinPath(context.scratchFolder(), "dvlic_" + context.language + ".dll");
}

void loadLanguageLibrary(AppContext& context) {
    context.languageLibrary = loadCopy(context, languageLibraryFile(context), languageLibraryCopy(context));
}

void loadSupplementaryLibrary(AppContext& context) {
    context.supplementaryLibrary =
        loadCopy(context, supplementaryLibraryFile(context), supplementaryLibraryCopy(context));
}

void unloadLanguageLibrary(AppContext& context) { unloadCopy(context.languageLibrary, languageLibraryCopy(context)); }

void unloadSupplementaryLibrary(AppContext& context) {
    unloadCopy(context.supplementaryLibrary, supplementaryLibraryCopy(context));
}

}  // namespace app
