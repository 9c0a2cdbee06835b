#pragma once

#include <QDialog>
#include <QHash>
#include <QString>
#include <vector>

#include "app/app_context.h"
#include "browsers/export_writer.h"

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace store {
class FolderTree;
class LinkList;
}  // namespace store

namespace browsers {

// The export dialog: the user picks a folder of the store, whose links are listed and
// staged, checks links and picks a browser of this PC; Export copies the links into
// Internet Explorer's Favorites folder, or appends the checked ones to Firefox's bookmark
// file. The dialog stays open after an export.
class frmExport final : public QDialog {
    Q_OBJECT

public:
    // Builds both trees, lists the links of the store root and sets the captions: the
    // dialog is loaded when this returns.
    explicit frmExport(app::AppContext& context, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmExport)

    // A click on a store-tree node: the folder is opened, its links listed and staged.
    // The root only empties the list.
    void chooseSource(QTreeWidgetItem* item);
    // A click on a browser-tree node: its text is the destination.
    void chooseDestination(QTreeWidgetItem* item);
    // Export: every listed link into Internet Explorer, or the checked ones into Firefox.
    void exportLinks();
    // Select All: checks every row, or unchecks them all when every row is checked.
    void toggleAllChecks();

    [[nodiscard]] store::FolderTree& storeTree() { return *m_storeTree; }
    [[nodiscard]] store::LinkList& linkList() { return *m_links; }
    [[nodiscard]] QTreeWidget& browserTree() { return *m_browserView; }
    // The browser-tree node of a key, or nullptr.
    [[nodiscard]] QTreeWidgetItem* browserNode(const QString& key) const { return m_browserNodes.value(key); }

    static constexpr const char* kBrowserRootKey = "NodeRoot";

private:
    void createControls();
    void createLinkViews();
    void setTabOrderOfControls();
    void setCaptions();
    void layOut();
    void buildBrowserTree();
    void addBrowserNode(QTreeWidgetItem* parent, const QString& key, const QString& text, int image);
    [[nodiscard]] std::vector<ExportItem> listedItems() const;
    void tell(int textId, int titleId, app::MsgIcon icon);
    [[nodiscard]] QString text(int id) const;

    app::AppContext& m_context;
    QLabel* m_instruction = nullptr;
    QFrame* m_separator = nullptr;
    QLabel* m_source = nullptr;
    QLabel* m_destination = nullptr;
    QTreeWidget* m_storeView = nullptr;
    QTreeWidget* m_browserView = nullptr;
    QTreeWidget* m_listView = nullptr;
    QCheckBox* m_selectAll = nullptr;
    QPushButton* m_exportButton = nullptr;
    QPushButton* m_exitButton = nullptr;
    store::FolderTree* m_storeTree = nullptr;
    store::LinkList* m_links = nullptr;
    QHash<QString, QTreeWidgetItem*> m_browserNodes;
    // The text of the browser-tree node clicked last; empty until one is.
    QString m_destinationText;
};

}  // namespace browsers
