#pragma once

#include <QDialog>
#include <string>

#include "gui/kit/desktop_context.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace ui {

// The list of links an import could not copy into the store: one numbered row per link,
// with its file name and its link. It lives for one import.
class ImportErrorsDialog final : public QDialog {
    Q_OBJECT

public:
    explicit ImportErrorsDialog(DesktopContext& context, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(ImportErrorsDialog)

    // Appends a row: its number (counted from 1), the file name and the link.
    void ErrorMsg(const std::string& fileName, const std::string& link);

    [[nodiscard]] int rowCount() const;

private:
    void createControls();
    void setCaptions();
    void layOut();

    DesktopContext& m_context;
    QLabel* m_firstLine = nullptr;
    QLabel* m_secondLine = nullptr;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_ok = nullptr;
};

}  // namespace ui
