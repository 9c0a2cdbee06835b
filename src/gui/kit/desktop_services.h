#pragma once

#include "core/app/services.h"

// The program's message boxes and the shell's "open" on the desktop.
namespace ui {

class QtMessageBoxService final : public app::MessageBoxService {
public:
    app::MsgAnswer show(const app::Message& message) override;
};

class QtShellService final : public app::ShellService {
public:
    int open(const std::string& target) override;
    bool run(const std::string& program) override;
    void sleep(int milliseconds) override;
};

}  // namespace ui
