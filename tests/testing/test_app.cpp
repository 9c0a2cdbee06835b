#include "testing/test_app.h"

#include <filesystem>

#include "core/app/text_libraries.h"

namespace testing_support {

app::MsgAnswer RecordingMessageBox::show(const app::Message& message) {
    shown.push_back(message);
    if (m_answers.empty()) {
        return message.buttons == app::MsgButtons::YesNo ? app::MsgAnswer::Yes : app::MsgAnswer::Ok;
    }
    const app::MsgAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

TestApp::TestApp() {
    context.applicationFolder = root / "stick/app";
    context.productFamilyFolder = root / "velqor";
    context.registryFile = root / "registry.reg";
    context.homeFolder = root / "home";
    context.configFolder = root / "home/.config";
    context.language = "0409";
    context.messages = &messages;
    context.shell = &shell;
    context.isAdministrator = [] { return true; };
    std::filesystem::create_directories(context.applicationFolder);
}

void TestApp::loadShippedTextLibraries() {
    for (const char* name : {"langfile0409.dll", "lic0409.dll"}) {
        std::filesystem::copy_file(std::string(DORVANE_PORTABLE_DIR) + "/" + name, appPath(name),
                                   std::filesystem::copy_options::overwrite_existing);
    }
    app::loadSupplementaryLibrary(context);
    app::loadLanguageLibrary(context);
}

}  // namespace testing_support
