#pragma once

#include <QGuiApplication>

namespace ui {

// Shows the hourglass while a command runs and restores the normal pointer when it
// ends, whichever way it ends.
class Hourglass final {
public:
    Hourglass() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Hourglass() { QGuiApplication::restoreOverrideCursor(); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;
};

}  // namespace ui
