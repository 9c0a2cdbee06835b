#pragma once

#include <QByteArray>
#include <QDialog>
#include <QHash>
#include <QString>
#include <string>
#include <string_view>

#include "gui/kit/desktop_context.h"
#include "gui/widgets/folder_tree.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace ui {
class LinkList;
}  // namespace ui

namespace ui {

// The form the import and export dialogs share: an instruction, the source and destination
// captions, then three columns side by side (a tree, the checked link list, a tree) with
// Select All below the list and the dialog's own button beside Exit at the bottom right.
// The links travel from the left column to the right one, so the store tree is on the left
// of an export and on the right of an import.
class TransferDialog : public QDialog {
    Q_OBJECT

public:
    enum class StoreSide { Left, Right };

    // What tells one dialog from the other.
    struct Design {
        StoreSide storeSide;
        const char* actionName;  // the object name of the dialog's own button
        const char* actionText;  // its text until the captions are read
        int windowText;          // text ids of the captions
        int instructionText;
        int actionButtonText;
        int sourceEndText;  // what follows the source shown in its caption
        int destinationEndText;
    };

    Q_DISABLE_COPY_MOVE(TransferDialog)
    ~TransferDialog() override = default;

    // Select All: checks every row, or unchecks them all when every row is checked.
    void toggleAllChecks();

    [[nodiscard]] FolderTree& storeTree() { return *m_storeTree; }
    [[nodiscard]] LinkList& linkList() { return *m_links; }
    [[nodiscard]] QTreeWidget& browserTree() { return *m_browserView; }
    // The browser-tree node of a key, or nullptr.
    [[nodiscard]] QTreeWidgetItem* browserNode(std::string_view key) const;

    static constexpr const char* kBrowserRootKey = "NodeRoot";

protected:
    // Creates, places and captions the controls; the dialog then makes its store tree with
    // createStoreTree and connects its own commands.
    TransferDialog(DesktopContext& context, const Design& design, QWidget* parent);

    void createStoreTree(FolderTreeOptions options);
    // The root "Browser" with the FireFox node and the Internet Explorer node of a key below it.
    void buildBrowserTree(const std::string& internetExplorerKey);
    // Adds a node keyed once, showing its name: nullptr when a node of the key is there already.
    QTreeWidgetItem* addBrowserNode(QTreeWidgetItem* parent, const std::string& key, const std::string& name,
                                    int image);
    // A browser-tree node's key, name and image, as they were given.
    [[nodiscard]] static std::string browserNodeKey(const QTreeWidgetItem* item);
    [[nodiscard]] static std::string browserNodeName(const QTreeWidgetItem* item);
    [[nodiscard]] static int browserNodeImage(const QTreeWidgetItem* item);

    // The captions read "<Source:><choice><end>" and "<Destination:><choice><end>".
    void showSource(const QString& choice);
    void showDestination(const QString& choice);

    // A browser-tree key: a place in the Windows folder.
    [[nodiscard]] static std::string windowsFolderKey(const char* place);

    // Places a control across the window between its margins.
    void placeAcrossWindow(QWidget& control, int top, int height);

    [[nodiscard]] DesktopContext& context() const { return m_context; }
    [[nodiscard]] QTreeWidget& storeView() const { return *m_storeView; }
    [[nodiscard]] QPushButton& actionButton() const { return *m_actionButton; }
    [[nodiscard]] QPushButton& exitButton() const { return *m_exitButton; }
    [[nodiscard]] QString text(int id) const;

private:
    void createControls(const Design& design);
    void createTreesLeftToRight(StoreSide storeSide);
    void createLinkList();
    void setCaptions(const Design& design);
    void layOut();

    DesktopContext& m_context;
    int m_sourceEndText;
    int m_destinationEndText;
    QLabel* m_instruction = nullptr;
    QLabel* m_source = nullptr;
    QLabel* m_destination = nullptr;
    QTreeWidget* m_leftView = nullptr;
    QTreeWidget* m_rightView = nullptr;
    QTreeWidget* m_storeView = nullptr;
    QTreeWidget* m_browserView = nullptr;
    QTreeWidget* m_listView = nullptr;
    QCheckBox* m_selectAll = nullptr;
    QPushButton* m_actionButton = nullptr;
    QPushButton* m_exitButton = nullptr;
    FolderTree* m_storeTree = nullptr;
    LinkList* m_links = nullptr;
    QHash<QByteArray, QTreeWidgetItem*> m_browserNodes;
};

}  // namespace ui
