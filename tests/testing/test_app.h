#pragma once

#include <string>
#include <string_view>

#include "core/app/app_context.h"
#include "testing/files.h"

namespace testing_support {

// Points the context into temporary folders: <root>/stick/app is the application folder,
// <root>/velqor the product-family folder, <root>/registry.reg the registry, <root>/home the
// user's home; the application folder is made.
void placeInTempFolders(app::AppContext& context, const TempFolder& root);

// Lays the English text libraries of the build beside the program and loads them as
// start-up does.
void loadShippedTextLibraries(app::AppContext& context);

// An application context over temporary folders.
template <typename Context>
class BasicTestApp {
public:
    BasicTestApp() { placeInTempFolders(context, root); }

    TempFolder root;
    Context context;

    // <application folder>/name
    std::string appPath(std::string_view name) const { return context.applicationFolder + "/" + std::string(name); }

    void loadShippedTextLibraries() { testing_support::loadShippedTextLibraries(context); }
};

using TestApp = BasicTestApp<app::AppContext>;

}  // namespace testing_support
