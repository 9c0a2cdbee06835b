#include <dlfcn.h>

#include <QApplication>
#include <QFileInfo>

#include "core/app/app_context.h"
#include "core/app/startup.h"
#include "core/platform/admin.h"
#include "core/platform/instance_lock.h"
#include "core/platform/paths.h"
#include "gui/kit/desktop_services.h"
#include "gui/kit/gui_context.h"
#include "gui/kit/modal_forms.h"
#include "gui/kit/user_messages.h"
#include "gui/windows/main_window.h"
#include "gui/windows/progress_window.h"

namespace {

// The Qt plugins the program's folder carries, in lib/plugins beside its Qt libraries: on the
// stick, or in the copy of the program part the start command runs when the stick is mounted
// "noexec" (no plugin could be loaded from the stick then).
QString carriedQtPlugins() {
    Dl_info library{};
    if (::dladdr(reinterpret_cast<const void*>(&qVersion), &library) == 0 || library.dli_fname == nullptr) {
        return {};
    }
    return QFileInfo(QString::fromLocal8Bit(library.dli_fname)).absolutePath() + "/plugins";
}

int stopWith(ui::DesktopContext& context, const std::string& text) {
    ui::showMessage(context, text, app::kStartupErrorTitle, ui::MsgIcon::Critical);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    // Qt's plugins come from beside the Qt the program runs with only: the PC's belong to the
    // PC's Qt, which may be another version.
    QCoreApplication::setLibraryPaths({carriedQtPlugins()});
    QApplication application(argc, argv);
    // Qt adds the folder of the running executable, which is the loader's when the start command
    // runs the program through it.
    QCoreApplication::setLibraryPaths({carriedQtPlugins()});
    application.setApplicationName("Dorvane Lite");

    ui::QtMessageBoxService messages;
    ui::QtShellService shell;
    ui::QtModalFormService modalForms;

    ui::DesktopContext context;
    context.applicationFolder = platform::executableFolder();
    context.productFamilyFolder = platform::defaultProductFamilyFolder();
    context.registryFile = platform::defaultRegistryFile();
    context.homeFolder = qEnvironmentVariable("HOME").toStdString();
    context.configFolder = platform::defaultConfigFolder();
    context.messages = &messages;
    context.shell = &shell;
    context.isAdministrator = platform::isNTAdmin;

    const platform::InstanceLock instance(context.productFamilyFolder, platform::executableName());
    // what the start command told the program is not for the programs it opens links with
    qunsetenv(platform::kStartedProgramVariable);
    if (instance.anotherInstanceRuns()) {
        return stopWith(context, app::kAlreadyRunningMessage);
    }
    if (const std::optional<std::string> stop = app::prepareStartup(context)) {
        return stopWith(context, *stop);
    }
    app::probeSkinning(context);
    {
        ui::ProgressWindow splash(context);
        splash.show();
        QCoreApplication::processEvents();
    }

    ui::MainWindow mainWindow(ui::GuiContext{context, modalForms});
    mainWindow.load();
    mainWindow.show();
    return QApplication::exec();
}
