#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/app/app_context.h"
#include "testing/files.h"

namespace testing_support {

// Records every message shown and answers from a script (Yes/OK when the script is empty).
class RecordingMessageBox final : public app::MessageBoxService {
public:
    app::MsgAnswer show(const app::Message& message) override;
    void answerNext(app::MsgAnswer answer) { m_answers.push_back(answer); }

    std::vector<app::Message> shown;

private:
    std::deque<app::MsgAnswer> m_answers;
};

// Records what the program asked the shell to open, start or wait for; opening answers
// with a settable result.
struct FakeShell final : app::ShellService {
    int open(const std::string& target) override {
        opened.push_back(target);
        return result;
    }
    bool run(const std::string& program) override {
        started.push_back(program);
        return true;
    }
    void sleep(int milliseconds) override { slept.push_back(milliseconds); }

    int result = 42;
    std::vector<std::string> opened;
    std::vector<std::string> started;
    std::vector<int> slept;
};

// An application context over temporary folders: <root>/stick/app is the application
// folder, <root>/velqor the product-family folder, <root>/registry.reg the registry,
// <root>/home the user's home.
class TestApp {
public:
    TestApp();

    TempFolder root;
    RecordingMessageBox messages;
    FakeShell shell;
    app::AppContext context;

    // <application folder>/name
    std::string appPath(std::string_view name) const { return context.applicationFolder + "/" + std::string(name); }

    // Lays the English text libraries of the build beside the program and loads them as
    // start-up does.
    void loadShippedTextLibraries();
};

}  // namespace testing_support
