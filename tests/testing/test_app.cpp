#include "testing/test_app.h"

#include <filesystem>

#include "core/app/text_libraries.h"

namespace testing_support {

void placeInTempFolders(app::AppContext& context, const TempFolder& root) {
    context.applicationFolder = root / "stick/app";
    context.productFamilyFolder = root / "velqor";
    context.registryFile = root / "registry.reg";
    context.homeFolder = root / "home";
    context.configFolder = root / "home/.config";
    context.language = "0409";
    context.isAdministrator = [] { return true; };
    std::filesystem::create_directories(context.applicationFolder);
}

void loadShippedTextLibraries(app::AppContext& context) {
    for (const char* name : {"langfile0409.dll", "lic0409.dll"}) {
        std::filesystem::copy_file(std::string(DORVANE_PORTABLE_DIR) + "/" + name,
                                   context.applicationFolder + "/" + name,
                                   std::filesystem::copy_options::overwrite_existing);
    }
    app::loadSupplementaryLibrary(context);
    app::loadLanguageLibrary(context);
}

}  // namespace testing_support
