#pragma once

#include <QDialog>
#include <string>

#include "gui/kit/desktop_context.h"
#include "gui/widgets/link_fields.h"

class QPushButton;

namespace ui {
class FolderTree;
class LinkList;
}  // namespace ui

namespace ui {

class FolderAndLinks;

// The edit dialog: the user clicks a folder, clicks one of its links, changes the link's
// name or URL and saves. A save rewrites or renames the link file within its folder and
// never loses the link: when the new file cannot be written, the old one stays as it was.
class EditDialog final : public QDialog {
    Q_OBJECT

public:
    // Makes sure the store exists, sets the captions and builds the tree: the dialog is
    // loaded when this returns.
    explicit EditDialog(DesktopContext& context, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(EditDialog)

    // Save: the typed name and URL replace the link clicked last.
    void saveLink();
    // A click on a row: the link's name and URL go into the fields, and the link is the
    // one the next save replaces.
    void takeClickedLink();
    // A double click: the row's URL goes to the shell, without a message when it fails.
    void openClickedTarget();

    [[nodiscard]] FolderTree& folderTree();
    [[nodiscard]] LinkList& linkList();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void setTabOrderOfControls();
    void setCaptions();
    void layOut();

    DesktopContext& m_context;
    FolderAndLinks* m_panes = nullptr;
    LinkFields m_fields;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_exitButton = nullptr;

    // The file of the link clicked last. It stays after a save, so that a second save
    // without a new click writes into the same folder.
    std::string m_oldPath;
    std::string m_shownName;  // the name the click put in the field
};

}  // namespace ui
