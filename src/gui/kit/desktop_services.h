#pragma once

#include <QUrl>

#include "gui/kit/services.h"

// The program's message boxes and the shell's "open" on the desktop.
namespace ui {

class QtMessageBoxService final : public ui::MessageBoxService {
public:
    ui::MsgAnswer show(const ui::Message& message) override;
};

// The address the desktop is asked to open for a link's target or a document's path: a
// local path as a file, a target that begins with a host name ("www.example.com/news") as
// a web address, as the Windows shell opens it, and anything else with a scheme as it
// stands, blanks and all. An invalid URL for a target that is none of these.
[[nodiscard]] QUrl desktopUrlOf(const QString& target);

class QtShellService final : public ui::ShellService {
public:
    int open(const std::string& target) override;
    bool run(const std::string& program) override;
    void sleep(int milliseconds) override;
};

}  // namespace ui
