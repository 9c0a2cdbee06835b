#pragma once

#include <string>

// What the program asks of the desktop, behind small interfaces so that tests can
// record and script it: message boxes and the shell's "open".
namespace ui {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, YesNo };
enum class MsgAnswer { Ok, Yes, No };

struct Message {
    std::string text;
    std::string title;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    MsgAnswer defaultAnswer = MsgAnswer::Ok;
};

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    // Shows the message and waits for the user's answer.
    virtual MsgAnswer show(const Message& message) = 0;
};

class ShellService {
public:
    virtual ~ShellService() = default;
    // Opens a web address or a file with the desktop's default handler; the result is
    // the shell's number: 32 or less means failure.
    virtual int open(const std::string& target) = 0;
    // Starts a program in a window of its own; false when it could not be started.
    virtual bool run(const std::string& program) = 0;
    // Waits the given milliseconds (the pause after handing a target to the shell).
    virtual void sleep(int milliseconds) = 0;
};

}  // namespace ui
