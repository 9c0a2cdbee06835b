#pragma once

#include <deque>
#include <string>
#include <vector>

#include "gui/kit/desktop_context.h"
#include "testing/test_app.h"

namespace testing_support {

// Records every message shown and answers from a script (Yes/OK when the script is empty).
class RecordingMessageBox final : public ui::MessageBoxService {
public:
    ui::MsgAnswer show(const ui::Message& message) override {
        shown.push_back(message);
        if (m_answers.empty()) {
            return message.buttons == ui::MsgButtons::YesNo ? ui::MsgAnswer::Yes : ui::MsgAnswer::Ok;
        }
        const ui::MsgAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    void answerNext(ui::MsgAnswer answer) { m_answers.push_back(answer); }

    std::vector<ui::Message> shown;

private:
    std::deque<ui::MsgAnswer> m_answers;
};

// Records what the program asked the shell to open, start or wait for; opening answers
// with a settable result.
struct FakeShell final : ui::ShellService {
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

// A desktop context over temporary folders whose message boxes and shell record.
class DesktopTestApp : public BasicTestApp<ui::DesktopContext> {
public:
    DesktopTestApp() {
        context.messages = &messages;
        context.shell = &shell;
    }

    RecordingMessageBox messages;
    FakeShell shell;
};

}  // namespace testing_support
