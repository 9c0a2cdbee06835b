#include <QApplication>

#include "core/app/app_context.h"
#include "core/app/startup.h"
#include "core/app/user_messages.h"
#include "core/platform/admin.h"
#include "core/platform/instance_lock.h"
#include "core/platform/paths.h"
#include "gui/kit/desktop_services.h"
#include "gui/kit/gui_context.h"
#include "gui/windows/main_window.h"
#include "gui/kit/modal_forms.h"
#include "gui/windows/progress_window.h"

namespace {

int stopWith(app::AppContext& context, const std::string& text) {
    app::showMessage(context, text, app::kStartupErrorTitle, app::MsgIcon::Critical);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    application.setApplicationName("Dorvane Lite");

    ui::QtMessageBoxService messages;
    ui::QtShellService shell;
    ui::QtModalFormService modalForms;

    app::AppContext context;
    context.applicationFolder = platform::executableFolder();
    context.productFamilyFolder = platform::defaultProductFamilyFolder();
    context.registryFile = platform::defaultRegistryFile();
    context.homeFolder = qEnvironmentVariable("HOME").toStdString();
    context.configFolder = platform::defaultConfigFolder();
    context.messages = &messages;
    context.shell = &shell;
    context.isAdministrator = platform::isNTAdmin;

    const platform::InstanceLock instance(context.productFamilyFolder, platform::executableName());
    if (instance.anotherInstanceRuns()) {
        return stopWith(context, app::kAlreadyRunningMessage);
    }
    if (const std::optional<std::string> stop = app::prepareStartup(context)) {
        return stopWith(context, *stop);
    }
    app::probeSkinning(context);
    {
        ui::frmprogress splash(context);
        splash.show();
        QCoreApplication::processEvents();
    }

    ui::frmMain mainWindow(ui::GuiContext{context, modalForms});
    mainWindow.load();
    mainWindow.show();
    return QApplication::exec();
}
