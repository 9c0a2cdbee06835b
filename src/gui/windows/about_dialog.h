#pragma once

#include <QDialog>

#include "gui/kit/desktop_context.h"

class QLabel;
class QPushButton;

namespace ui {

// The about box: the product, its version, the legal notice, and a button that starts
// the system information program.
class AboutDialog final : public QDialog {
    Q_OBJECT

public:
    AboutDialog(DesktopContext& context, QWidget* owner);
    Q_DISABLE_COPY_MOVE(AboutDialog)

    // Starts the system information program the registry names, or says it is unavailable.
    void StartSysInfo();

private:
    void setCaptions();

    DesktopContext& m_context;
    QLabel* m_title = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_disclaimer = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_sysInfo = nullptr;
};

// "Version " and the program's major, minor and revision numbers joined by ".".
[[nodiscard]] std::string versionCaption();

}  // namespace ui
