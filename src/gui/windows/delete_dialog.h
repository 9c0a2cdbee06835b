#pragma once

#include <QDialog>

#include "gui/kit/desktop_context.h"

class QLabel;
class QPushButton;

namespace ui {
class FolderTree;
class LinkList;
}  // namespace ui

namespace ui {

class FolderAndLinks;

// The delete dialog: the store's folder tree and the links of the chosen folder; the
// selected links are deleted from the drive for good after one question.
class DeleteDialog final : public QDialog {
    Q_OBJECT

public:
    // Makes sure the store exists, sets the captions, lays out and builds the tree: the
    // dialog is loaded when this returns.
    explicit DeleteDialog(DesktopContext& context, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(DeleteDialog)

    // Delete (the button or the Delete key): asks once, then deletes the selected links
    // from the first to the last, stopping at the first that cannot be deleted.
    void deleteSelectedLinks();
    // A double click: the row's file goes to the shell.
    void openClickedFile();

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
    QLabel* m_instruction = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_exitButton = nullptr;
};

}  // namespace ui
