#pragma once

#include <QByteArray>
#include <QCollator>
#include <QHash>
#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <string_view>

#include "core/store/store_files.h"
#include "gui/kit/desktop_context.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace ui {

class LinkList;

// What differs between the windows that show the folder tree.
struct FolderTreeOptions {
    // The list a folder scan fills with the folder's links; none in the add dialog and
    // in the import dialog's store tree.
    LinkList* linkList = nullptr;
    // The question asked before a folder whose node carries a check mark is renamed.
    std::function<std::string()> renameQuestion;
};

// The store's folder tree, shared by every window: a root "Browser" keyed "noderoot",
// below it the folders keyed by their store paths, as the drive spells them. It is built
// lazily, one level per click, and keeps nothing but the node keys; a node's text is only
// shown, never read back.
class FolderTree final : public QObject {
    Q_OBJECT

public:
    static constexpr const char* kRootText = "Browser";

    FolderTree(DesktopContext& context, QTreeWidget& view, FolderTreeOptions options);
    Q_DISABLE_COPY_MOVE(FolderTree)

    // Adds the root, scans the store root below it, expands and selects the root.
    void buildTree();
    // Adds the sub folders of a folder (path ends in '/') below the parent's node, sorts
    // them and, where the window has a link list, lists the folder's links.
    void scanFolder(const std::string& folderPath, std::string_view parentKey);
    // Scans, then expands and selects the node.
    void openFolder(const std::string& folderPath, std::string_view key);
    // Opens a clicked folder node (not the root) with the tree's drawing frozen.
    void openClickedNode(QTreeWidgetItem* item);
    // Re-reads the selected folder, or rebuilds the whole tree when the root is selected.
    void refresh();
    // Removes every node, makes sure the store exists, builds the tree afresh.
    void resetTree();

    [[nodiscard]] QTreeWidgetItem* itemByKey(std::string_view key) const;
    [[nodiscard]] QTreeWidgetItem* root() const;
    [[nodiscard]] QTreeWidgetItem* selectedItem() const;
    // The node's key: "noderoot" for the root, the folder's path for any other node.
    [[nodiscard]] static std::string keyOf(const QTreeWidgetItem* item);
    // The node's image index (1 to 5).
    [[nodiscard]] static int imageOf(const QTreeWidgetItem* item);
    [[nodiscard]] static bool isRoot(const QTreeWidgetItem* item);
    [[nodiscard]] QTreeWidget& view() { return m_view; }

    // Starts renaming the selected folder (F2); the root cannot be renamed.
    void beginRename();

signals:
    // A click on a node; the window decides what it does (most call openClickedNode).
    void nodeClicked(QTreeWidgetItem* item);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTreeWidgetItem* addNode(QTreeWidgetItem* parent, std::string_view key, const QString& text, int image);
    void finishRename(QTreeWidgetItem* item, int column);
    // Gives a renamed folder's node and the nodes below it the keys of their new paths.
    void rekey(QTreeWidgetItem* item, std::string_view oldKey, std::string_view newKey);
    void tellWhyNotRenamed(store::FolderRename::Outcome outcome);
    void forgetAllNodes();

    DesktopContext& m_context;
    QTreeWidget& m_view;
    FolderTreeOptions m_options;
    QCollator m_collator;
    QHash<QByteArray, QTreeWidgetItem*> m_nodes;
    QTreeWidgetItem* m_renaming = nullptr;
    QString m_oldName;
};

}  // namespace ui
