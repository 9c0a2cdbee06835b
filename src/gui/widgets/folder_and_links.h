#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "gui/kit/desktop_context.h"

class QTreeWidget;
class QWidget;

namespace ui {
class FolderTree;
class LinkList;
}  // namespace ui

namespace ui {

class VerticalSplitter;

// The store's folder tree and a folder's link list side by side, with the splitter
// between them, as the edit and delete dialogs show them: a folder click lists the
// folder's links, F5 in the tree or the list refreshes, Ctrl+A selects every link and a
// header click sorts. The controls are children of the dialog, named "TreeView",
// "VSplitter" and "ListView1".
class FolderAndLinks final : public QObject {
    Q_OBJECT

public:
    // The room left of the tree and right of the list, in twips.
    struct SideMargins {
        int left = 0;
        int right = 0;
    };

    // renameQuestion: what to ask before a folder whose node carries a check mark is renamed.
    FolderAndLinks(DesktopContext& context, QWidget& dialog, std::function<std::string()> renameQuestion,
                   SideMargins margins);
    Q_DISABLE_COPY_MOVE(FolderAndLinks)

    // Puts the tree and the list at the given top and height (in twips), sharing the
    // dialog's width at the splitter: the tree runs up to the splitter, the list starts
    // 15 twips past it. Run again whenever the splitter moves.
    void layOut(int topTwips, int heightTwips);
    // The list's header texts and the Charset of the tree and the list.
    void setCaptions();

    // The row the user acted on: the current row when it is selected, else -1.
    [[nodiscard]] int selectedRow() const;
    // Selects the first row alone, when there is one.
    void selectFirstRow();

    [[nodiscard]] FolderTree& tree() { return *m_tree; }
    [[nodiscard]] LinkList& list() { return *m_list; }
    [[nodiscard]] QTreeWidget& treeView() { return *m_treeView; }
    [[nodiscard]] QTreeWidget& listView() { return *m_listView; }

    // Where the splitter stands before the user moves it, in twips.
    static constexpr int kDesignSplitterLeft = 3000;

private:
    DesktopContext& m_context;
    QWidget& m_dialog;
    QTreeWidget* m_treeView = nullptr;
    QTreeWidget* m_listView = nullptr;
    VerticalSplitter* m_splitter = nullptr;
    FolderTree* m_tree = nullptr;
    LinkList* m_list = nullptr;
    SideMargins m_margins;
    int m_topTwips = 0;
    int m_heightTwips = 0;
};

}  // namespace ui
