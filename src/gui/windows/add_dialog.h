#pragma once

#include <QDialog>
#include <QString>
#include <string>

#include "gui/kit/desktop_context.h"
#include "gui/widgets/link_fields.h"

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace ui {
class FolderTree;
}

namespace ui {

// The add dialog: the user picks a folder in the store's tree, types a name and a URL
// and adds one link at a time, until leaving with Exit. It writes the link file at once
// and leaves the other windows as they are.
class AddDialog final : public QDialog {
    Q_OBJECT

public:
    // Builds the tree and sets the captions: the dialog is loaded when this returns.
    explicit AddDialog(DesktopContext& context, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(AddDialog)

    // Add: writes the typed link into the chosen folder, asking before it replaces one.
    void addLink();
    // Clear: empties both fields; the tree stays as it is.
    void clearFields();

    [[nodiscard]] FolderTree& folderTree() { return *m_tree; }

private:
    void createControls();
    void setTabOrderOfControls();
    void setCaptions();
    void layOut();
    void chooseFolder(QTreeWidgetItem* item);
    void warn(int textId);

    DesktopContext& m_context;
    QTreeWidget* m_treeView = nullptr;
    LinkFields m_fields;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_clearButton = nullptr;
    QPushButton* m_exitButton = nullptr;
    FolderTree* m_tree = nullptr;
    // The key of the folder chosen last, its path; empty until a folder is chosen.
    std::string m_targetKey;
};

}  // namespace ui
